#pragma once
// Faults that the simulated host unit can be told to commit, for tests.
//
// A fault applies to the next `times` requests that match it (any command, or only `command`;
// for the block commands 0x0D, 0x0E and 0x18 optionally only block `block`, data byte 0).
// Several queued faults may apply to one request; they combine. Byte counts are counted over the
// bytes on the wire, noise included. Example:
//   unit.addFault(Fault::noReply().onCommand(0x0D).onBlock(40));
// Each kind has one name, that of its maker ("noReply", "wrongLength"), which tests and the
// soak use in their rows and reports: Fault::named("wrongLength 0") is Fault::wrongLength(0).
//
// The two request-loss faults (LoseMidRequest, GoneBeforeRequest) act before a request is
// whole, so its command is not known yet: they take the next request the unit receives, or with
// onBlock(k), k > 0, the one that follows the request for block k - 1 (of `command`, if set)
// received after the fault was queued.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace hostsim {

struct Fault {
    enum class Kind {
        NoReply,           // the request is handled but not answered
        BadChecksum,       // reply checksum off by one
        Noise,             // `bytes` go on the wire in front of the reply
        Split,             // first `value` wire bytes, a pause of `pause` seconds, then the rest
        WrongCommand,      // the reply echoes command code `value`
        WrongLength,       // reply data length forced to `value`; data cut or padded with `filler`
        ForceData,         // reply data replaced by `bytes` (status bytes)
        Truncate,          // only the first `value` wire bytes are sent, the rest never
        Delay,             // the reply leaves `pause` seconds later than it would
        MemoryFull,        // 0x03 (table caller set, repeater write) answers "memory full" at once
        GoAway,            // the device disappears after sending `value` wire bytes (PtyHost)
        Trickle,           // the reply's bytes leave one by one, `pause` seconds apart (PtyHost)
        NoiseAfter,        // `bytes` go on the wire right behind the reply
        Corrupt,           // wire byte `value` (counted from the reply's 55) is XORed with 0x5A
        LoseMidRequest,    // the device goes away after some, never all, of a request's bytes
                           // came in: the tool's write of the rest fails (PtyHost)
        GoneBeforeRequest, // the device is gone before a request's first byte (PtyHost)
        Twice,             // the reply goes out again, whole, `pause` seconds after its end;
                           // a copy not out yet when the next request begins is dropped,
                           // the rest of one under way too (PtyHost)
    };

    Kind kind = Kind::NoReply;
    int command = -1; // -1: any command
    int block = -1;   // -1: any block
    int times = 1;    // requests left to apply to; -1: for ever
    int value = 0;
    double pause = 0.05;
    std::uint8_t filler = 0;
    std::vector<std::uint8_t> bytes;

    static Fault noReply() { return of(Kind::NoReply); }
    static Fault badChecksum() { return of(Kind::BadChecksum); }
    static Fault noise(std::vector<std::uint8_t> noiseBytes) {
        Fault f = of(Kind::Noise);
        f.bytes = std::move(noiseBytes);
        return f;
    }
    static Fault split(int firstPart, double pauseSeconds) {
        Fault f = of(Kind::Split);
        f.value = firstPart;
        f.pause = pauseSeconds;
        return f;
    }
    static Fault wrongCommand(std::uint8_t echoed) {
        Fault f = of(Kind::WrongCommand);
        f.value = echoed;
        return f;
    }
    static Fault wrongLength(std::uint8_t length, std::uint8_t fillerByte = 0) {
        Fault f = of(Kind::WrongLength);
        f.value = length;
        f.filler = fillerByte;
        return f;
    }
    static Fault forceData(std::vector<std::uint8_t> data) {
        Fault f = of(Kind::ForceData);
        f.bytes = std::move(data);
        return f;
    }
    static Fault truncate(int keptBytes) {
        Fault f = of(Kind::Truncate);
        f.value = keptBytes;
        return f;
    }
    static Fault delay(double seconds) {
        Fault f = of(Kind::Delay);
        f.pause = seconds;
        return f;
    }
    static Fault memoryFull() { return of(Kind::MemoryFull); }
    static Fault trickle(double pauseSeconds) {
        Fault f = of(Kind::Trickle);
        f.pause = pauseSeconds;
        return f;
    }
    static Fault noiseAfter(std::vector<std::uint8_t> noiseBytes) {
        Fault f = of(Kind::NoiseAfter);
        f.bytes = std::move(noiseBytes);
        return f;
    }
    static Fault corrupt(int wireByte) {
        Fault f = of(Kind::Corrupt);
        f.value = wireByte;
        return f;
    }
    static Fault goAway(int bytesSentFirst = 0) {
        Fault f = of(Kind::GoAway);
        f.value = bytesSentFirst;
        return f;
    }
    static Fault twice(double pauseSeconds) {
        Fault f = of(Kind::Twice);
        f.pause = pauseSeconds;
        return f;
    }
    static Fault loseMidRequest() { return of(Kind::LoseMidRequest); }
    static Fault goneBeforeRequest() { return of(Kind::GoneBeforeRequest); }
    bool losesRequest() const {
        return kind == Kind::LoseMidRequest || kind == Kind::GoneBeforeRequest;
    }

    Fault onCommand(std::uint8_t code) const {
        Fault f = *this;
        f.command = code;
        return f;
    }
    Fault onBlock(int k) const {
        Fault f = *this;
        f.block = k;
        return f;
    }
    Fault count(int n) const {
        Fault f = *this;
        f.times = n;
        return f;
    }
    Fault always() const { return count(-1); }

    static const char* name(Kind kind);
    // A fault from its name and its maker's arguments, separated by spaces: bytes in hex
    // ("forceData 01 02", "wrongCommand 15", "forceData" alone: no data), counts in decimal,
    // pauses in seconds. Nothing when the name or an argument is not one.
    static std::optional<Fault> named(std::string_view text);

private:
    static Fault of(Kind k) {
        Fault f;
        f.kind = k;
        return f;
    }
};

} // namespace hostsim
