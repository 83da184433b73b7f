#pragma once
// SerialPort on the Win32 communications API, for Windows builds. The port handle is opened
// without overlapped I/O: every call finishes before it returns, as the link expects.

#ifdef _WIN32

#include "link/serialport.h"

namespace callcfg {

class Win32SerialPort final : public SerialPort {
public:
    Win32SerialPort() = default;
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool open(const QString& device) override;
    void close() override;
    bool isOpen() const override { return handle_ != nullptr; }
    void setRts(bool on) override;
    bool writeByte(std::uint8_t byte) override;
    std::optional<std::vector<std::uint8_t>> readAll() override;
    QString errorText() const override { return error_; }

    // The name handed to CreateFile: "COMn" becomes \\.\COMn (the only form that reaches
    // COM10 and above); any other name is used as given.
    static QString systemName(const QString& device);

private:
    bool fail(unsigned long code);
    void applyRts();

    void* handle_ = nullptr; // the open port's HANDLE; null while closed
    bool rts_ = false;
    QString error_;
};

} // namespace callcfg

#endif // _WIN32
