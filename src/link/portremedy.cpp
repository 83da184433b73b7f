#include "link/portremedy.h"

#include "link/texts.h"

namespace callcfg {

QString withPortRemedy(const QString& reason, PortFailure failure) {
    switch (failure) {
    case PortFailure::NoPermission:
        return reason + Texts::tr(" - add your user to the dialout group (sudo usermod -aG "
                                  "dialout $USER) and log in again");
    case PortFailure::HeldElsewhere:
        return reason + Texts::tr(" - another program holds the port; close it first");
    case PortFailure::NoSuchDevice:
        return reason + Texts::tr(" - check the cable and the adapter, or map the port to its "
                                  "device with --port COMn=DEVICE");
    case PortFailure::Other:
        break;
    }
    return reason;
}

} // namespace callcfg
