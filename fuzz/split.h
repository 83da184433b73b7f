#pragma once
// Cuts a fuzz input into successive reads. Input layout: byte 0 is the number of cuts (low four
// bits), then two bytes per cut, its position high byte first (taken modulo the payload length
// + 1), then the payload. Reads may be empty, as a period in which nothing arrived.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

struct SplitInput {
    std::vector<std::uint8_t> payload;
    std::vector<std::vector<std::uint8_t>> reads; // together exactly the payload
};

inline SplitInput splitInput(const std::uint8_t* data, std::size_t size) {
    SplitInput split;
    if (size == 0)
        return split;
    const std::size_t cutCount = std::min<std::size_t>(data[0] & 0x0F, (size - 1) / 2);
    const std::uint8_t* cutBytes = data + 1;
    split.payload.assign(data + 1 + 2 * cutCount, data + size);

    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i < cutCount; ++i) {
        const std::size_t position = std::size_t(cutBytes[2 * i]) << 8 | cutBytes[2 * i + 1];
        cuts.push_back(position % (split.payload.size() + 1));
    }
    cuts.push_back(split.payload.size());
    std::sort(cuts.begin(), cuts.end());

    std::size_t start = 0;
    for (std::size_t cut : cuts) {
        split.reads.emplace_back(split.payload.begin() + static_cast<std::ptrdiff_t>(start),
                                 split.payload.begin() + static_cast<std::ptrdiff_t>(cut));
        start = cut;
    }
    return split;
}
