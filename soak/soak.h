#pragma once
// The fault soak: the wired program against a simulated host unit that commits random faults.
// Every outcome is checked against the unit's own record of what it did:
//  - no success box for a request the unit did not answer correctly;
//  - after a read reported success, the image equals the unit's memory; after a download
//    reported success, the unit's memory equals the image;
//  - no crash, no hang (an operation that does not end within a minute stops the soak);
//  - once a device that went away is back, choosing the port again makes the program work.

#include "app/program.h"
#include "boxwatcher.h"
#include "hostsim/ptyhost.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <memory>

class Soak {
public:
    explicit Soak(quint32 seed);
    ~Soak();

    // Runs operations until the unit has received `exchanges` requests.
    void run(int exchanges);
    // The table; its last line is "violations: N".
    QString report() const;
    int violations() const { return int(violations_.size()); }

private:
    struct Command;
    void plugIn();
    void replug();
    hostsim::Fault randomFault(std::uint8_t command, int blocks);
    void runCommand(const Command& command);
    void runRead(bool host);
    void runDownload();
    void afterDeviceLoss();
    // The unit's record of the requests since the last look.
    std::vector<hostsim::Applied> takeApplied();
    void count(std::map<QString, int>& table, const QString& key) { ++table[key]; }
    void violation(const QString& what);
    void countOutcome(const QStringList& boxes, const QStringList& successes);

    QRandomGenerator random_;
    QTemporaryDir dir_;
    QString device_;
    std::unique_ptr<hostsim::PtyHost> host_;
    std::unique_ptr<callcfg::Program> program_;
    testsupport::BoxWatcher boxes_;
    int exchanges_ = 0;
    int operations_ = 0;
    int returns_ = 0;
    std::map<QString, int> faults_;
    std::map<QString, int> outcomes_;
    QStringList violations_;
    double seconds_ = 0;
};
