#pragma once
// The simulated host unit: a pure state machine without I/O or clocks.
//
// Feed it the bytes that arrive on its serial line; it finds the request frames
// (55 55 AA 01 cmd n data checksum; bad checksums and unknown command codes are ignored)
// and answers each with a Reply: the wire bytes 55 AA 02 cmd m data checksum and when to send them.
// Its memory follows the tool's memory map (callcfg::memorymap) and hostsim/storage.h.
//
// Answers (data bytes in brackets; every command not listed answers length 0 on success):
//   0x01 set pager               [] stored
//   0x03 len 6 set table caller  [code x3] after learnDelay; [] memory full (512 tables)
//   0x03 len 0 write repeater    [code x3] after learnDelay; [] repeater full (64 callers)
//   0x04 delete pager            [] deleted; [01] no such pager
//   0x07 len 2 delete table      [] deleted; [02] no such table number
//   0x07 len 0 delete repeater   after learnDelay: [] deleted; [01] caller not in repeater;
//                                [00] repeater empty
//   0x09 initialise host unit    [] memory back to its empty state
//   0x0D read host block k       [128 bytes of memory from k*128]
//   0x0E read receiver block k   [128 bytes]; data k: built-in receiver, k 01: external one
//   0x11 set urge unit           [code x2] after learnDelay
//   0x14 / 0x15 / 0x16           [] stored when the display unit is a voice unit;
//                                [01] refused while it is a digital one
//   0x18 write host block        [00] written
// Requests with an operand out of range or the wrong data length are refused with one data byte
// [FF] and change nothing; a write of a block outside 0-63 is answered with length 0, so that the
// tool does not count it as written.
//
// The caller whose key the user presses: a learn (table caller, repeater write, urge unit) takes
// nextCallerCode() and then moves it on, so every learned caller gets its own code. A repeater
// delete presses the caller learned last again (or nextCallerCode() when it was set since).

#include "hostsim/fault.h"
#include "hostsim/requestparser.h"
#include "hostsim/storage.h"
#include "protocol/commands.h"
#include "protocol/memoryblocks.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace hostsim {

using Memory = std::array<std::uint8_t, callcfg::protocol::kHostMemorySize>;
using ReceiverImage = std::array<std::uint8_t, callcfg::protocol::kReceiverMemorySize>;
using CallerCode = std::array<std::uint8_t, 3>;

enum class DisplayType : std::uint8_t {
    Digital = callcfg::protocol::kDigitalDisplay,
    Voice = callcfg::protocol::kVoiceDisplay,
};
// Index of a receiver image.
enum ReceiverSlot { BuiltInReceiver = 0, ExternalReceiver = 1 };

// One answer and how to send it.
struct Reply {
    std::vector<std::uint8_t> bytes; // as they go on the wire, noise included
    double delay = 0;                // seconds between the request and the first byte
    std::size_t splitAt = 0;         // > 0: send bytes [0, splitAt), pause, then the rest
    double splitPause = 0;           // seconds
    double tricklePause = 0;         // > 0: every byte on its own, this many seconds apart
    bool goAway = false;             // the device disappears after these bytes
    double copyPause = -1;           // >= 0: the bytes go out again this many seconds after
    std::uint64_t sequence = 0;      // the Applied record of the request it answers
};

// What the unit did with one request: the faults that changed what went on the line, the bytes
// it sent, and whether they hold the correct, whole reply (noise around it, a delay or a split
// aside).
struct Applied {
    enum class Answer {
        Correct,   // the right reply went out whole
        Incorrect, // no reply, a cut, corrupted or wrong one
        Uncertain, // the right reply went out, but the device went away right behind it
    };
    std::uint64_t sequence = 0; // counts the unit's records from 0
    ReceivedRequest request;
    // Set when the device went away while the request came in, after this many of its bytes;
    // `request` is then empty.
    std::optional<std::size_t> lostAfter;
    // Each fault without which the line would have carried something else (of several that
    // agree, the last), and MemoryFull when it kept the unit from storing.
    std::vector<Fault::Kind> faults;
    Answer answer = Answer::Incorrect;
    bool refused = false;            // an operand out of range or a wrong length: nothing changed
    std::vector<std::uint8_t> right; // the reply the unit would have sent without faults
    // What it sent, noise and a second copy (Fault::Twice) included; it ends where a copy
    // dropped for the next request stopped.
    std::vector<std::uint8_t> wire;
    bool goAway = false; // the device went away after `wire`
};

class HostUnit {
public:
    HostUnit();

    // Takes received bytes in any chunking; returns the replies due, in request order.
    std::vector<Reply> feed(const std::uint8_t* bytes, std::size_t count);
    std::vector<Reply> feed(const std::vector<std::uint8_t>& bytes) {
        return feed(bytes.data(), bytes.size());
    }
    bool hasPartialFrame() const { return parser_.hasPartialFrame(); }
    std::size_t partialFrameSize() const { return parser_.partialFrameSize(); }
    void dropPartialFrame() { parser_.dropPartialFrame(); }

    // What the unit received: every good request frame and every raw byte.
    const std::vector<ReceivedRequest>& requests() const { return requests_; }
    std::vector<ReceivedRequest> takeRequests();
    const std::vector<std::uint8_t>& rawReceived() const { return raw_; }
    std::vector<std::uint8_t> takeRawReceived();
    // What the unit did with each request since the last call.
    std::vector<Applied> takeApplied();

    // The request-loss fault (LoseMidRequest or GoneBeforeRequest) that takes the next request,
    // if one is queued; see fault.h.
    std::optional<Fault> requestLossDue() const;
    // The device went away under that fault after `bytesReceived` bytes of the request: the
    // fault is taken and recorded, the unfinished frame forgotten.
    void recordRequestLoss(std::size_t bytesReceived);

    // State, for tests and for loading an image.
    const Memory& memory() const { return memory_; }
    void setMemory(const Memory& image) { memory_ = image; }
    std::uint8_t memoryAt(std::size_t offset) const { return memory_.at(offset); }
    void setMemoryAt(std::size_t offset, std::uint8_t value) { memory_.at(offset) = value; }
    const ReceiverImage& receiverImage(int receiver) const { return receivers_.at(receiver); }
    void setReceiverImage(int receiver, const ReceiverImage& image) {
        receivers_.at(receiver) = image;
    }
    DisplayType displayType() const;
    void setDisplayType(DisplayType type);
    int tableCount() const; // valid table caller records; a count above 512 counts as 0
    int repeaterCount() const;

    double learnDelay() const { return learnDelay_; }
    void setLearnDelay(double seconds) { learnDelay_ = seconds; }
    CallerCode nextCallerCode() const { return nextCallerCode_; }
    void setNextCallerCode(const CallerCode& code);

    // Empties the memory as 0x09 does (receiver images are left alone).
    void initialise();
    // Receiver image as a receiver leaves the factory or after 0x08.
    static ReceiverImage factoryReceiverImage(int receiver);

    // What the unit holds, as its commands store it (hoststate.cpp).
    struct PagerEntry {
        std::array<std::uint8_t, 7> address{}; // digits
        int machineType = 0;                   // 数字标准, 数字新型, 中文字符, 英文
        int rate = 0;                          // 512, 1200, 2400
        int polarity = 0;                      // 正, 负
        int tone = 0;
        bool operator==(const PagerEntry&) const = default;
    };
    struct TableEntry {
        CallerCode code{};
        std::array<std::uint8_t, 3> pagers{}; // FF: none
        bool operator==(const TableEntry&) const = default;
    };
    std::optional<PagerEntry> pager(int number) const;
    std::optional<TableEntry> tableCaller(int table) const;
    int workMode() const;
    std::optional<std::array<std::uint8_t, 2>> urgeUnit(int number) const; // learned code
    std::vector<CallerCode> repeaterEntries() const;
    std::uint8_t receiverNumber() const;
    // The frequency position set for the built-in receiver (receiver 0) or receiver 1 to 80.
    std::uint8_t receiverFrequency(int receiver) const;
    std::array<std::uint8_t, 3> transmitterFrequency() const; // FF FF FF: cleared
    std::array<std::uint8_t, 5> voiceSettings() const;
    std::uint8_t handheldMode(bool byTable) const;
    // The caller a repeater delete presses.
    CallerCode callerToDelete() const { return lastCallerCode_.value_or(nextCallerCode_); }

    // A request-loss fault counts only requests received after it: the unit forgets the last.
    void addFault(const Fault& fault) {
        if (fault.losesRequest())
            lastRequest_.reset();
        faults_.push_back(fault);
    }
    void clearFaults() { faults_.clear(); }
    std::size_t pendingFaults() const { return faults_.size(); }

private:
    struct Answer {
        std::vector<std::uint8_t> data;
        bool learns = false;          // answered after learnDelay
        bool refused = false;         // the request is out of range: nothing changed
        bool memoryFullActed = false; // a MemoryFull fault kept the unit from storing
    };

    std::optional<Answer> answer(const ReceivedRequest& request, bool memoryFull);
    static Answer refusal();
    Reply makeReply(const ReceivedRequest& request);
    std::vector<Fault> takeMatchingFaults(const ReceivedRequest& request);
    std::optional<std::size_t> dueRequestLoss() const;

    // Command handlers (hostcommands.cpp).
    Answer setPager(const std::vector<std::uint8_t>& d);
    Answer deletePager(const std::vector<std::uint8_t>& d);
    Answer setTableCaller(const std::vector<std::uint8_t>& d, bool memoryFull);
    Answer deleteTableCaller(const std::vector<std::uint8_t>& d);
    Answer writeRepeater(bool memoryFull);
    Answer deleteRepeater();
    Answer setReceiverFrequency(const std::vector<std::uint8_t>& d);
    Answer setTransmitterFrequency(const std::vector<std::uint8_t>& d);
    Answer readHostBlock(const std::vector<std::uint8_t>& d) const;
    Answer readReceiverBlock(const std::vector<std::uint8_t>& d) const;
    Answer setUrgeUnit(const std::vector<std::uint8_t>& d);
    Answer deleteUrgeUnit(const std::vector<std::uint8_t>& d);
    Answer setVoiceOnly(std::uint8_t command, const std::vector<std::uint8_t>& d);
    Answer writeHostBlock(const std::vector<std::uint8_t>& d);
    CallerCode learnCaller();
    void setTableCount(int count);

    RequestParser parser_;
    Memory memory_{};
    std::array<ReceiverImage, 2> receivers_{};
    double learnDelay_ = 1.0;
    CallerCode nextCallerCode_{0x3C, 0x5A, 0x01};
    std::optional<CallerCode> lastCallerCode_;
    std::deque<Fault> faults_;
    std::vector<ReceivedRequest> requests_;
    std::vector<Applied> applied_;
    std::uint64_t nextSequence_ = 0;
    std::optional<ReceivedRequest> lastRequest_;
    std::vector<std::uint8_t> raw_;
};

} // namespace hostsim
