#pragma once
// One port asked whether a host unit is behind it, on a thread of its own and on a port object
// of its own: opened, asked for the host memory's block 0 with that request's wait of 0.2 s,
// and closed. Whoever waits for the answer waits only as long as it chooses: a driver that
// stalls the open, a write or the close holds the question's thread, never the caller's. A
// question that is left behind ends on its own and frees what it holds.

#include "link/portmap.h"
#include "link/serialport.h"

#include <QPointer>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace callcfg {

class TrafficLogFile;

enum class ProbeAnswer {
    NotPresent, // nothing to open
    Skipped,    // a Bluetooth serial port, asked only when --port maps it
    NotOpened,  // the device could not be opened (another program holds it, say)
    NoAnswer,   // nothing answered as a host unit does
    HostUnit,   // a host unit answered with block 0
    Stalled,    // the open or the question took longer than its bound and was left behind
    NotAsked,   // the search ended before this port's turn
};

struct Probe {
    PortTarget target;
    ProbeAnswer answer = ProbeAnswer::NotPresent;
    QString reason; // the system's reason when the device could not be opened or was lost
    // The kind of that failure: why it could not be opened (another program holds it, say), or
    // Stalled when it took no byte of the question for a second.
    PortFailure failure = PortFailure::Other;
};

// What a search asks with.
struct QuestionSettings {
    // A new port object; called on the question's thread.
    std::function<std::unique_ptr<SerialPort>()> makePort;
    // Multiplies the request's wait; 1.0 in the product, only tests shorten it.
    double timeScale = 1.0;
    // The traffic log's file, where the question's traffic is logged too; none when null.
    std::shared_ptr<TrafficLogFile> log;
};

class PortQuestion {
public:
    using Clock = std::chrono::steady_clock;

    // Starts asking `target` at once.
    PortQuestion(const PortTarget& target, const QuestionSettings& settings);
    // Waits for the thread of a question that has ended to finish, so that none of it runs on
    // while the program ends; leaves a question that has not to end on its own.
    ~PortQuestion();
    PortQuestion(const PortQuestion&) = delete;
    PortQuestion& operator=(const PortQuestion&) = delete;

    struct Progress {
        std::optional<Probe> answer; // once the reply has been judged, or the open has failed
        bool closed = false;         // the port closed again: the question has ended
    };
    // How far the question has come, once it has ended or `until` has come.
    Progress waitUntil(Clock::time_point until);

private:
    struct State;
    std::shared_ptr<State> state_;
    QPointer<QThread> thread_; // null once the thread has deleted itself
};

} // namespace callcfg
