#include "boxwatcher.h"

#include <QAbstractButton>
#include <QApplication>

namespace testsupport {

BoxWatcher::BoxWatcher(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &BoxWatcher::poll);
    timer_.start(5);
}

QList<SeenBox> BoxWatcher::take() {
    QList<SeenBox> seen = boxes_;
    boxes_.clear();
    return seen;
}

QStringList BoxWatcher::takeTexts() {
    QStringList texts;
    for (const SeenBox& box : take())
        texts << box.text;
    return texts;
}

void BoxWatcher::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box->property("seenByWatcher").toBool())
        return;
    box->setProperty("seenByWatcher", true);
    SeenBox seen{box->windowTitle(),
                 box->text(),
                 box->icon(),
                 box->standardButtons(),
                 {},
                 std::chrono::steady_clock::now(),
                 box->parentWidget() ? box->parentWidget()->window()->objectName() : QString()};
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != box && w->isVisible() && !w->objectName().isEmpty())
            seen.visibleWindows << w->objectName();
    boxes_.append(seen);

    QMessageBox::StandardButton answer = QMessageBox::Ok;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    QAbstractButton* button = box->button(answer);
    if (!button && !box->buttons().isEmpty())
        button = box->buttons().first();
    if (const int delayMs = chooseDelayMs_(); button && delayMs > 0)
        QTimer::singleShot(delayMs, button, &QAbstractButton::click);
    else if (button)
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

} // namespace testsupport
