#include "link/portremedy.h"

#include "link/texts.h"

namespace callcfg {

namespace {

// The reason with the remedy for a port that cannot be opened for want of permission or of a
// device; other reasons as they are.
QString withRemedy(const QString& reason, PortFailure failure) {
    switch (failure) {
    case PortFailure::NoPermission:
        return reason + Texts::tr(" - add your user to the dialout group (sudo usermod -aG "
                                  "dialout $USER) and log in again");
    case PortFailure::NoSuchDevice:
        return reason + Texts::tr(" - check the cable and the adapter, or map the port to its "
                                  "device with --port COMn=DEVICE");
    case PortFailure::HeldElsewhere:
    case PortFailure::Stalled:
    case PortFailure::Other:
        break;
    }
    return reason;
}

} // namespace

QString portAndDevice(const QString& entry, const QString& device) {
    if (entry.isEmpty() || entry == device)
        return device;
    return QStringLiteral("%1 (%2)").arg(entry, device);
}

QString openFailureMessage(const QString& port, const QString& reason, PortFailure failure) {
    if (failure == PortFailure::HeldElsewhere)
        return Texts::tr("%1 is in use by another program (%2) - close that program first")
            .arg(port, reason);
    return Texts::tr("cannot open %1: %2").arg(port, withRemedy(reason, failure));
}

QString openFailurePhrase(const QString& reason, PortFailure failure) {
    if (failure == PortFailure::HeldElsewhere)
        return Texts::tr("in use by another program (%1) - close that program first").arg(reason);
    return Texts::tr("cannot open: %1").arg(withRemedy(reason, failure));
}

} // namespace callcfg
