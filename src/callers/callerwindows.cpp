#include "callers/callerwindows.h"

#include "callers/form5.h"
#include "callers/form6.h"

namespace callcfg {

namespace {

bool isOpen(const QWidget* window) {
    return window && window->isVisible();
}

void bringForward(QWidget* window) {
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

// A new window of the kind, freed when the user closes it.
template <typename W> W* open(Link& link, PortGate& port, WaitBoxes& waitBoxes) {
    auto* window = new W(link, port, waitBoxes);
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

} // namespace

CallerWindows::CallerWindows(Link& link, PortGate& port, WaitBoxes& waitBoxes)
    : link_(link), port_(port), waitBoxes_(waitBoxes) {}

CallerWindows::~CallerWindows() {
    delete form5_.data();
    delete form6_.data();
}

void CallerWindows::showForm5() {
    // A window being closed may still wait for its deletion; it counts as closed.
    if (!isOpen(form5_))
        form5_ = open<Form5>(link_, port_, waitBoxes_);
    bringForward(form5_);
}

void CallerWindows::showForm6() {
    if (!isOpen(form6_))
        form6_ = open<Form6>(link_, port_, waitBoxes_);
    bringForward(form6_);
}

Form5* CallerWindows::form5() const {
    return isOpen(form5_) ? form5_.data() : nullptr;
}

Form6* CallerWindows::form6() const {
    return isOpen(form6_) ? form6_.data() : nullptr;
}

} // namespace callcfg
