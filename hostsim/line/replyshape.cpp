#include "hostsim/line/replyshape.h"

#include "protocol/protocol.h"

#include <algorithm>
#include <optional>

namespace hostsim {

namespace P = callcfg::protocol;

Reply shapeReply(std::uint8_t command, std::vector<std::uint8_t> data, double delay,
                 std::span<const Fault* const> faults) {
    Reply reply;
    reply.delay = delay;
    std::uint8_t echoed = command;
    bool badChecksum = false;
    std::vector<std::uint8_t> noise, noiseAfter;
    std::optional<std::size_t> corrupt;
    std::size_t keep = SIZE_MAX;
    for (const Fault* f : faults) {
        switch (f->kind) {
        case Fault::Kind::ForceData:
            data = f->bytes;
            break;
        case Fault::Kind::WrongLength:
            data.resize(static_cast<std::uint8_t>(f->value), f->filler);
            break;
        case Fault::Kind::WrongCommand:
            echoed = static_cast<std::uint8_t>(f->value);
            break;
        case Fault::Kind::BadChecksum:
            badChecksum = true;
            break;
        case Fault::Kind::Noise:
            noise.insert(noise.end(), f->bytes.begin(), f->bytes.end());
            break;
        case Fault::Kind::Split:
            reply.splitAt = static_cast<std::size_t>(std::max(0, f->value));
            reply.splitPause = f->pause;
            break;
        case Fault::Kind::Truncate:
            keep = std::min(keep, static_cast<std::size_t>(std::max(0, f->value)));
            break;
        case Fault::Kind::Delay:
            reply.delay += f->pause;
            break;
        case Fault::Kind::NoReply:
            keep = 0;
            break;
        case Fault::Kind::GoAway:
            reply.goAway = true;
            keep = std::min(keep, static_cast<std::size_t>(std::max(0, f->value)));
            break;
        case Fault::Kind::Trickle:
            reply.tricklePause = f->pause;
            break;
        case Fault::Kind::NoiseAfter:
            noiseAfter.insert(noiseAfter.end(), f->bytes.begin(), f->bytes.end());
            break;
        case Fault::Kind::Corrupt:
            corrupt = static_cast<std::size_t>(std::max(0, f->value));
            break;
        case Fault::Kind::Twice:
            reply.copyPause = std::max(0.0, f->pause);
            break;
        case Fault::Kind::MemoryFull:
        case Fault::Kind::LoseMidRequest:
        case Fault::Kind::GoneBeforeRequest:
            break;
        }
    }
    if (data.size() > P::kMaxDataLength)
        data.resize(P::kMaxDataLength);

    std::vector<std::uint8_t> wire = P::replyWire(echoed, data);
    if (badChecksum)
        ++wire.back();
    if (corrupt && *corrupt < wire.size())
        wire[*corrupt] ^= 0x5A;
    reply.bytes = std::move(noise);
    reply.bytes.insert(reply.bytes.end(), wire.begin(), wire.end());
    reply.bytes.insert(reply.bytes.end(), noiseAfter.begin(), noiseAfter.end());
    if (keep < reply.bytes.size())
        reply.bytes.resize(keep);

    if (reply.bytes.size() < 2 || reply.tricklePause <= 0)
        reply.tricklePause = 0;
    if (reply.splitAt >= reply.bytes.size() || reply.splitPause <= 0 || reply.tricklePause > 0) {
        reply.splitAt = 0;
        reply.splitPause = 0;
    }
    if (reply.bytes.empty() && !reply.goAway)
        reply.delay = 0;
    if (reply.bytes.empty() || reply.goAway) // nothing to repeat, or nobody left to send it
        reply.copyPause = -1;
    return reply;
}

bool sameOnTheLine(const Reply& a, const Reply& b) {
    return a.bytes == b.bytes && a.goAway == b.goAway && a.delay == b.delay &&
           a.splitAt == b.splitAt && a.splitPause == b.splitPause &&
           a.tricklePause == b.tricklePause && a.copyPause == b.copyPause;
}

} // namespace hostsim
