#pragma once
// One host-unit command described as data, so that every window runs it the same way:
// ensure the port is open, encode the controls' contents, ask the confirmation if any,
// show the wait box if any, send, await the reply, judge it, show the box, move the focus.

#include "ui/boxkind.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace callcfg {

// What the window shows after a step: a box or nothing, then the objectName of the
// control that takes the keyboard focus, or an empty name when the focus stays put.
struct Verdict {
    std::optional<Box> box{};
    QString focus{};
};

// One line of a command's reply table. A row matches a reply of the given data length
// (any length when unset) whose data byte 0 is the given value (any when unset).
struct OutcomeRow {
    std::optional<int> length{};
    std::optional<int> firstByte{};
    Verdict verdict{};
};

// The wait box shown while the host unit learns a unit's code.
enum class WaitBoxKind {
    None,
    Caller, // Form2, "请按呼叫器的服务键！"
    Urge,   // Form4, press any key and # on the urge unit
};

struct Command {
    std::uint8_t code = 0;
    int waitPeriods = 1;
    double periodLength = 1.0;
    WaitBoxKind waitBox = WaitBoxKind::None;
    bool waitBoxBeforeSend = false;    // otherwise shown just after the frame has left
    std::optional<Box> confirmation{}; // asked before sending; Cancel ends the command silently
    std::vector<OutcomeRow> replies{}; // first matching row wins
    Verdict noReply{};
    Verdict fault{}; // run-time fault: unconvertible input, a value too large, a port fault
};

// A request ready to send: the command it belongs to and its data bytes.
struct Frame {
    const Command* command = nullptr;
    std::vector<std::uint8_t> data;

    std::uint8_t code() const { return command->code; }
    // Address byte 0x01, command code, data length and data: frame buffer indices 0 to n+2.
    // The checksum is left to the sender.
    std::vector<std::uint8_t> body() const;
};

// An input error: the box to show and the control that takes the focus (empty: none).
struct Refusal {
    Box box;
    QString focus;
};

// A run-time fault before anything was sent; the window shows `command->fault`.
struct Fault {
    const Command* command = nullptr;
};

using Encoded = std::variant<Frame, Refusal, Fault>;

// The verdict on an exchange. `reply` holds the accepted reply's data bytes (its size is
// the reply's data length), or nothing when no reply was accepted within the wait.
Verdict judge(const Command& command, std::optional<std::span<const std::uint8_t>> reply);

} // namespace callcfg
