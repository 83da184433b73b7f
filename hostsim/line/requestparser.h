#pragma once
// Finds request frames (55 55 AA 01 cmd n data checksum) in the bytes the host unit receives.

#include "hostsim/unit/request.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace hostsim {

class RequestParser {
public:
    // Appends bytes in any chunking and returns the frames completed by them, in order.
    // Bytes outside frames and frames with a bad checksum are dropped.
    std::vector<ReceivedRequest> feed(const std::uint8_t* bytes, std::size_t count);

    // True while the bytes kept so far start a frame that is not complete yet.
    bool hasPartialFrame() const;
    // The bytes of that frame received so far.
    std::size_t partialFrameSize() const { return pending_.size(); }
    // Forgets a started frame, as the unit does after a pause on the line.
    void dropPartialFrame() { pending_.clear(); }

private:
    std::vector<std::uint8_t> pending_;
};

} // namespace hostsim
