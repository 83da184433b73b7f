#pragma once
// The simulated host unit: its memory, its receivers and the commands it carries out, without a
// line, I/O or clocks. The line in front of it (hostsim/line) finds the requests in the bytes
// that arrive and puts the unit's answers on the wire.
// Its memory follows the tool's memory map (callcfg::memorymap) and hostsim/unit/storage.h.
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

#include "hostsim/unit/request.h"
#include "hostsim/unit/storage.h"
#include "protocol/commands.h"
#include "protocol/memoryblocks.h"

#include <array>
#include <cstdint>
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

class HostUnit {
public:
    HostUnit();

    // What the unit answers to one request.
    struct Answer {
        std::vector<std::uint8_t> data;
        bool learns = false;          // answered after learnDelay
        bool refused = false;         // the request is out of range: nothing changed
        bool memoryFullActed = false; // a forced full memory kept the unit from storing
    };
    // Whether `command` is one the unit carries out; it ignores every other request.
    static bool knows(std::uint8_t command);
    // Carries out a request of a known command. With `memoryFull`, a table caller set or
    // repeater write finds the memory full.
    Answer carryOut(const ReceivedRequest& request, bool memoryFull = false);

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

    // What the unit holds, as its commands store it (views.cpp).
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

private:
    static Answer refusal();

    // Command handlers (commands.cpp, callercommands.cpp).
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

    Memory memory_{};
    std::array<ReceiverImage, 2> receivers_{};
    double learnDelay_ = 1.0;
    CallerCode nextCallerCode_{0x3C, 0x5A, 0x01};
    std::optional<CallerCode> lastCallerCode_;
};

} // namespace hostsim
