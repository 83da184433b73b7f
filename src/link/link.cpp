#include "link/link.h"

#include "link/hexline.h"
#include "link/replyscanner.h"

#include <chrono>
#include <thread>

namespace callcfg {

namespace {

const Box kPortBox{BoxKind::Error, QStringLiteral("没发现此端口或端口已被其它程序占用!"),
                   QStringLiteral("错误")};
const Box kChecksumBox{BoxKind::Error, QStringLiteral("CRC校验错误"), QStringLiteral("错误")};

// Longest sleep between two looks at the window system during a wait.
constexpr auto kIdleSlice = std::chrono::milliseconds(40);

} // namespace

Link::Link(std::unique_ptr<SerialPort> port, PortMap portMap, QObject* parent)
    : QObject(parent), port_(std::move(port)), portMap_(std::move(portMap)) {}

Link::~Link() {
    if (port_->isOpen())
        port_->close();
}

void Link::resetForLoad() {
    portOpen = false;
    port_->setRts(false);
    periodLength = 1.0;
    waitPeriods = 0;
    replyComplete = false;
}

void Link::showBox(const Box& box) {
    if (boxSink_)
        boxSink_(box);
}

bool Link::openChosenPort() {
    port_->setRts(true);
    const auto number = portNumberOf(portListText_);
    if (!number || !port_->open(portMap_.deviceFor(*number))) {
        showBox(kPortBox);
        return false;
    }
    portOpen = true;
    emit portStateChanged(true);
    return true;
}

void Link::ensurePortOpen() {
    if (portOpen)
        return;
    openChosenPort();
}

void Link::togglePort() {
    if (!portOpen) {
        openChosenPort();
        return;
    }
    port_->close();
    portOpen = false;
    port_->setRts(false);
    emit portStateChanged(false);
}

void Link::portListClicked() {
    if (port_->isOpen())
        port_->close();
    portOpen = false;
    emit portStateChanged(false);
}

void Link::sendFrame() {
    for (std::uint8_t byte : completeFrame(frameBuffer))
        if (!port_->writeByte(byte))
            throw PortFault();
    if (repaint_)
        repaint_();
}

void Link::sleepOnePeriod() {
    using Clock = std::chrono::steady_clock;
    const auto length = std::chrono::duration<double>(periodLength * timeScale_);
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(length);
    if (!idle_) {
        std::this_thread::sleep_until(deadline);
        return;
    }
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        std::this_thread::sleep_until(std::min(deadline, now + kIdleSlice));
        if (Clock::now() < deadline)
            idle_();
    }
}

void Link::awaitReply() {
    ReplyScanner scanner(frameBuffer[1]);
    for (;;) {
        sleepOnePeriod();
        auto read = port_->readAll();
        if (!read)
            return; // a port fault ends the wait without a reply
        receivedBytes = std::move(*read);
        const ScanResult result = scanner.scan(receivedBytes, replyBuffer);
        for (int i = 0; i < result.checksumErrors; ++i)
            showBox(kChecksumBox);
        if (result.accepted) {
            replyComplete = true;
            return;
        }
        // A count of 0 on entry means one period, as the counter cannot go below zero.
        if (waitPeriods <= 1) {
            waitPeriods = 0;
            return;
        }
        --waitPeriods;
    }
}

QString Link::receivePoll() {
    if (!portOpen)
        return {};
    auto read = port_->readAll();
    if (!read)
        return {};
    receivedBytes = std::move(*read);
    if (receivedBytes.size() < 2)
        return {};
    return hexLine(receivedBytes);
}

void Link::discardInput() {
    if (port_->isOpen())
        port_->readAll();
}

} // namespace callcfg
