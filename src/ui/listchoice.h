#pragma once
// Which entry of a drop-down the host unit is told: its list position, which an editable list
// has only while its text is an entry that was chosen from the list, by the popup, the arrow
// keys, the mouse wheel or the program. Typing or editing the text, even to an exact entry,
// leaves the list without a position until the next choice. Qt adopts a typed text that names
// an entry when the list loses the focus or gets Enter; that adoption is no choice.

#include <QObject>

class QComboBox;

namespace callcfg {

class ListChoice : public QObject {
    Q_OBJECT
public:
    // Makes `list` an editable list that never adds typed entries and follows its choices.
    static ListChoice* track(QComboBox* list);

    // The tracker of a list made with track(), or nullptr.
    static ListChoice* of(const QComboBox* list);

    // The position of the chosen entry, -1 when there is none (nothing selected, or a text
    // typed since). A list that cannot be edited has the position of its selected entry.
    static int positionOf(const QComboBox& list);

signals:
    // An entry was chosen from the list (also the one already chosen); typing never emits it.
    void chosen(int index);

private:
    explicit ListChoice(QComboBox* list);
};

} // namespace callcfg
