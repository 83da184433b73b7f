#pragma once
// Moving a memory block by block over the link: the host read, the two receiver reads and the
// download to the host unit share one routine, used by the memory reader window and by the
// command line alike.

#include "link/exchange.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace callcfg {

class Link;

// The requests of one transfer: for block k, what to send, how long to wait for its reply and
// the data length a good reply has.
struct BlockPlan {
    int blocks = 0;
    std::function<Request(int block)> request;
    std::function<WaitPlan(int block)> wait;
    int replyLength = 0;
};

enum class Receiver { BuiltIn, External };

// 64 requests 0x0D k, one period of 0.2 s each; 128 data bytes a reply.
BlockPlan hostReadPlan();
// 2 requests 0x0E k (and 01 for the external receiver), 9.0 s for block 0 and 1.0 s after.
BlockPlan receiverReadPlan(Receiver receiver);
// 64 requests 0x18 k with the image's 128 bytes of block k, 0.3 s each; one data byte a reply.
BlockPlan downloadPlan(std::span<const std::uint8_t> hostMemory);

enum class TransferStop {
    Done,
    NoReply,     // no good reply to the block's request within its wait
    WrongLength, // the reply's data length is not the plan's
    PortFault,   // the port failed while the block's request was sent or its reply awaited
    Stopped,     // asked to stop before the block's request left; the blocks before it are done
};

struct TransferResult {
    TransferStop stop = TransferStop::Done;
    int block = 0;         // the block it stopped at
    PortFault portFault{}; // how the port failed, when it stopped on a port fault
};

// Asked before each block's request leaves; true stops the transfer there, so that a block
// once sent is always finished.
using StopAsked = std::function<bool()>;

// For each block in turn: stop when `stopAsked` says so; exchange its request; on no reply or a
// port fault stop; otherwise call `replied(k)`, stop on a wrong data length, and hand the data
// to `received(k, data)`.
TransferResult
transferBlocks(Link& link, const BlockPlan& plan, const std::function<void(int block)>& replied,
               const std::function<void(int block, std::span<const std::uint8_t>)>& received = {},
               const StopAsked& stopAsked = {});

} // namespace callcfg
