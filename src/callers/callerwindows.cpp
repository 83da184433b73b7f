#include "callers/callerwindows.h"

namespace callcfg {

CallerWindows::CallerWindows(Form1& form1, Link& link, WaitBoxes& waitBoxes)
    : form1_(form1), link_(link), waitBoxes_(waitBoxes) {}

CallerWindows::~CallerWindows() = default;

} // namespace callcfg
