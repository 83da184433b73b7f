#include "ui/windowinteraction.h"

#include "ui/chosenport.h"
#include "ui/messagebox.h"
#include "ui/waitboxes.h"

#include <QWidget>

namespace callcfg {

FocusTargets::FocusTargets(std::initializer_list<std::pair<Focus, QWidget*>> targets) {
    for (const auto& [role, control] : targets)
        targets_.insert(role, control);
}

QWidget* FocusTargets::controlFor(Focus role) const {
    if (role == Focus::Unchanged)
        return nullptr;
    QWidget* control = targets_.value(role);
    if (!control)
        qFatal("no control takes the focus role %d", int(role));
    return control;
}

void FocusTargets::requireEveryRole(const char* window) const {
    for (Focus role : kFocusRoles)
        if (!targets_.value(role))
            qFatal("%s has no control for the focus role %d", window, int(role));
}

WindowInteraction::WindowInteraction(QWidget* window, ChosenPort& port, WaitBoxes& waitBoxes,
                                     FocusTargets focus)
    : window_(window), port_(port), waitBoxes_(waitBoxes), focus_(std::move(focus)) {}

bool WindowInteraction::ensurePortOpen() {
    return port_.ensureOpen();
}

bool WindowInteraction::confirm(const Box& question) {
    return confirmBox(window_, question.text, question.title);
}

void WindowInteraction::showWaitBox(WaitBoxKind kind) {
    if (WaitBox* box = waitBoxes_.box(kind))
        box->showAndPaint();
}

void WindowInteraction::hideWaitBox(WaitBoxKind kind) {
    if (WaitBox* box = waitBoxes_.box(kind))
        box->hide();
}

void WindowInteraction::show(const Verdict& verdict) {
    if (verdict.box)
        showBox(window_, *verdict.box);
    if (QWidget* control = focus_.controlFor(verdict.focus)) {
        // The box has just closed; give its window back the keyboard before the move.
        window_->activateWindow();
        control->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace callcfg
