#include "link/qtserialport.h"

#include "link/texts.h"

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <unistd.h>

namespace callcfg {

namespace {

bool isFault(QSerialPort::SerialPortError error) {
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

} // namespace

bool QtSerialPort::fail() {
    return failWithout(port_.errorString());
}

bool QtSerialPort::failWith(int systemError) {
    return failWithout(QString::fromLocal8Bit(std::strerror(systemError)));
}

bool QtSerialPort::failWithout(const QString& reason) {
    error_ = reason;
    stalled_ = false;
    return false;
}

PortFailure QtSerialPort::failure() const {
    return stalled_ ? PortFailure::Stalled : failureNamedIn(error_);
}

bool QtSerialPort::open(const QString& device) {
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite))
        return fail();
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    // A pseudo-terminal has no modem lines and refuses RTS; that is not an open failure.
    port_.setRequestToSend(rts_);
    // Whatever the device held before this program opened it is no reply to this program.
    port_.clear(QSerialPort::Input);
    port_.clearError();
    return true;
}

void QtSerialPort::close() {
    if (port_.isOpen())
        port_.close();
}

void QtSerialPort::setRts(bool on) {
    rts_ = on;
    if (port_.isOpen()) {
        port_.setRequestToSend(on);
        port_.clearError();
    }
}

// The byte goes straight to the device's descriptor, one write, so that nothing stays in a
// buffer of the program; a device that takes nothing for a second has stalled.
bool QtSerialPort::writeByte(std::uint8_t byte) {
    if (!port_.isOpen())
        return failWithout(Texts::tr("the port is not open"));
    const int fd = static_cast<int>(port_.handle());
    for (;;) {
        if (::write(fd, &byte, 1) == 1)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return failWith(errno);
        pollfd ready{fd, POLLOUT, 0};
        const int polled = ::poll(&ready, 1, 1000);
        if (polled == 0) {
            // The system gives no reason: the device is there and takes nothing.
            failWithout(QString());
            stalled_ = true;
            return false;
        }
        if (polled < 0 && errno != EINTR)
            return failWith(errno);
    }
}

std::optional<std::vector<std::uint8_t>> QtSerialPort::readAll() {
    if (!port_.isOpen()) {
        failWithout(Texts::tr("the port is not open"));
        return std::nullopt;
    }
    // Pull what the device holds into Qt's buffer without running the event loop.
    while (port_.waitForReadyRead(0)) {
    }
    if (isFault(port_.error())) {
        fail();
        return std::nullopt;
    }
    port_.clearError();
    const QByteArray data = port_.readAll();
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

} // namespace callcfg
