#pragma once
// The port row of the main window: the port list, whose text names the port by the number it
// ends with, the open/close button and its twin (a double-click on 通讯端口), and the status
// label. It opens the chosen port for every window's commands, tells in the list's tooltip what
// the entry in view leads to, and finds the host unit (查找主机).

#include "link/linkobserver.h"
#include "link/portmap.h"
#include "link/serialport.h"
#include "ui/chosenport.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace callcfg {

class MainWindow;
class Link;
class TrafficLogFile;

class PortRow final : public QObject, public ChosenPort, private LinkObserver {
    Q_OBJECT
public:
    PortRow(MainWindow& form, Link& link, PortMap portMap);
    ~PortRow() override;

    // Opens the port the list names unless it is open; a port open under another number than
    // the list now names is closed first. On failure shows the port box, and tells why (the
    // system's reason and the usual remedy) on stderr and in the list's tooltip.
    bool ensureOpen() override;

    // Where port problems go besides the tooltip (a port that cannot be opened, a port lost
    // during an exchange); stderr by default.
    void setProblemReporter(std::function<void(const QString&)> report) {
        report_ = std::move(report);
    }

    // 查找主机: asks the devices of every port for the host unit in a dialog that can stop it,
    // chooses the first port that answered (writing its name into the list when the list does
    // not hold it) and says so; says that none did otherwise, leaving the port as it was.
    void findHost();

    // The search's port objects (the platform's) and the traffic log its questions write to.
    void setSearchPorts(std::function<std::unique_ptr<SerialPort>()> makePort) {
        makeSearchPort_ = std::move(makePort);
    }
    void setSearchLog(std::shared_ptr<TrafficLogFile> log) { searchLog_ = std::move(log); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool openChosenPort();
    void toggle();
    void listChosen();
    void showState();
    void showToolTip();
    void tell(const QString& problem);
    void portLost(const QString& message) override;

    MainWindow& form_;
    QObject* portList_ = nullptr; // the port list, whose tooltip events are watched
    Link& link_;
    PortMap portMap_;
    std::function<std::unique_ptr<SerialPort>()> makeSearchPort_;
    std::shared_ptr<TrafficLogFile> searchLog_;
    std::function<void(const QString&)> report_;
    std::optional<int> openPort_; // the list's port number when the port was opened
    QString problem_; // the last port problem, until the port opens or another entry is chosen
};

} // namespace callcfg
