#pragma once
// One host-unit command described as data, so that every window runs it the same way (see
// commandrunner.h): its code, its wait, its wait box and confirmation, and the verdict on each
// reply.

#include "commands/box.h"
#include "commands/focus.h"
#include "link/exchange.h"

#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace callcfg {

// What the window shows after a step: a box or nothing, then the control that takes the
// keyboard focus; `succeeded` when the host unit carried the command out.
struct Verdict {
    std::optional<Box> box{};
    Focus focus = Focus::Unchanged;
    bool succeeded = false;
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
    Caller, // asks for the table caller's service key: "请按呼叫器的服务键！"
    Urge,   // asks for any key and then # on the urge unit
};

struct Command {
    std::uint8_t code = 0;
    WaitPlan wait{};
    WaitBoxKind waitBox = WaitBoxKind::None;
    bool waitBoxBeforeSend = false;    // otherwise shown just after the request has left
    std::optional<Box> confirmation{}; // asked before sending; Cancel ends the command silently
    std::vector<OutcomeRow> replies{}; // first matching row wins
    Verdict noReply{};
    // The command's own failure: an input that passed its checks but cannot be put into a request
    // (an unconvertible input, a value too large), or a port that refused the request.
    Verdict failure{};
};

// A command whose inputs passed their checks: the request it sends.
struct Prepared {
    const Command* command = nullptr;
    std::vector<std::uint8_t> data;

    Request request() const { return {command->code, data}; }
};

// The inputs as a request, or what to show instead of sending one: an input error's box and the
// control that takes the focus, or the command's failure for an input it cannot send.
using Encoded = std::variant<Prepared, Verdict>;

// A command that sends no data: always prepared.
Encoded withoutData(const Command& command);

// A command whose one data byte is a number the user typed: `refusal` unless it lies within
// [low, high], then rounded once and sent; the command's failure when the rounded value does not
// fit.
Encoded encodeNumber(const Command& command, const QString& text, int low, int high,
                     const Verdict& refusal);

// The verdict on an exchange. `reply` holds the accepted reply's data bytes (its size is
// the reply's data length), or nothing when no reply was accepted within the wait.
Verdict judge(const Command& command, std::optional<std::span<const std::uint8_t>> reply);

} // namespace callcfg
