#pragma once
// The voice prompt window and the handheld caller window (forms form5, Form6), opened by the main
// window's buttons: one instance each, not modal. A click while the window is open brings it
// forward as it is; a window the user closed is gone, and the next click opens a new one
// in its initial state.

#include <QObject>
#include <QPointer>

class QWidget;

namespace callcfg {

class VoicePromptWindow;
class HandheldCallerWindow;
class Link;
class ChosenPort;
class WaitBoxes;

class CallerWindows : public QObject {
    Q_OBJECT
public:
    CallerWindows(Link& link, ChosenPort& port, WaitBoxes& waitBoxes);
    ~CallerWindows() override;

    // What the main window's buttons 叮当鸟呼叫器 and 手持呼叫器 do.
    void showVoicePrompts();
    void showHandheldCallers();

    // The open window, or nullptr when it is not open.
    VoicePromptWindow* voiceWindow() const;
    HandheldCallerWindow* handheldWindow() const;

private:
    Link& link_;
    ChosenPort& port_;
    WaitBoxes& waitBoxes_;
    QPointer<VoicePromptWindow> voiceWindow_;
    QPointer<HandheldCallerWindow> handheldWindow_;
};

} // namespace callcfg
