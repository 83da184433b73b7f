#pragma once
// The two wait boxes that ask the user to press a key on a caller or an urge unit while the
// host unit learns its code. They are plain top-level windows, only ever shown and hidden.

#include "commands/command.h"

#include <QWidget>
#include <memory>

class QLabel;

namespace callcfg {

class WaitBox : public QWidget {
    Q_OBJECT
public:
    QLabel* message = nullptr; // Label1

    // show() and return only once the window is really on screen (exposed, for at most
    // half a second) and painted. Runs no timer, input or other handler of the program.
    void showAndPaint();

protected:
    // Client size, label rectangle (twips) and label caption.
    WaitBox(const char* name, const QString& caption, QSize clientTwips, QRect labelTwips,
            const QString& text);
};

// The caller wait box, shown while the host unit learns a table caller or a repeater entry.
class CallerWaitBox : public WaitBox {
    Q_OBJECT
public:
    CallerWaitBox();
};

// The urge-unit wait box, shown while the host unit learns an urge unit.
class UrgeWaitBox : public WaitBox {
    Q_OBJECT
public:
    UrgeWaitBox();
};

// Creates each wait box the first time it is asked for and keeps it for the whole run.
class WaitBoxes {
public:
    CallerWaitBox& callerBox();
    UrgeWaitBox& urgeBox();
    // The box of that kind; nullptr for WaitBoxKind::None.
    WaitBox* box(WaitBoxKind kind);

private:
    std::unique_ptr<CallerWaitBox> callerBox_;
    std::unique_ptr<UrgeWaitBox> urgeBox_;
};

} // namespace callcfg
