#pragma once
// SerialPort on the Win32 communications API, for Windows builds. The port handle is opened
// for overlapped I/O, so that no read or write waits on a driver for more than a second: a
// transfer that has not completed by then is cancelled and the call fails.

#ifdef _WIN32

#include "link/serialport.h"

#include <memory>

namespace callcfg {

class Win32Transfer;

// True when the system knows no DOS device of that name (any more).
bool dosNameUndefined(const QString& name);

class Win32SerialPort final : public SerialPort {
public:
    Win32SerialPort();
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool open(const QString& device) override;
    void close() override;
    bool isOpen() const override { return handle_ != nullptr; }
    void setRts(bool on) override;
    bool writeByte(std::uint8_t byte) override;
    std::optional<std::vector<std::uint8_t>> readAll() override;
    std::optional<std::vector<std::uint8_t>> readAllFor(std::chrono::milliseconds span) override;
    QString errorText() const override { return error_; }
    PortFailure failure() const override;
    std::vector<LineError> takeLineErrors() override;
    // Some tens of milliseconds once the driver has left a read pending, none before.
    std::chrono::milliseconds readPatience() const override;

    // The name handed to CreateFile: the device namespace's \\.\ before the name ("COM12",
    // "CNCA0"), unless it has that or \\?\ already.
    static QString systemName(const QString& device);

private:
    std::optional<std::vector<std::uint8_t>> readWithin(std::chrono::milliseconds span);
    bool fail(unsigned long code);
    bool failWithout(const QString& reason);
    bool usable();
    bool failTimedOut();
    bool nameIsGone() const;
    void noteLineErrors(unsigned long errors);
    void applyRts();

    void* handle_ = nullptr; // the open port's HANDLE; null while closed
    std::unique_ptr<Win32Transfer> transfer_;
    // The port's DOS name ("COM3"), watched when it was defined at the open: a driver removes
    // it when its device goes, even one that goes on answering reads with nothing.
    QString dosName_;
    bool watchName_ = false;
    bool rts_ = false;
    bool slowReads_ = false;      // the driver has left a read pending since the open
    unsigned long errorCode_ = 0; // the system's code for error_, 0 for the port's own reasons
    QString error_;
    std::vector<LineError> lineErrors_;
};

} // namespace callcfg

#endif // _WIN32
