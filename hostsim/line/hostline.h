#pragma once
// The serial line at the simulated host unit: a pure state machine without I/O or clocks.
//
// Feed it the bytes that arrive on the line; it finds the request frames
// (55 55 AA 01 cmd n data checksum; bad checksums and unknown command codes are ignored), has its
// HostUnit carry each out and answers with a Reply: the wire bytes 55 AA 02 cmd m data checksum
// and when to send them, as the queued faults (fault.h) shape them. It keeps what came in and a
// record of what it did with each request.
//
//   hostsim::HostUnit unit;
//   hostsim::HostLine line(unit);
//   line.addFault(hostsim::Fault::noReply().onCommand(0x0D));
//   const auto replies = line.feed(bytes);

#include "hostsim/line/fault.h"
#include "hostsim/line/replyshape.h"
#include "hostsim/line/requestparser.h"
#include "hostsim/unit/hostunit.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace hostsim {

// What the line did with one request: the faults that changed what went on the line, the bytes
// it sent, and whether they hold the correct, whole reply (noise around it, a delay or a split
// aside).
struct Applied {
    enum class Answer {
        Correct,   // the right reply went out whole
        Incorrect, // no reply, a cut, corrupted or wrong one
        Uncertain, // the right reply went out, but the device went away right behind it
    };
    std::uint64_t sequence = 0; // counts the line's records from 0
    ReceivedRequest request;
    // Set when the device went away while the request came in, after this many of its bytes;
    // `request` is then empty.
    std::optional<std::size_t> lostAfter;
    // Each fault without which the line would have carried something else (of several that
    // agree, the last), and MemoryFull when it kept the unit from storing.
    std::vector<Fault::Kind> faults;
    Answer answer = Answer::Incorrect;
    bool refused = false;            // an operand out of range or a wrong length: nothing changed
    std::vector<std::uint8_t> right; // the reply the unit would have sent without faults
    // What it sent, noise and a second copy (Fault::Twice) included; it ends where a copy
    // dropped for the next request stopped.
    std::vector<std::uint8_t> wire;
    bool goAway = false; // the device went away after `wire`
};

class HostLine {
public:
    // The line to `unit`, which must outlive it.
    explicit HostLine(HostUnit& unit) : unit_(&unit) {}

    HostUnit& unit() { return *unit_; }
    const HostUnit& unit() const { return *unit_; }

    // Takes received bytes in any chunking; returns the replies due, in request order.
    std::vector<Reply> feed(const std::uint8_t* bytes, std::size_t count);
    std::vector<Reply> feed(const std::vector<std::uint8_t>& bytes) {
        return feed(bytes.data(), bytes.size());
    }
    bool hasPartialFrame() const { return parser_.hasPartialFrame(); }
    std::size_t partialFrameSize() const { return parser_.partialFrameSize(); }
    void dropPartialFrame() { parser_.dropPartialFrame(); }

    // What the unit received: every good request frame and every raw byte.
    const std::vector<ReceivedRequest>& requests() const { return requests_; }
    std::vector<ReceivedRequest> takeRequests();
    const std::vector<std::uint8_t>& rawReceived() const { return raw_; }
    std::vector<std::uint8_t> takeRawReceived();
    // What the line did with each request since the last call.
    std::vector<Applied> takeApplied();

    // The request-loss fault (LoseMidRequest or GoneBeforeRequest) that takes the next request,
    // if one is queued; see fault.h.
    std::optional<Fault> requestLossDue() const;
    // The device went away under that fault after `bytesReceived` bytes of the request: the
    // fault is taken and recorded, the unfinished frame forgotten.
    void recordRequestLoss(std::size_t bytesReceived);

    // A request-loss fault counts only requests received after it: the line forgets the last.
    void addFault(const Fault& fault) {
        if (fault.losesRequest())
            lastRequest_.reset();
        faults_.push_back(fault);
    }
    void clearFaults() { faults_.clear(); }
    std::size_t pendingFaults() const { return faults_.size(); }

private:
    Reply makeReply(const ReceivedRequest& request);
    std::vector<Fault> takeMatchingFaults(const ReceivedRequest& request);
    std::optional<std::size_t> dueRequestLoss() const;

    HostUnit* unit_;
    RequestParser parser_;
    std::deque<Fault> faults_;
    std::vector<ReceivedRequest> requests_;
    std::vector<Applied> applied_;
    std::uint64_t nextSequence_ = 0;
    std::optional<ReceivedRequest> lastRequest_;
    std::vector<std::uint8_t> raw_;
};

} // namespace hostsim
