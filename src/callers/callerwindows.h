#pragma once
// The voice prompt window form5 (Command21) and the handheld caller window Form6
// (Command22): one instance each, not modal.

#include <QObject>
#include <QPointer>

class QWidget;

namespace callcfg {

class Form1;
class Link;
class WaitBoxes;

class CallerWindows : public QObject {
    Q_OBJECT
public:
    CallerWindows(Form1& form1, Link& link, WaitBoxes& waitBoxes);
    ~CallerWindows() override;

private:
    Form1& form1_;
    Link& link_;
    WaitBoxes& waitBoxes_;
};

} // namespace callcfg
