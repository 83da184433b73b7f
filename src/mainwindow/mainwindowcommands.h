#pragma once
// The main window's host-unit commands in one table: for each command its button, the fields
// and lists in which Enter clicks that button, and how its inputs are read; and, for each focus
// role the commands name, the control that takes the focus. Every control is named by its
// member, so the compiler checks the table.

#include "ui/windowinteraction.h"

#include <QHash>
#include <QObject>

#include <vector>

class QAbstractButton;

namespace callcfg {

class MainWindow;
class Link;
class ChosenPort;
class WaitBoxes;

class MainWindowCommands : public QObject {
    Q_OBJECT
public:
    MainWindowCommands(MainWindow& form, Link& link, ChosenPort& port, WaitBoxes& waitBoxes);
    ~MainWindowCommands() override;

protected:
    // Enter (Return or the keypad's Enter, without Ctrl or Alt) clicks the field's button; the
    // key then goes on to the field.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding;
    static std::vector<Binding> bindingsOf(const MainWindow& form);

    WindowInteraction interaction_;
    std::vector<Binding> bindings_;
    QHash<QObject*, QAbstractButton*> enterButtons_;
};

} // namespace callcfg
