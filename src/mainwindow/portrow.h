#pragma once
// The port row of the main window: the port list whose last character names the port, the
// open/close button and its twin (a double-click on 通讯端口), and the status label. It opens
// the chosen port for every window's commands.

#include "link/portmap.h"
#include "ui/portgate.h"

#include <QObject>

#include <functional>

namespace callcfg {

class Form1;
class Link;

// The system's reason why a port cannot be opened, and what usually mends it.
QString withPortRemedy(const QString& reason);

class PortRow final : public QObject, public PortGate {
    Q_OBJECT
public:
    PortRow(Form1& form, Link& link, PortMap portMap);

    // Opens the port the list names unless it is open; on failure shows the port box, and
    // tells why (the system's reason and the usual remedy) on stderr and in the list's tooltip.
    bool ensureOpen() override;

    // Where the reason for a port that cannot be opened goes besides the tooltip; stderr by
    // default.
    void setProblemReporter(std::function<void(const QString&)> report) {
        report_ = std::move(report);
    }

private:
    bool openChosenPort();
    void toggle();
    void listChosen();
    void showState();

    Form1& form_;
    Link& link_;
    PortMap portMap_;
    std::function<void(const QString&)> report_;
};

} // namespace callcfg
