#pragma once
// What a soak counts: exchanges, operations, the faults the unit applied (those that changed the
// line), the outcomes by kind and the violations; and the table that shows the window's and the
// command line's side by side.

#include "hostsim/line/ptyhost.h"

#include <QString>
#include <QStringList>

#include <map>
#include <mutex>

namespace soak {

class Tally {
public:
    // Counts the records' requests and the faults that acted on them.
    void count(const std::vector<hostsim::LineRecord>& records);
    void outcome(const QString& kind, int times = 1);
    void violation(const QString& what);
    void operationDone();
    void deviceBack();
    void setSeconds(double seconds);
    // The soak sends no request this kind acts on (the table shows "-").
    void cannotAct(hostsim::Fault::Kind kind);

    int exchanges() const;
    int applied(hostsim::Fault::Kind kind) const;
    int violations() const;

    // The table for one soak or both; its last line is "violations: N".
    static QString report(const Tally* window, const Tally* commandLine);

private:
    mutable std::mutex mutex_;
    int exchanges_ = 0;
    int operations_ = 0;
    int returns_ = 0;
    double seconds_ = 0;
    std::map<hostsim::Fault::Kind, int> faults_;
    std::vector<hostsim::Fault::Kind> cannotAct_;
    std::map<QString, int> outcomes_;
    QStringList violations_;
};

// Every kind of fault the simulated unit commits.
const std::vector<hostsim::Fault::Kind>& allFaultKinds();

} // namespace soak
