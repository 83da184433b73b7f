#include "transferjudge.h"

#include "protocol/protocol.h"

#include <algorithm>

namespace soak {

bool TransferVerdict::allows(Stop stop, int block) const {
    return std::find(stops.begin(), stops.end(), std::pair(stop, block)) != stops.end();
}

std::vector<std::optional<Clock::time_point>>
sendTimes(std::span<const hostsim::LineRecord> records, const std::vector<Sent>& sent) {
    std::vector<std::optional<Clock::time_point>> times;
    std::size_t next = 0;
    for (const hostsim::LineRecord& r : records) {
        std::optional<Clock::time_point> at;
        if (!r.applied.lostAfter) {
            const Bytes wire =
                callcfg::protocol::requestWire(r.applied.request.command, r.applied.request.data);
            for (std::size_t i = next; i < sent.size(); ++i) {
                if (sent[i].wire == wire) {
                    at = sent[i].at;
                    next = i + 1;
                    break;
                }
            }
        }
        times.push_back(at);
    }
    return times;
}

TransferVerdict judgeTransfer(const TransferPlan& plan,
                              std::span<const hostsim::LineRecord> records,
                              const std::vector<Sent>& sent, bool gone) {
    TransferVerdict verdict;
    const auto times = sendTimes(records, sent);
    const int n = int(records.size());
    if (n == 0) {
        if (gone)
            verdict.stops.emplace_back(Stop::SendFailure, 0);
        return verdict;
    }
    for (int k = 0; k < n; ++k) {
        const hostsim::LineRecord& r = records[std::size_t(k)];
        const bool last = k == n - 1;
        if (k >= plan.blocks) {
            verdict.problems << QStringLiteral("a request after the last block");
            return verdict;
        }
        if (r.applied.lostAfter && !last) {
            verdict.problems << QStringLiteral("went on after the device went away");
            return verdict;
        }
        if (!r.applied.lostAfter &&
            (r.applied.request.command != plan.command || r.applied.request.data != plan.data(k))) {
            verdict.problems << QStringLiteral("block %1: sent command %2 with %3 data bytes, "
                                               "first %4")
                                    .arg(k)
                                    .arg(r.applied.request.command, 2, 16, QLatin1Char('0'))
                                    .arg(r.applied.request.data.size())
                                    .arg(r.applied.request.data.empty()
                                             ? -1
                                             : r.applied.request.data[0]);
            return verdict;
        }
        const Allowed a = allowedOutcomes({&r, times[std::size_t(k)], plan.waitSeconds(k)});
        verdict.minChecksumErrors += a.minChecksumErrors;
        verdict.maxChecksumErrors += a.maxChecksumErrors;
        const bool goodLength = a.reply && a.reply->size() == plan.replyLength;
        if (!last) {
            if (!goodLength) {
                verdict.problems << QStringLiteral("went past block %1 without a good reply of "
                                                   "the right length")
                                        .arg(k);
                return verdict;
            }
            verdict.replies.push_back(*a.reply);
            continue;
        }
        if (a.sendFailure)
            verdict.stops.emplace_back(Stop::SendFailure, k);
        // Gone before this request: the tool may have seen it go while it read the reply before.
        if (a.sendFailure && k > 0 && r.applied.lostAfter == 0u)
            verdict.stops.emplace_back(Stop::PortLost, k - 1);
        if (a.noReply) {
            verdict.stops.emplace_back(Stop::NoReply, k);
            if (gone)
                verdict.stops.emplace_back(Stop::PortLost, k);
        }
        if (a.reply && !goodLength)
            verdict.stops.emplace_back(Stop::WrongLength, k);
        if (goodLength) {
            verdict.replies.push_back(*a.reply);
            if (k + 1 == plan.blocks)
                verdict.stops.emplace_back(Stop::Done, plan.blocks);
            else if (gone) // the device went away behind the reply: the next request failed
                verdict.stops.emplace_back(Stop::SendFailure, k + 1);
        }
    }
    return verdict;
}

} // namespace soak
