#include "ui/messagebox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>

namespace callcfg {

namespace {

// Swallows timer events of every object that lies inside a window other than `box`.
class WindowTimerHold : public QObject {
public:
    explicit WindowTimerHold(const QObject* box) : box_(box) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Timer)
            return false;
        bool inWindow = false;
        for (const QObject* at = watched; at; at = at->parent()) {
            if (at == box_)
                return false;
            inWindow = inWindow || at->isWidgetType();
        }
        return inWindow;
    }

private:
    const QObject* box_;
};

void execBox(QWidget* parent, const Box& box, bool holdWindowTimers) {
    const auto icon = box.kind == BoxKind::Notice ? QMessageBox::NoIcon : QMessageBox::Critical;
    QMessageBox message(icon, box.title, box.text, QMessageBox::Ok, parent);
    if (!holdWindowTimers) {
        message.exec();
        return;
    }
    WindowTimerHold hold(&message);
    QCoreApplication::instance()->installEventFilter(&hold);
    message.exec();
    QCoreApplication::instance()->removeEventFilter(&hold);
}

} // namespace

void showBox(QWidget* parent, const Box& box) {
    execBox(parent, box, false);
}

void showBoxDuringWait(QWidget* parent, const Box& box) {
    execBox(parent, box, true);
}

bool confirmBox(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox message(QMessageBox::Critical, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                        parent);
    return message.exec() != QMessageBox::Cancel;
}

} // namespace callcfg
