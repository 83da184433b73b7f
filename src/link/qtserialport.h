#pragma once
// SerialPort on QSerialPort.

#include "link/serialport.h"

#include <QSerialPort>

namespace callcfg {

class QtSerialPort final : public SerialPort {
public:
    bool open(const QString& device) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    void setRts(bool on) override;
    bool writeByte(std::uint8_t byte) override;
    std::optional<std::vector<std::uint8_t>> readAll() override;
    QString errorText() const override { return error_; }
    // A stalled write is told by the port; the rest from the reason's words.
    PortFailure failure() const override;

private:
    bool fail();
    bool failWith(int systemError);
    bool failWithout(const QString& reason);

    QSerialPort port_;
    bool rts_ = false;
    QString error_;
    bool stalled_ = false; // the last failure: a write the device took no byte of for a second
};

} // namespace callcfg
