#pragma once
// The voice prompt window form5 (Command21) and the handheld caller window Form6
// (Command22): one instance each, not modal. A click while the window is open brings it
// forward as it is; a window the user closed is gone, and the next click opens a new one
// in its initial state.

#include <QObject>
#include <QPointer>

class QWidget;

namespace callcfg {

class Form1;
class Form5;
class Form6;
class Link;
class WaitBoxes;

class CallerWindows : public QObject {
    Q_OBJECT
public:
    CallerWindows(Form1& form1, Link& link, WaitBoxes& waitBoxes);
    ~CallerWindows() override;

    // What Command21 and Command22 do.
    void showForm5();
    void showForm6();

    // The open window, or nullptr when it is not open.
    Form5* form5() const;
    Form6* form6() const;

private:
    Link& link_;
    WaitBoxes& waitBoxes_;
    QPointer<Form5> form5_;
    QPointer<Form6> form6_;
};

} // namespace callcfg
