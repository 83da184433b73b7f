#include "hostsim/line/ptyhost.h"
#include "hostsim/line/ptyhostsegment.h"

#include <iterator>

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace hostsim {

using namespace ptyline;

// Held anew even while held: a moment's let-through for an earlier fault ends here.
void PtyHost::holdIfDue() {
    if (!gone_ && line_.requestLossDue()) {
        tcflow(slave_, TCOOFF);
        if (!held_.exchange(true))
            heldSince_ = Clock::now();
    }
}

bool PtyHost::losingMidRequest() {
    std::lock_guard lock(mutex_);
    const auto due = line_.requestLossDue();
    return due && due->kind == Fault::Kind::LoseMidRequest;
}

void PtyHost::release() {
    if (held_ && !gone_)
        tcflow(slave_, TCOON);
    held_ = false;
}

// GoneBeforeRequest: the device goes at once, or, when the request follows one of a transfer,
// once the tool has read what came before it (its output is held meanwhile, so the request
// cannot leave). LoseMidRequest: the tool's output is
// let through until a few bytes came; once part of a request came, the device goes.
bool PtyHost::holdOrLoseRequest(std::deque<ReplySegment>& out) {
    std::optional<Fault> due;
    Clock::time_point heldSince;
    {
        std::lock_guard lock(mutex_);
        due = line_.requestLossDue();
        if (!due)
            release();
        holdIfDue();
        heldSince = heldSince_;
    }
    if (!due) {
        readSince_.reset();
        return false;
    }
    const Clock::time_point now = Clock::now();
    if (due->kind == Fault::Kind::GoneBeforeRequest) {
        receive(out); // a request that came whole before the output was held is answered
        if (!out.empty())
            return false;
        // The tool has read everything for a while: it is past its read and at the request.
        int unread = 0;
        ioctl(slave_, FIONREAD, &unread);
        if (unread > 0 || now - lastWrite_ < 3ms)
            readSince_.reset();
        else if (!readSince_)
            readSince_ = now;
        if (due->block > 0 && !(readSince_ && now - *readSince_ >= 5ms) &&
            now - heldSince < kGoneAtLatest)
            return false;
        {
            std::lock_guard lock(mutex_);
            line_.recordRequestLoss(line_.partialFrameSize());
            collectRecords(now);
        }
        closeDevice();
        return true;
    }
    // Held again as soon as the bytes came: a loaded machine that keeps this thread waiting lets
    // a few more through, seldom a whole request (that one is answered, and the next is cut).
    // Let through only while the fault is still due: faults changed meanwhile hold anew.
    {
        std::lock_guard lock(mutex_);
        const auto still = line_.requestLossDue();
        if (!still || still->kind != Fault::Kind::LoseMidRequest)
            return false;
        tcflow(slave_, TCOON);
    }
    const std::size_t wanted = 1 + burst_++ % kMostLetThrough;
    std::size_t came = 0;
    for (const auto until = Clock::now() + kLetThroughAtMost;
         came < wanted && Clock::now() < until && losingMidRequest();) {
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, 1) > 0)
            came += receive(out);
    }
    tcflow(slave_, TCOOFF);
    std::this_thread::sleep_for(1ms); // whatever left the tool meanwhile arrives
    receive(out);
    {
        std::lock_guard lock(mutex_);
        if (!line_.hasPartialFrame())
            return false;
        line_.recordRequestLoss(line_.partialFrameSize());
        collectRecords(lastReceived_);
    }
    closeDevice();
    return true;
}

void PtyHost::collectRecords(Clock::time_point received) {
    for (Applied& applied : line_.takeApplied())
        records_.push_back({std::move(applied), received, {}});
}

void PtyHost::noteWritten(std::uint64_t sequence, std::size_t upTo) {
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        if (it->applied.sequence == sequence) {
            it->written.emplace_back(upTo, Clock::now());
            return;
        }
    }
}

void PtyHost::queue(const Reply& r, Clock::time_point received, std::deque<ReplySegment>& out) {
    const std::size_t before = out.size();
    if (r.tricklePause > 0 && !r.bytes.empty()) {
        // One segment a byte, each the pause after the one before.
        for (std::size_t i = 0; i < r.bytes.size(); ++i) {
            ReplySegment byte;
            byte.bytes = {r.bytes[i]};
            byte.earliest = received + seconds(r.delay);
            byte.pause = seconds(r.tricklePause);
            byte.continuation = i > 0;
            byte.goAway = r.goAway && i + 1 == r.bytes.size();
            byte.sequence = r.sequence;
            byte.offset = i;
            out.push_back(std::move(byte));
        }
    } else {
        const std::size_t first = r.splitAt > 0 ? r.splitAt : r.bytes.size();
        ReplySegment head;
        head.bytes.assign(r.bytes.begin(), r.bytes.begin() + static_cast<std::ptrdiff_t>(first));
        head.earliest = received + seconds(r.delay);
        head.goAway = r.goAway && first == r.bytes.size();
        head.sequence = r.sequence;
        out.push_back(std::move(head));
        if (first < r.bytes.size()) {
            ReplySegment tail;
            tail.bytes.assign(r.bytes.begin() + static_cast<std::ptrdiff_t>(first), r.bytes.end());
            tail.pause = seconds(r.splitPause);
            tail.continuation = true;
            tail.goAway = r.goAway;
            tail.sequence = r.sequence;
            tail.offset = first;
            out.push_back(std::move(tail));
        }
    }
    if (r.copyPause >= 0) {
        ReplySegment copy;
        copy.bytes = r.bytes;
        copy.pause = seconds(r.copyPause);
        copy.continuation = true;
        copy.copy = true;
        copy.sequence = r.sequence;
        copy.offset = r.bytes.size();
        out.push_back(std::move(copy));
    }
    pending_ += out.size() - before;
}

// A new request has begun: a copy that is not out yet is dropped, the rest of one under way
// too, and its record ends where the copy stopped. Under mutex_.
void PtyHost::dropCopies(std::deque<ReplySegment>& out) {
    for (auto s = out.begin(); s != out.end();) {
        if (!s->copy) {
            ++s;
            continue;
        }
        for (LineRecord& record : records_) {
            if (record.applied.sequence != s->sequence)
                continue;
            Applied& applied = record.applied;
            applied.wire.resize(s->offset + s->sent);
            if (s->sent == 0) // the line carries what it would have without the fault
                std::erase(applied.faults, Fault::Kind::Twice);
        }
        s = out.erase(s);
        --pending_;
    }
}

std::size_t PtyHost::receive(std::deque<ReplySegment>& out) {
    std::size_t total = 0;
    std::uint8_t buffer[4096];
    ssize_t n;
    while ((n = read(master_, buffer, sizeof buffer)) > 0) {
        total += static_cast<std::size_t>(n);
        const Clock::time_point received = Clock::now();
        {
            std::lock_guard lock(mutex_);
            dropCopies(out);
            const std::vector<Reply> replies = line_.feed(buffer, static_cast<std::size_t>(n));
            collectRecords(received);
            for (const Reply& r : replies)
                queue(r, received, out);
            partial_ = line_.hasPartialFrame();
        }
        changed_.notify_all();
        lastReceived_ = received;
    }
    return total;
}

} // namespace hostsim
