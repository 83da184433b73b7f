#pragma once
// The serial port as the link uses it: 9600 baud, no parity, 8 data bits, 1 stop bit, raw
// bytes in and out, reception polled. One implementation per platform.

#include "link/portfailure.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace callcfg {

// A fault of the received signal that the port's UART or driver noticed.
enum class LineError {
    Overrun,              // the UART received a byte before the last one was taken: one is lost
    ReceiveBufferOverrun, // the driver's input buffer was full: bytes are lost
    Framing,              // a byte without its stop bit (a wrong speed, noise)
    Parity,               // a wrong parity bit, where parity is checked
    Break,                // the line was held at space longer than a byte
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the device at 9600 8N1 and drops whatever it held before; false when it does not
    // exist or another program holds it (errorText() says why).
    virtual bool open(const QString& device) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Switches the RTS line; a device without modem lines (a pseudo-terminal) ignores it.
    virtual void setRts(bool on) = 0;
    // Hands one byte to the device before returning; false when the device refused it.
    virtual bool writeByte(std::uint8_t byte) = 0;
    // Everything waiting at the port, emptied from its input; nullopt on a port fault.
    virtual std::optional<std::vector<std::uint8_t>> readAll() = 0;
    // The system's reason for the last failure of open, writeByte or readAll.
    virtual QString errorText() const = 0;
    // The kind of that failure; by default told from the reason's words.
    virtual PortFailure failure() const { return failureNamedIn(errorText()); }
    // The line errors the port noticed since it was last asked, one per occurrence; none where
    // the system does not report them.
    virtual std::vector<LineError> takeLineErrors() { return {}; }
    // How long a read may take: none where reads return at once; a driver that leaves reads
    // pending gets some patience. The link starts the read of a wait's period that long before
    // the period ends, with readAllFor(readPatience()); a read that completes sooner is
    // followed by a readAll() at the period's end.
    virtual std::chrono::milliseconds readPatience() const { return {}; }
    // Everything that arrives within `span` from now, or less when the driver completes the
    // read sooner; nullopt on a port fault. By default what is waiting now.
    virtual std::optional<std::vector<std::uint8_t>>
    readAllFor(std::chrono::milliseconds /*span*/) {
        return readAll();
    }
};

} // namespace callcfg
