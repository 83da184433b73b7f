#pragma once
// The program-wide memory images and their flags. One object lives in main() for the whole
// run and is handed by reference to the windows; it starts all zero and false. A read or an
// opened backup file replaces an image only once it is complete.

#include "memory/memoryimage.h"

#include <QString>

namespace callcfg {

struct Images {
    HostMemory hostImage{};            // the host unit's memory as last read or opened
    ReceiverMemory receiverImage{};    // the memory of whichever receiver was read last
    QString hostImageFile;             // the backup file hostImage came from; empty: a host unit
    bool hostImagePresent = false;     // hostImage holds a host unit's memory
    bool receiverImagePresent = false; // receiverImage holds a receiver's memory
    bool receiverSelected = false;     // the read started last was a receiver read
    bool anyImagePresent = false;      // some image was read or opened
};

} // namespace callcfg
