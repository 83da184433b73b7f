#pragma once
// Catches the real modal message boxes while a test, the soak, the benchmark or the screenshot
// tool drives a window: records each box (title, text, icon, buttons, the top-level windows
// visible beside it, when it was seen) and answers it.

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <deque>
#include <functional>

namespace testsupport {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QStringList visibleWindows; // objectNames of other visible top-level windows
    std::chrono::steady_clock::time_point seenAt;
    QString parent; // objectName of the window the box belongs to; empty: none
};

class BoxWatcher : public QObject {
    Q_OBJECT
public:
    explicit BoxWatcher(QObject* parent = nullptr);

    // Answers for the coming boxes, in order; a box with no scripted answer gets OK
    // (or its only button).
    void answerNext(QMessageBox::StandardButton button) { answers_.push_back(button); }
    // Keeps each box open this long before answering it, as a slow reader would.
    void setAnswerDelay(int ms) {
        chooseDelayMs_ = [ms] { return ms; };
    }
    // Keeps each box open as long as `chooseMs` says for that box.
    void setAnswerDelays(std::function<int()> chooseMs) { chooseDelayMs_ = std::move(chooseMs); }

    const QList<SeenBox>& boxes() const { return boxes_; }
    QList<SeenBox> take();
    // The texts of the boxes seen since the last take.
    QStringList takeTexts();
    void clear() { boxes_.clear(); }

private:
    void poll();

    QTimer timer_;
    QList<SeenBox> boxes_;
    std::deque<QMessageBox::StandardButton> answers_;
    std::function<int()> chooseDelayMs_ = [] { return 0; };
};

} // namespace testsupport
