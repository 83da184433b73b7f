#pragma once
// A block transfer (a read or a download) judged against what the line carried: which request
// each block sent, and where and why the tool may have stopped.

#include "lineview.h"

#include <QStringList>

#include <functional>
#include <span>

namespace soak {

// A request as it left the tool, and when.
struct Sent {
    Clock::time_point at;
    Bytes wire;
};

struct TransferPlan {
    int blocks = 0;
    std::uint8_t command = 0;
    std::function<Bytes(int block)> data; // request data of block k
    std::function<double(int block)> waitSeconds;
    std::size_t replyLength = 0;
};

enum class Stop { Done, NoReply, PortLost, WrongLength, SendFailure };

struct TransferVerdict {
    // Where the tool may have stopped: what ended it, and the block (the block count when done).
    std::vector<std::pair<Stop, int>> stops;
    std::vector<Bytes> replies; // the good replies of the blocks the tool went past, in order
    int minChecksumErrors = 0;
    int maxChecksumErrors = 0;
    QStringList problems; // what the tool did that the line did not allow
    bool allows(Stop stop, int block) const;
};

// `records` are the unit's records of the transfer, in order; `sent` the requests the tool
// wrote whole; `gone` whether the device is gone afterwards.
TransferVerdict judgeTransfer(const TransferPlan& plan,
                              std::span<const hostsim::LineRecord> records,
                              const std::vector<Sent>& sent, bool gone);

// When each record's request left the tool: the next of `sent` that carried the same request.
std::vector<std::optional<Clock::time_point>>
sendTimes(std::span<const hostsim::LineRecord> records, const std::vector<Sent>& sent);

} // namespace soak
