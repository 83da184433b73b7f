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
    // Writes the memory into the host unit; false after a message.
    bool write(const HostMemory& memory);

    const QString& device() const { return device_; }
    Link& link() { return link_; }

private:
    std::function<void(int)> progress(const QString& what);
    bool completed(const TransferResult& result);

    const Invocation& call_;
    Link link_;
    TrafficLog log_;
    QString device_;
};

} // namespace callcfg
