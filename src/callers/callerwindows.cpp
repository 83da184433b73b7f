#include "callers/callerwindows.h"

#include "callers/handheldcallerwindow.h"
#include "callers/voicepromptwindow.h"

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
template <typename W> W* open(Link& link, ChosenPort& port, WaitBoxes& waitBoxes) {
    auto* window = new W(link, port, waitBoxes);
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

} // namespace

CallerWindows::CallerWindows(Link& link, ChosenPort& port, WaitBoxes& waitBoxes)
    : link_(link), port_(port), waitBoxes_(waitBoxes) {}

CallerWindows::~CallerWindows() {
    delete voiceWindow_.data();
    delete handheldWindow_.data();
}

void CallerWindows::showVoicePrompts() {
    // A window being closed may still wait for its deletion; it counts as closed.
    if (!isOpen(voiceWindow_))
        voiceWindow_ = open<VoicePromptWindow>(link_, port_, waitBoxes_);
    bringForward(voiceWindow_);
}

void CallerWindows::showHandheldCallers() {
    if (!isOpen(handheldWindow_))
        handheldWindow_ = open<HandheldCallerWindow>(link_, port_, waitBoxes_);
    bringForward(handheldWindow_);
}

VoicePromptWindow* CallerWindows::voiceWindow() const {
    return isOpen(voiceWindow_) ? voiceWindow_.data() : nullptr;
}

HandheldCallerWindow* CallerWindows::handheldWindow() const {
    return isOpen(handheldWindow_) ? handheldWindow_.data() : nullptr;
}

} // namespace callcfg
