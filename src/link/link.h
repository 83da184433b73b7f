#pragma once
// The serial link to the host unit: opens and closes the port, and makes exchanges. One Link
// lives for the whole run; it shows nothing and knows nothing of the windows.

#include "link/exchange.h"
#include "link/serialport.h"
#include "link/waitclock.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace callcfg {

class LinkObserver;

class Link {
public:
    // The waits run on `clock`: the monotonic clock; only tests put in another.
    explicit Link(std::unique_ptr<SerialPort> port,
                  std::unique_ptr<WaitClock> clock = std::make_unique<SteadyWaitClock>());
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // True from a successful open until the next close. A port that is lost meanwhile is
    // noticed only by the next exchange.
    bool isOpen() const { return open_; }
    // The device opened last.
    const QString& device() const { return device_; }
    // Switches RTS on, then opens `device` at 9600 8N1; false when it cannot (portError()).
    // `entry` is the port list entry that leads to it ("COM1"), when one does.
    bool open(const QString& device, const QString& entry = {});
    // Closes the port if it is open; the RTS line stays as it is.
    void close();
    void setRts(bool on);
    // The system's reason for the last port failure, and its kind.
    QString portError() const;
    PortFailure portFailure() const;

    // Sends the request, runs `afterSending` (a wait box, say) and waits as `wait` says,
    // taking the reply to the request's command at the end of a period. Each period runs in
    // full from its start; one that showed the checksum box ends when the box is closed. A
    // period's read ends past the period by at most the port's read patience (40 ms on a
    // Windows driver that leaves reads pending), and that is taken from the next period.
    // Nothing but the observers' calls runs during the wait. Whatever is waiting at the port is
    // dropped right before the request leaves, without a wait (the observers' dropped()): nothing
    // that came before the request is its reply, so neither a late reply to an earlier request, nor
    // a reply the unit sent twice, nor noise behind one is taken for the reply to this one.
    Outcome exchange(const Request& request, const WaitPlan& wait,
                     const std::function<void()>& afterSending = {});

    // Everything waiting at the port, or nothing when it is closed or failed.
    std::optional<std::vector<std::uint8_t>> readWaiting();
    // Reads and drops everything waiting at the port.
    void discardInput();

    // "COM1 (/dev/ttyUSB0) disconnected: <reason>" for the port opened last; for a stalled
    // device "COM1 (/dev/ttyUSB0) took no byte for a second", with the system's reason if any.
    QString lostMessage(const PortFault& fault) const;
    // Passes `text` to the observers' note().
    void note(const QString& text);

    void addObserver(LinkObserver* observer);
    void removeObserver(LinkObserver* observer);

    // Multiplies every wait period. 1.0 in the product; only tests shorten waits.
    void setTimeScale(double scale) { timeScale_ = scale; }
    double timeScale() const { return timeScale_; }

private:
    void sleepUntil(WaitClock::TimePoint deadline);
    std::optional<std::vector<std::uint8_t>> readPort(std::chrono::milliseconds span = {});
    std::optional<std::vector<std::uint8_t>> readPeriod(WaitClock::TimePoint end);
    std::optional<std::vector<std::uint8_t>> read();
    void tellReceived(const std::optional<std::vector<std::uint8_t>>& bytes);
    void dropWaiting();
    PortFault lose(const PortFault& fault);

    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<WaitClock> clock_;
    std::vector<LinkObserver*> observers_;
    QString device_;
    QString entry_;
    bool open_ = false;
    double timeScale_ = 1.0;
};

} // namespace callcfg
