#pragma once
// A serial device played by the test: what the host unit sends comes in scripted chunks once
// the link's virtual clock passes their moments, what the link writes is recorded, and the
// device can refuse writes or fail reads as a device that was pulled out does. ScriptedLink
// puts a Link on one.

#include "link/link.h"
#include "link/serialport.h"
#include "virtualclock.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace testsupport {

class ScriptedPort : public callcfg::SerialPort {
public:
    using Bytes = std::vector<std::uint8_t>;

    explicit ScriptedPort(VirtualClock& clock) : clock_(clock) {}

    // `bytes` arrive `after` the clock's present moment.
    void arrive(Bytes bytes, std::chrono::milliseconds after = {});
    // Everything written since the last call.
    Bytes takeWritten() { return std::exchange(written_, {}); }

    bool refuseWrites = false;
    bool failReads = false;
    // The read of a wait's period takes this long, as on a driver that leaves reads pending;
    // the port says so. A read of what is waiting returns at once, unless `readAllTakes` says
    // otherwise (a driver that has not yet shown that it leaves reads pending).
    std::chrono::milliseconds readTakes{};
    std::chrono::milliseconds readAllTakes{};
    // Reads complete at once, with what is due or with nothing, whatever the port's patience,
    // as a driver's reads may once it has left one pending.
    bool readsCompleteAtOnce = false;
    // Handed to the link after its next read.
    std::vector<callcfg::LineError> lineErrors;

    bool open(const QString& device) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void setRts(bool) override {}
    bool writeByte(std::uint8_t byte) override;
    std::optional<Bytes> readAll() override;
    std::optional<Bytes> readAllFor(std::chrono::milliseconds span) override;
    QString errorText() const override { return error_; }
    std::vector<callcfg::LineError> takeLineErrors() override {
        return std::exchange(lineErrors, {});
    }
    std::chrono::milliseconds readPatience() const override { return readTakes; }

private:
    struct Chunk {
        VirtualClock::TimePoint at;
        Bytes bytes;
    };
    Bytes takeArrived();
    std::optional<Bytes> readTaking(std::chrono::milliseconds span);

    VirtualClock& clock_;
    std::vector<Chunk> chunks_; // in the order of their moments
    Bytes written_;
    bool open_ = false;
    QString error_;
};

// A Link on a ScriptedPort, its waits on a VirtualClock.
class ScriptedLink {
public:
    ScriptedLink() : ScriptedLink(std::make_unique<VirtualClock>()) {}

    VirtualClock& clock;
    ScriptedPort& port;
    callcfg::Link link;

private:
    explicit ScriptedLink(std::unique_ptr<VirtualClock>&& ownClock)
        : ScriptedLink(std::make_unique<ScriptedPort>(*ownClock), std::move(ownClock)) {}
    ScriptedLink(std::unique_ptr<ScriptedPort>&& ownPort, std::unique_ptr<VirtualClock>&& ownClock)
        : clock(*ownClock), port(*ownPort), link(std::move(ownPort), std::move(ownClock)) {}
};

} // namespace testsupport
