#include "tally.h"

#include <algorithm>
#include <set>

namespace soak {

using hostsim::Fault;

const std::vector<Fault::Kind>& allFaultKinds() {
    static const std::vector<Fault::Kind> kinds = [] {
        std::vector<Fault::Kind> all;
        for (int k = int(Fault::Kind::NoReply); k <= int(Fault::Kind::Twice); ++k)
            all.push_back(Fault::Kind(k));
        return all;
    }();
    return kinds;
}

void Tally::count(const std::vector<hostsim::LineRecord>& records) {
    std::lock_guard lock(mutex_);
    for (const hostsim::LineRecord& r : records) {
        ++exchanges_;
        for (Fault::Kind kind : r.applied.faults)
            ++faults_[kind];
    }
}

void Tally::outcome(const QString& kind, int times) {
    std::lock_guard lock(mutex_);
    outcomes_[kind] += times;
}

void Tally::violation(const QString& what) {
    std::lock_guard lock(mutex_);
    violations_ << QStringLiteral("operation %1: %2").arg(operations_ + 1).arg(what);
}

void Tally::operationDone() {
    std::lock_guard lock(mutex_);
    ++operations_;
}

void Tally::deviceBack() {
    std::lock_guard lock(mutex_);
    ++returns_;
}

void Tally::cannotAct(Fault::Kind kind) {
    std::lock_guard lock(mutex_);
    cannotAct_.push_back(kind);
}

void Tally::setSeconds(double seconds) {
    std::lock_guard lock(mutex_);
    seconds_ = seconds;
}

int Tally::exchanges() const {
    std::lock_guard lock(mutex_);
    return exchanges_;
}

int Tally::applied(Fault::Kind kind) const {
    std::lock_guard lock(mutex_);
    const auto it = faults_.find(kind);
    return it == faults_.end() ? 0 : it->second;
}

int Tally::violations() const {
    std::lock_guard lock(mutex_);
    return int(violations_.size());
}

QString Tally::report(const Tally* window, const Tally* commandLine) {
    std::vector<const Tally*> columns;
    for (const Tally* t : {window, commandLine})
        if (t)
            columns.push_back(t);
    QString text = QStringLiteral("%1").arg(QString(), -32);
    if (window)
        text += QStringLiteral("%1").arg(QStringLiteral("window"), 14);
    if (commandLine)
        text += QStringLiteral("%1").arg(QStringLiteral("command line"), 14);
    text += QLatin1Char('\n');
    const auto row = [&](const QString& name, const auto& value) {
        text += QStringLiteral("%1").arg(name, -32);
        for (const Tally* t : columns) {
            std::lock_guard lock(t->mutex_);
            text += QStringLiteral("%1").arg(value(*t), 14);
        }
        text += QLatin1Char('\n');
    };
    row(QStringLiteral("exchanges"), [](const Tally& t) { return QString::number(t.exchanges_); });
    row(QStringLiteral("operations"),
        [](const Tally& t) { return QString::number(t.operations_); });
    row(QStringLiteral("seconds"),
        [](const Tally& t) { return QString::number(t.seconds_, 'f', 1); });
    row(QStringLiteral("the device came back"),
        [](const Tally& t) { return QString::number(t.returns_); });
    text += QStringLiteral("faults applied (each changed the line)\n");
    for (Fault::Kind kind : allFaultKinds())
        row(QStringLiteral("  ") + QLatin1String(Fault::name(kind)), [kind](const Tally& t) {
            const auto it = t.faults_.find(kind);
            if (std::find(t.cannotAct_.begin(), t.cannotAct_.end(), kind) != t.cannotAct_.end())
                return QStringLiteral("-");
            return QString::number(it == t.faults_.end() ? 0 : it->second);
        });
    std::set<QString> outcomes;
    for (const Tally* t : columns) {
        std::lock_guard lock(t->mutex_);
        for (const auto& [name, n] : t->outcomes_)
            outcomes.insert(name);
    }
    text += QStringLiteral("outcomes\n");
    for (const QString& name : outcomes)
        row(QStringLiteral("  ") + name, [name](const Tally& t) {
            const auto it = t.outcomes_.find(name);
            return it == t.outcomes_.end() ? QStringLiteral("-") : QString::number(it->second);
        });
    int violations = 0;
    for (const Tally* t : columns) {
        std::lock_guard lock(t->mutex_);
        const QString side =
            t == window ? QStringLiteral("window") : QStringLiteral("command line");
        for (const QString& v : t->violations_)
            text += QStringLiteral("VIOLATION (%1) %2\n").arg(side, v);
        violations += int(t->violations_.size());
    }
    text += QStringLiteral("violations: %1\n").arg(violations);
    return text;
}

} // namespace soak
