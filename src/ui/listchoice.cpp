#include "ui/listchoice.h"

#include <QComboBox>
#include <QLineEdit>

namespace callcfg {

namespace {

// The list's text field; knows when it is finishing an edit (losing the focus or taking a
// key), which is when Qt adopts a matching entry on its own.
class TypedText : public QLineEdit {
public:
    bool finishing() const { return finishing_; }

protected:
    void focusOutEvent(QFocusEvent* event) override {
        const Finishing scope(finishing_);
        QLineEdit::focusOutEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const Finishing scope(finishing_);
        QLineEdit::keyPressEvent(event);
    }

private:
    struct Finishing {
        explicit Finishing(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
        ~Finishing() { flag_ = was_; }
        bool& flag_;
        bool was_;
    };
    bool finishing_ = false;
};

} // namespace

ListChoice::ListChoice(QComboBox* list) : QObject(list) {
    auto* text = new TypedText;
    list->setEditable(true);
    list->setLineEdit(text);
    list->setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would turn typing into the program's own text changes.
    list->setCompleter(nullptr);
    // The text's modified flag says "typed since the last choice": a user edit raises it, a
    // choice (which sets the text from the list) clears it.
    connect(text, &QLineEdit::textEdited, text, [text] { text->setModified(true); });
    connect(list, &QComboBox::currentIndexChanged, this, [text] {
        if (!text->finishing())
            text->setModified(false);
    });
    connect(list, &QComboBox::activated, this, [this, text](int index) {
        if (text->finishing())
            return;
        text->setModified(false);
        emit chosen(index);
    });
}

ListChoice* ListChoice::track(QComboBox* list) {
    return new ListChoice(list);
}

ListChoice* ListChoice::of(const QComboBox* list) {
    return list->findChild<ListChoice*>(QString(), Qt::FindDirectChildrenOnly);
}

int ListChoice::positionOf(const QComboBox& list) {
    const int index = list.currentIndex();
    if (index < 0)
        return -1;
    if (const QLineEdit* text = list.lineEdit()) {
        if (text->isModified() || text->text() != list.itemText(index))
            return -1;
    }
    return index;
}

} // namespace callcfg
