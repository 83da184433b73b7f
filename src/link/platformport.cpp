#include "link/platformport.h"

#include "link/qtserialport.h"

namespace callcfg {

std::unique_ptr<SerialPort> makePlatformPort() {
    return std::make_unique<QtSerialPort>();
}

} // namespace callcfg
