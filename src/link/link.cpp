#include "link/link.h"

#include "link/linkobserver.h"
#include "link/portremedy.h"
#include "link/replyscanner.h"
#include "link/texts.h"
#include "protocol/protocol.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace callcfg {

namespace {

// Longest sleep between two calls of the observers' waiting().
constexpr auto kIdleSlice = std::chrono::milliseconds(40);

} // namespace

Link::Link(std::unique_ptr<SerialPort> port, std::unique_ptr<WaitClock> clock)
    : port_(std::move(port)), clock_(std::move(clock)) {}

Link::~Link() {
    port_->close();
}

bool Link::open(const QString& device, const QString& entry) {
    port_->setRts(true);
    device_ = device;
    entry_ = entry;
    open_ = port_->open(device);
    return open_;
}

void Link::close() {
    if (port_->isOpen())
        port_->close();
    open_ = false;
}

void Link::setRts(bool on) {
    port_->setRts(on);
}

QString Link::portError() const {
    return port_->errorText();
}

PortFailure Link::portFailure() const {
    return port_->failure();
}

void Link::addObserver(LinkObserver* observer) {
    observers_.push_back(observer);
}

void Link::removeObserver(LinkObserver* observer) {
    std::erase(observers_, observer);
}

// Sleeps until `deadline`, telling the observers between slices.
void Link::sleepUntil(WaitClock::TimePoint deadline) {
    for (auto now = clock_->now(); now < deadline; now = clock_->now()) {
        clock_->sleepUntil(std::min(deadline, now + kIdleSlice));
        if (clock_->now() < deadline)
            for (LinkObserver* observer : observers_)
                observer->waiting();
    }
}

// A read of the port, with the line errors it noticed: what is waiting, or what arrives
// within `span`.
std::optional<std::vector<std::uint8_t>> Link::readPort(std::chrono::milliseconds span) {
    auto bytes = span > span.zero() ? port_->readAllFor(span) : port_->readAll();
    for (LineError error : port_->takeLineErrors())
        for (LinkObserver* observer : observers_)
            observer->lineError(error);
    return bytes;
}

// What arrived by the end of a wait's period. The read starts the port's read patience before
// `end`, so that a slow read comes out of the period, not on top of it. A read that completes
// before `end` (a driver that answers at once with nothing) is followed by one at `end`: the
// period is never judged early, and runs past `end` by at most the port's patience.
std::optional<std::vector<std::uint8_t>> Link::readPeriod(WaitClock::TimePoint end) {
    using std::chrono::milliseconds;
    const auto patience =
        std::chrono::duration_cast<WaitClock::TimePoint::duration>(port_->readPatience());
    sleepUntil(end - patience);
    const auto left = std::chrono::ceil<milliseconds>(end - clock_->now());
    auto bytes = readPort(std::max(left, milliseconds(0)));
    if (bytes && clock_->now() < end) {
        sleepUntil(end);
        auto rest = readPort();
        if (!rest)
            return rest;
        bytes->insert(bytes->end(), rest->begin(), rest->end());
    }
    tellReceived(bytes);
    return bytes;
}

std::optional<std::vector<std::uint8_t>> Link::read() {
    auto bytes = readPort();
    tellReceived(bytes);
    return bytes;
}

void Link::tellReceived(const std::optional<std::vector<std::uint8_t>>& bytes) {
    if (bytes && !bytes->empty())
        for (LinkObserver* observer : observers_)
            observer->received(*bytes);
}

QString Link::lostMessage(const PortFault& fault) const {
    const QString port = portAndDevice(entry_, device_);
    if (!fault.stalled)
        return Texts::tr("%1 disconnected: %2").arg(port, fault.reason);
    return fault.reason.isEmpty()
               ? Texts::tr("%1 took no byte for a second").arg(port)
               : Texts::tr("%1 took no byte for a second: %2").arg(port, fault.reason);
}

void Link::note(const QString& text) {
    for (LinkObserver* observer : observers_)
        observer->note(text);
}

PortFault Link::lose(const PortFault& fault) {
    const QString message = lostMessage(fault);
    for (LinkObserver* observer : observers_)
        observer->portLost(message);
    return fault;
}

// What came before a request is dropped here: a reply that came after the earlier request gave
// up, a second copy of a reply already taken, noise. A reply that comes only after this request
// has left cannot be told from this request's own: the protocol carries no sequence numbers.
void Link::dropWaiting() {
    const auto bytes = readPort();
    if (bytes && !bytes->empty())
        for (LinkObserver* observer : observers_)
            observer->dropped(*bytes);
}

Outcome Link::exchange(const Request& request, const WaitPlan& wait,
                       const std::function<void()>& afterSending) {
    dropWaiting();
    const std::vector<std::uint8_t> wire = protocol::requestWire(request.command, request.data);
    for (std::uint8_t byte : wire) {
        if (!port_->writeByte(byte))
            return lose({port_->errorText(), true, port_->failure() == PortFailure::Stalled});
    }
    for (LinkObserver* observer : observers_)
        observer->sent(wire);
    if (afterSending)
        afterSending();

    ReplyScanner scanner(request.command);
    using Duration = WaitClock::TimePoint::duration;
    const auto length = std::chrono::duration_cast<Duration>(
        std::chrono::duration<double>(wait.seconds * timeScale_));
    // Each period runs in full from its start. A period that showed the checksum box ends when
    // the box is closed, and the next starts then.
    WaitClock::TimePoint start = clock_->now();
    for (int period = 0; period < std::max(1, wait.periods); ++period) {
        const WaitClock::TimePoint end = start + length;
        const auto bytes = readPeriod(end);
        if (!bytes)
            return lose({port_->errorText(), false}); // a port fault ends the wait
        ScanResult result = scanner.scan(*bytes);
        for (int i = 0; i < result.checksumErrors; ++i)
            for (LinkObserver* observer : observers_)
                observer->checksumFailed();
        if (result.data)
            return Replied{std::move(*result.data)};
        start = result.checksumErrors ? std::max(end, clock_->now()) : end;
    }
    return NoReply{};
}

std::optional<std::vector<std::uint8_t>> Link::readWaiting() {
    if (!open_)
        return std::nullopt;
    return read();
}

void Link::discardInput() {
    if (port_->isOpen())
        read();
}

} // namespace callcfg
