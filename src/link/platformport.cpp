#include "link/platformport.h"

#ifdef Q_OS_WIN
#include "link/win32serialport.h"
#else
#include "link/qtserialport.h"
#endif

namespace callcfg {

std::unique_ptr<SerialPort> makePlatformPort() {
#ifdef Q_OS_WIN
    return std::make_unique<Win32SerialPort>();
#else
    return std::make_unique<QtSerialPort>();
#endif
}

} // namespace callcfg
