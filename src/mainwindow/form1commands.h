#pragma once
// The main window's host-unit commands in one table: for each command its button, the fields
// and lists in which Enter clicks that button, and how its inputs are read; and, for each focus
// role the commands name, the control that takes the focus.

#include "ui/windowscreen.h"

#include <QHash>
#include <QObject>

class QAbstractButton;

namespace callcfg {

class Form1;
class Link;
class PortGate;
class WaitBoxes;

class Form1Commands : public QObject {
    Q_OBJECT
public:
    Form1Commands(Form1& form, Link& link, PortGate& port, WaitBoxes& waitBoxes);

protected:
    // Enter (Return or the keypad's Enter, without Ctrl or Alt) clicks the field's button; the
    // key then goes on to the field.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowScreen screen_;
    QHash<QObject*, QAbstractButton*> enterButtons_;
};

} // namespace callcfg
