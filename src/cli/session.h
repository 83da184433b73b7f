#pragma once
// A subcommand's link to the host unit: --device opened as the port list maps it, the traffic
// log attached, and the memory read and written as the memory reader window does it, each
// failure told on stderr.

#include "cli/subcommands.h"
#include "link/link.h"
#include "link/trafficlog.h"
#include "memory/hostmemory.h"

namespace callcfg {

class Session {
public:
    explicit Session(const Invocation& call);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The checks before any file is touched: --device, `files` file arguments, the log.
    std::optional<int> prepare(int files);
    // Opens the device and drops what it held; false after a message.
    bool open();
    // Reads the host unit; false after a message.
    bool read(HostMemory& memory);
    // Writes the memory into the host unit; false after a message, or without one when
    // `stopAsked` stopped it (stoppedAt() then says before which block).
    bool write(const HostMemory& memory, const StopAsked& stopAsked = {});

    const QString& device() const { return device_; }
    // The device opened and what it is: "COM2 → /dev/ttyUSB1, FT232R USB UART" for a port
    // name, the path (with what it is, when present) otherwise.
    QString deviceWords() const;
    // The block (from 0) before which a write was asked to stop; nothing when none was.
    std::optional<int> stoppedAt() const { return stoppedAt_; }
    // The block (from 0) at which the last read or write ended short; the blocks before it
    // went through.
    int endedAt() const { return endedAt_; }
    Link& link() { return link_; }

private:
    std::function<void(int)> progress(const QString& what);
    bool completed(const TransferResult& result);

    const Invocation& call_;
    Link link_;
    TrafficLog log_;
    PortTarget target_;
    QString device_;
    std::optional<int> stoppedAt_;
    int endedAt_ = 0;
};

} // namespace callcfg
