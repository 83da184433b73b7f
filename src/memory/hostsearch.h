#pragma once
// Finding the host unit: every port present or mapped (COM1 to COM8 and every higher one) is
// asked for the host memory's block 0, each device once, USB serial adapters first, then the
// rest. A Bluetooth serial port is not asked unless --port maps it: its open may wait many
// seconds for a far device. Each question runs on a port object and a thread of its own
// (portquestion.h) and is left behind when it takes longer than its bound, so that no driver
// holds the search. A device that another program holds cannot be opened and is left alone.

#include "memory/portquestion.h"

#include <chrono>
#include <memory>
#include <vector>

namespace callcfg {

class HostSearch {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kBound{2000};    // a port's open and question
    static constexpr std::chrono::milliseconds kStopGrace{300}; // for the question in flight

    HostSearch(const PortMap& portMap, QuestionSettings settings);
    ~HostSearch();
    HostSearch(const HostSearch&) = delete;
    HostSearch& operator=(const HostSearch&) = delete;

    // Ends the search at the first port where a host unit answers.
    void stopAtFirst() { stopAtFirst_ = true; }

    // Goes on asking until every port to ask has its answer (true) or `until` has come
    // (false): starts the questions in turn, takes their answers, leaves behind one past its
    // bound.
    bool advance(Clock::time_point until);
    // Runs the search to its end.
    void run() { advance(Clock::time_point::max()); }
    // Ends the search: the question in flight is given kStopGrace to end and then left behind;
    // its port and every port not asked yet answer NotAsked.
    void stop();

    // Every port of the list with its answer so far (NotAsked for those still to ask), by port.
    const std::vector<Probe>& probes() const { return probes_; }
    // The port being asked now, if any.
    const PortTarget* asking() const;
    // The first port, in the search's order, where a host unit answered; 0 when none did.
    int found() const { return found_; }

private:
    void take(std::size_t index, const Probe& probe);

    std::vector<Probe> probes_;
    std::vector<std::size_t> order_; // the probes to ask, in turn; each device once
    std::size_t next_ = 0;           // in order_
    QuestionSettings settings_;
    std::unique_ptr<PortQuestion> question_; // the question in flight, for order_[next_]
    Clock::time_point deadline_;             // its bound
    std::chrono::milliseconds bound_ = kBound;
    bool stopAtFirst_ = false;
    int found_ = 0;
};

} // namespace callcfg
