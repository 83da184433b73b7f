#pragma once
// The port row of the main window: the port list whose last character names the port, the
// open/close button and its twin (a double-click on 通讯端口), and the status label. It opens
// the chosen port for every window's commands.

#include "link/portmap.h"
#include "ui/portgate.h"

#include <QObject>

namespace callcfg {

class Form1;
class Link;

class PortRow final : public QObject, public PortGate {
    Q_OBJECT
public:
    PortRow(Form1& form, Link& link, PortMap portMap);

    // Opens the port the list names unless it is open; on failure shows the port box.
    bool ensureOpen() override;

private:
    bool openChosenPort();
    void toggle();
    void listChosen();
    void showState();

    Form1& form_;
    Link& link_;
    PortMap portMap_;
};

} // namespace callcfg
