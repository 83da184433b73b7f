#pragma once
// The serial port of the platform the program runs on.

#include "link/serialport.h"

#include <memory>

namespace callcfg {

std::unique_ptr<SerialPort> makePlatformPort();

} // namespace callcfg
