#pragma once
// The program-wide memory images and their flags. One object lives in main() for the whole
// run and is handed by reference to the windows; it starts all zero and false.

#include <array>
#include <cstddef>
#include <cstdint>

namespace callcfg {

inline constexpr std::size_t kImageSize = 9001;
// Meaningful entries: the host unit's memory and a receiver's memory.
inline constexpr int kHostMemorySize = 8192;
inline constexpr int kReceiverMemorySize = 256;

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
