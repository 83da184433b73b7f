#include "link/portremedy.h"

#include "link/texts.h"

namespace callcfg {

QString withPortRemedy(const QString& reason) {
    const auto says = [&](const char* words) {
        return reason.contains(QLatin1String(words), Qt::CaseInsensitive);
    };
    if (says("Permission denied"))
        return reason + Texts::tr(" - add your user to the dialout group (sudo usermod -aG "
                                  "dialout $USER) and log in again");
    // Linux says the port is busy or locked; Windows denies access to a port that is in use.
    if (says("busy") || says("locking") || says("Access is denied"))
        return reason + Texts::tr(" - another program holds the port; close it first");
    if (says("No such file"))
        return reason + Texts::tr(" - check the cable and the adapter, or map the port to its "
                                  "device with --port COMn=DEVICE");
    return reason;
}

} // namespace callcfg
