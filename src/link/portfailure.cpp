#include "link/portfailure.h"

namespace callcfg {

PortFailure failureNamedIn(const QString& reason) {
    const auto says = [&](const char* words) {
        return reason.contains(QLatin1String(words), Qt::CaseInsensitive);
    };
    if (says("Permission denied"))
        return PortFailure::NoPermission;
    // Linux says the port is busy or locked.
    if (says("busy") || says("locking"))
        return PortFailure::HeldElsewhere;
    if (says("No such file"))
        return PortFailure::NoSuchDevice;
    return PortFailure::Other;
}

} // namespace callcfg
