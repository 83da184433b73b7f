#pragma once
// What kind of failure a port's last one was, as far as its remedy goes.

#include <QString>

namespace callcfg {

enum class PortFailure {
    Other,
    NoPermission,  // the user may not open the device
    HeldElsewhere, // another program holds the port
    NoSuchDevice,
    Stalled, // the device took no byte of a request for a second
};

// The kind a system's reason names, told from its words (Linux's and Qt's texts, in English or
// in the language the program speaks).
PortFailure failureNamedIn(const QString& reason);

} // namespace callcfg
