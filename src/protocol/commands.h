#pragma once
// The host unit's commands: their codes, the pager mode table, the data bytes with a meaning of
// their own and the status bytes of the replies. Written once, for the tool, the simulated host
// unit and the benchmark.

#include <array>
#include <cstdint>

namespace callcfg::protocol {

inline constexpr std::uint8_t kSetPager = 0x01;
inline constexpr std::uint8_t kSetReceiverNumber = 0x02;
inline constexpr std::uint8_t kSetTableCaller = 0x03;           // with 6 data bytes
inline constexpr std::uint8_t kWriteRepeater = kSetTableCaller; // the same code without data
inline constexpr std::uint8_t kDeletePager = 0x04;
inline constexpr std::uint8_t kDeleteTableCaller = 0x07;            // with 2 data bytes
inline constexpr std::uint8_t kDeleteRepeater = kDeleteTableCaller; // the same code without data
inline constexpr std::uint8_t kInitialiseReceiver = 0x08;
inline constexpr std::uint8_t kInitialiseHost = 0x09;
inline constexpr std::uint8_t kSetReceiverFrequency = 0x0A;
inline constexpr std::uint8_t kSetTransmitterFrequency = 0x0B; // without data: cleared
inline constexpr std::uint8_t kReadHostBlock = 0x0D;
inline constexpr std::uint8_t kReadReceiverBlock = 0x0E;
inline constexpr std::uint8_t kSetUrgeUnit = 0x11;
inline constexpr std::uint8_t kDeleteUrgeUnit = 0x12;
inline constexpr std::uint8_t kSetDisplayType = 0x13;
inline constexpr std::uint8_t kSetVoicePrompts = 0x14;
inline constexpr std::uint8_t kHandheldModeByTable = 0x15;
inline constexpr std::uint8_t kHandheldModeByPager = 0x16;
inline constexpr std::uint8_t kSetWorkMode = 0x17;
inline constexpr std::uint8_t kWriteHostBlock = 0x18;

// Every command code the host unit answers.
inline constexpr auto kCommandCodes = std::to_array<std::uint8_t>(
    {kSetPager, kSetReceiverNumber, kSetTableCaller, kDeletePager, kDeleteTableCaller,
     kInitialiseReceiver, kInitialiseHost, kSetReceiverFrequency, kSetTransmitterFrequency,
     kReadHostBlock, kReadReceiverBlock, kSetUrgeUnit, kDeleteUrgeUnit, kSetDisplayType,
     kSetVoicePrompts, kHandheldModeByTable, kHandheldModeByPager, kSetWorkMode, kWriteHostBlock});

// The pager mode codes (machine type position × 16 + rate position) in mode index order; a set
// pager request sends the mode index.
inline constexpr auto kPagerModeCodes = std::to_array<std::uint8_t>(
    {0x21, 0x11, 0x01, 0x20, 0x10, 0x00, 0x31, 0x30, 0x22, 0x12, 0x02, 0x32});

// Data bytes of the requests.
inline constexpr std::uint8_t kTableCallerReceiver = 0x00; // set table caller byte 0: always 0
inline constexpr std::uint8_t kDigitalDisplay = 0xFF;      // set display-unit type
inline constexpr std::uint8_t kVoiceDisplay = 0x00;
inline constexpr std::uint8_t kNoPhrase = 0xFF; // voice prompts: no phrase, no initiator word

// Status bytes: data byte 0 of a reply of length 1.
inline constexpr std::uint8_t kNoSuchPager = 0x01; // delete pager
// Delete table caller: no caller belongs to the table number, or a receiver is not connected.
inline constexpr std::uint8_t kTableCallerUnreachable = 0x01;
inline constexpr std::uint8_t kNoSuchTable = 0x02;   // delete table caller
inline constexpr std::uint8_t kRepeaterEmpty = 0x00; // delete repeater
inline constexpr std::uint8_t kNotInRepeater = 0x01; // delete repeater: the caller is not in it
// Voice prompts and handheld call modes, refused while the display unit is a digital one.
inline constexpr std::uint8_t kDigitalDisplayRefuses = 0x01;
inline constexpr std::uint8_t kBlockWritten = 0x00; // write host block
// An operand out of range or a wrong data length: the request is refused and changes nothing.
inline constexpr std::uint8_t kRefused = 0xFF;

} // namespace callcfg::protocol
