#pragma once
// The program-wide memory images and their flags. One object lives in main() for the whole
// run and is handed by reference to the windows; it starts all zero and false.

#include "protocol/memoryblocks.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace callcfg {

// Entries 0 to 9000; only the memory's size from entry 0 is meaningful (protocol::
// kHostMemorySize for the host image, protocol::kReceiverMemorySize for a receiver image).
inline constexpr std::size_t kImageSize = 9001;

// One entry per memory byte, each holding a byte value 0 to 255.
using Image = std::array<std::int16_t, kImageSize>;

struct Images {
    Image ramdata{};          // read accumulation buffer
    int ramindex = 0;         // ramdata entry that receives the next byte
    Image mainram{};          // host image
    Image subram{};           // receiver image, whichever receiver was read last
    bool mainread = false;    // mainram holds a host image
    bool subread = false;     // subram holds a receiver image
    bool subselected = false; // the read started last was a receiver read
    bool dataread = false;    // some image is present
};

// The byte value an entry stands for.
inline std::uint8_t byteAt(const Image& image, int offset) {
    return static_cast<std::uint8_t>(image[static_cast<std::size_t>(offset)] & 0xFF);
}

} // namespace callcfg
