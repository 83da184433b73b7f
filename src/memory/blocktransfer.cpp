#include "memory/blocktransfer.h"

#include "link/link.h"
#include "protocol/memoryblocks.h"

#include <vector>

namespace callcfg {

using namespace protocol;

BlockPlan hostReadPlan() {
    return {kHostBlockCount,
            [](int k) {
                return Request{kReadHostBlock, {static_cast<std::uint8_t>(k)}};
            },
            [](int) {
                return WaitPlan{1, 0.2};
            },
            kBlockSize};
}

BlockPlan receiverReadPlan(Receiver receiver) {
    const bool external = receiver == Receiver::External;
    return {kReceiverBlockCount,
            [external](int k) {
                Request request{kReadReceiverBlock, {static_cast<std::uint8_t>(k)}};
                if (external)
                    request.data.push_back(kExternalReceiver);
                return request;
            },
            // The receiver gathers its memory before it answers the first block.
            [](int k) {
                return WaitPlan{1, k == 0 ? 9.0 : 1.0};
            },
            kBlockSize};
}

BlockPlan downloadPlan(std::span<const std::uint8_t> hostMemory) {
    return {kHostBlockCount,
            [hostMemory](int k) {
                Request request{kWriteHostBlock, {}};
                request.data.reserve(1 + kBlockSize);
                request.data.push_back(static_cast<std::uint8_t>(k));
                for (std::uint8_t byte :
                     hostMemory.subspan(std::size_t(k) * kBlockSize, kBlockSize))
                    request.data.push_back(byte);
                return request;
            },
            [](int) {
                return WaitPlan{1, 0.3};
            },
            kWriteAcknowledgeLength};
}

TransferResult
transferBlocks(Link& link, const BlockPlan& plan, const std::function<void(int block)>& replied,
               const std::function<void(int block, std::span<const std::uint8_t>)>& received,
               const StopAsked& stopAsked) {
    for (int k = 0; k < plan.blocks; ++k) {
        if (stopAsked && stopAsked())
            return {TransferStop::Stopped, k, {}};
        const Outcome outcome = link.exchange(plan.request(k), plan.wait(k));
        if (const auto* lost = std::get_if<PortFault>(&outcome))
            return {TransferStop::PortFault, k, *lost};
        if (std::holds_alternative<NoReply>(outcome))
            return {TransferStop::NoReply, k, {}};
        const std::vector<std::uint8_t>& data = std::get<Replied>(outcome).data;
        if (replied)
            replied(k);
        if (static_cast<int>(data.size()) != plan.replyLength)
            return {TransferStop::WrongLength, k, {}};
        if (received)
            received(k, data);
    }
    return {TransferStop::Done, plan.blocks, {}};
}

} // namespace callcfg
