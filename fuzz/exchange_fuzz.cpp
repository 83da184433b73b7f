// Two exchanges of the link on a scripted device, its bytes arriving at scripted moments in
// virtual time.
//
// Input layout: byte 0 the flags (bits 0-1: periods - 1; bit 2: the device refuses writes; bit 3:
// reads fail; bit 4: the device sends nothing but the good reply to the second request, cut at
// the chunks' lengths; bit 5: the exchanges lie apart, and with bit 4 the reply comes twice),
// byte 1 the period in tens of milliseconds less one, byte 2 the command, byte 3 the request's
// data length (low three bits) and its data; a byte with the reply's data length (low four bits)
// and its data; with bit 5, a byte with the time between the exchanges (10 ms steps); then
// chunks, each a byte of delay (in 10 ms steps after the chunk before, from 5 ms after the first
// request), a length byte and the bytes, or with bit 4 the reply's data in byte 0's place; with
// bits 4 and 5, a last byte of delay (10 ms steps) after which the whole reply comes again.
//
// Checks: the device receives exactly the request frame, or nothing when it refuses writes; an
// accepted reply stood whole on the wire after the request and before the exchange ended; a
// reply is taken at the end of a period and within the wait, a wait without one lasts every
// period; a failing device ends the first period as a port fault; a good reply alone on the line
// is taken at the end of the period in which it completed; and its copy, once the first exchange
// took the reply, only by a second exchange that had begun before the copy came.

#include "check.h"

#include "link/link.h"
#include "protocol/protocol.h"
#include "scriptedport.h"

#include <algorithm>
#include <chrono>

using namespace std::chrono;
using Bytes = std::vector<std::uint8_t>;

namespace {

struct Chunk {
    milliseconds at; // after the first request
    Bytes bytes;
};

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    Bytes bytes(std::size_t n) {
        n = std::min(n, size_ - std::min(at_, size_));
        Bytes b(data_ + at_, data_ + at_ + n);
        at_ += n;
        return b;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// The bytes that arrived in (from, to].
Bytes arrivedBetween(const std::vector<Chunk>& chunks, nanoseconds from, nanoseconds to) {
    Bytes all;
    for (const Chunk& c : chunks)
        if (c.at > from && c.at <= to)
            all.insert(all.end(), c.bytes.begin(), c.bytes.end());
    return all;
}

bool contains(const Bytes& haystack, const Bytes& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
           haystack.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const std::uint8_t flags = in.byte();
    const int periodSteps = in.byte() + 1;
    const callcfg::WaitPlan plan{1 + (flags & 3), periodSteps / 100.0};
    const nanoseconds period = milliseconds(10 * periodSteps);
    callcfg::Request request{in.byte(), {}};
    request.data = in.bytes(in.byte() & 7);
    const bool refuseWrites = flags & 4, failReads = flags & 8, goodReplyOnly = flags & 16;
    const bool apart = flags & 32, twice = goodReplyOnly && apart;
    const Bytes goodReply = callcfg::protocol::replyWire(request.command, in.bytes(in.byte() & 15));
    const milliseconds gap(apart ? 10 * in.byte() : 0);

    std::vector<Chunk> chunks;
    milliseconds at{5}; // between the ends of periods, which fall on whole tens of milliseconds
    std::size_t replySent = 0;
    while (!in.empty() && chunks.size() < 64 && (!goodReplyOnly || replySent < goodReply.size())) {
        at += milliseconds(10 * in.byte());
        const std::size_t length = in.byte();
        if (goodReplyOnly) {
            const std::size_t n =
                std::min(goodReply.size() - replySent, std::max<std::size_t>(1, length));
            chunks.push_back({at, Bytes(goodReply.begin() + long(replySent),
                                        goodReply.begin() + long(replySent + n))});
            replySent += n;
        } else {
            chunks.push_back({at, in.bytes(length)});
        }
    }
    // The copy, whole, after the reply's last chunk.
    const bool whole = goodReplyOnly && replySent == goodReply.size();
    std::optional<milliseconds> copyAt;
    if (twice && whole) {
        copyAt = at + milliseconds(10 * in.byte());
        chunks.push_back({*copyAt, goodReply});
    }

    testsupport::ScriptedLink scripted;
    FUZZ_CHECK(scripted.link.open(QStringLiteral("fuzz")));
    for (const Chunk& c : chunks)
        scripted.port.arrive(c.bytes, c.at);
    scripted.port.refuseWrites = refuseWrites;
    scripted.port.failReads = failReads;

    // When an exchange starting at `start` takes the reply alone on the line: at the end of the
    // period whose read completes it, unless its first read is a lone byte, which is dropped.
    const auto takenAt = [&](nanoseconds start) -> std::optional<nanoseconds> {
        // A reply begun before the request is dropped with what came before it.
        if (!whole || (start > nanoseconds{} && nanoseconds(chunks.front().at) <= start))
            return std::nullopt;
        std::size_t read = 0;
        for (int k = 1; k <= plan.periods; ++k) {
            const nanoseconds from = start + (k - 1) * period, to = start + k * period;
            const std::size_t now =
                arrivedBetween(chunks, from, to).size() -
                (copyAt && *copyAt > from && *copyAt <= to ? goodReply.size() : 0);
            if (read == 0 && now == 1)
                return std::nullopt;
            if ((read += now) == goodReply.size())
                return start + k * period;
        }
        return std::nullopt;
    };
    // When an exchange starting at `start` takes the copy, once the reply was taken before: at the
    // end of the period in which it came, if it came after the request and within the wait.
    const auto copyTakenAt = [&](nanoseconds start) -> std::optional<nanoseconds> {
        if (!copyAt || *copyAt <= start || *copyAt > start + plan.periods * period)
            return std::nullopt;
        return start + (1 + (*copyAt - start) / period) * period;
    };

    const Bytes wire = callcfg::protocol::requestWire(request.command, request.data);
    const auto now = [&] { return nanoseconds(scripted.clock.now().time_since_epoch()); };
    // A wait's end lies within a microsecond a period of its exact moment.
    const auto near = [&](nanoseconds a, nanoseconds b) { return abs(a - b) <= microseconds(4); };
    bool replyTaken = false;
    bool expectedTaken = false; // the first exchange took the reply when it had to
    for (int exchange = 0; exchange < 2; ++exchange) {
        if (exchange == 1)
            scripted.clock.advance(gap);
        const nanoseconds start = now();
        const callcfg::Outcome outcome = scripted.link.exchange(request, plan);
        const nanoseconds waited = now() - start;
        FUZZ_CHECK(scripted.port.takeWritten() == (refuseWrites ? Bytes{} : wire));
        if (refuseWrites || failReads) {
            const auto* fault = std::get_if<callcfg::PortFault>(&outcome);
            FUZZ_CHECK(fault && fault->whileSending == refuseWrites &&
                       near(waited, refuseWrites ? nanoseconds{} : nanoseconds(period)));
            return 0; // the device is gone
        }
        const long long periods = (waited + microseconds(4)) / period;
        FUZZ_CHECK(periods >= 1 && periods <= plan.periods && near(waited, periods * period));
        const auto* replied = std::get_if<callcfg::Replied>(&outcome);
        if (replied) {
            const Bytes onWire = callcfg::protocol::replyWire(request.command, replied->data);
            FUZZ_CHECK(contains(arrivedBetween(chunks, start, start + waited), onWire));
        } else {
            FUZZ_CHECK(std::holds_alternative<callcfg::NoReply>(outcome) &&
                       periods == plan.periods);
        }
        // With a copy on the line, the reply's time is known when the first exchange took it, and
        // the copy's after that.
        const std::optional<nanoseconds> expected = !replyTaken     ? takenAt(start)
                                                    : expectedTaken ? copyTakenAt(start)
                                                                    : std::nullopt;
        if (goodReplyOnly && (!copyAt || expected || replyTaken)) {
            FUZZ_CHECK(expected.has_value() == (replied != nullptr));
            if (replied)
                FUZZ_CHECK(replied->data == Bytes(goodReply.begin() + 5, goodReply.end() - 1) &&
                           near(start + waited, *expected));
        }
        expectedTaken = exchange == 0 && replied && expected;
        replyTaken = replyTaken || replied;
    }
    return 0;
}
