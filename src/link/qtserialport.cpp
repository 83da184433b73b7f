#include "link/qtserialport.h"

namespace callcfg {

namespace {

bool isFault(QSerialPort::SerialPortError error) {
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

} // namespace

bool QtSerialPort::fail() {
    error_ = port_.errorString();
    return false;
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

bool QtSerialPort::writeByte(std::uint8_t byte) {
    if (!port_.isOpen()) {
        error_ = QStringLiteral("the port is not open");
        return false;
    }
    const char c = static_cast<char>(byte);
    if (port_.write(&c, 1) != 1)
        return fail();
    // Push the byte out of Qt's buffer into the device now.
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(1000))
            return fail();
    }
    return isFault(port_.error()) ? fail() : true;
}

std::optional<std::vector<std::uint8_t>> QtSerialPort::readAll() {
    if (!port_.isOpen()) {
        error_ = QStringLiteral("the port is not open");
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
