#pragma once
// The window soak: the wired program's windows against a simulated host unit that commits
// random faults, each outcome judged against the unit's record of what the line carried:
//  - every box of an operation, in order: checksum boxes only for replies that failed their
//    checksum, then the box the outcome allows (success only for a good reply that says so, a
//    time-out only when no good reply came in time, the command's failure only when the device
//    went away under its request);
//  - the unit holds what the installer asked once it carried a command out, and no request is
//    malformed;
//  - a read's image, a backup file saved from it, and the unit's memory after a download, byte
//    for byte, with every block of the unit's memory unlike every other;
//  - no crash, no hang (an operation that does not end within a minute stops the soak);
//  - once a device that went away is back, choosing the port again makes the program work.

#include "faultdraw.h"
#include "tally.h"
#include "transferjudge.h"

#include "app/program.h"
#include "boxwatcher.h"
#include "hostsim/line/ptyhost.h"
#include "link/linkobserver.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <memory>

namespace soak {

class WindowSoak : private callcfg::LinkObserver {
public:
    WindowSoak(quint32 seed, Tally& tally);
    ~WindowSoak() override;

    // Runs operations until the unit has received `exchanges` requests.
    void run(int exchanges);

private:
    struct Finished {
        QStringList boxes;
        std::vector<hostsim::LineRecord> records;
        std::vector<Sent> sent;
    };
    enum class Transfer { HostRead, BuiltInRead, ExternalRead, Download, Verify };

    void plugIn();
    void afterDeviceLoss();
    void runCommand();
    void runTransfer(Transfer transfer);
    void saveBackup(const hostsim::Memory& memory);
    void addFaults(std::uint8_t command, int blocks, std::size_t wireSize, double waitSeconds);
    void click(QAbstractButton* button, const char* what);
    void click(QAction* action, const char* what);
    Finished finish();
    void countOutcome(const QString& final, const QString& success, const QString& timeout);
    hostsim::HostUnit unitNow();
    void sent(std::span<const std::uint8_t> wire) override;

    QRandomGenerator random_;
    Tally& tally_;
    FaultDraw draw_;
    QTemporaryDir dir_;
    QString device_;
    std::unique_ptr<hostsim::PtyHost> host_;
    std::unique_ptr<callcfg::Program> program_;
    testsupport::BoxWatcher boxes_;
    std::vector<Sent> sent_;
    int savedFiles_ = 0;
};

} // namespace soak
