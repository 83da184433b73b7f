#pragma once
// What each host-unit command of the windows is to do, restated as the installer sees it: the
// request's command code, the wait, the wait box and the question, and the box and focused
// control for each kind of reply, for no reply and for a request that could not be sent. The
// command tests and the soak check the tool against this one table; it is written out here,
// not taken from the tool's own descriptions, so that a wrong text in the tool is caught.

#include "commands/command.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <vector>

namespace testsupport {

// A box as the installer sees it; kind 0 means no box at all.
struct ExpectedBox {
    int kind = 0; // 15 a notice (no icon), 16 an error (critical icon)
    QString title;
    QString text;
    QString focus; // objectName of the control that takes the focus; empty: it stays
};

// A reply of `length` data bytes (any when -1) whose data byte 0 is `firstByte` (any when -1).
struct ExpectedReply {
    int length = -1;
    int firstByte = -1;
    ExpectedBox box;
};

struct ExpectedCommand {
    const char* name = "";
    const callcfg::Command& (*tool)() = nullptr; // the tool's description of the command
    std::uint8_t code = 0;
    int periods = 1; // the wait: `periods` of `seconds` each
    double seconds = 1;
    const char* waitBox = "";  // "Form2 after" (shown once sent), "Form2 before", "Form4 after"
    QString confirmation;      // asked first (a confirmation box), when not empty
    QString confirmationTitle; //
    std::vector<ExpectedReply> replies; // the first match wins; success is the first row
    ExpectedBox noReply;
    ExpectedBox failure; // the request could not be sent

    double waitSeconds() const { return periods * seconds; }
    const ExpectedReply& success() const { return replies.front(); }
    // The box of the first row that matches; no box when none does.
    const ExpectedBox& boxFor(std::span<const std::uint8_t> reply) const;
};

// The request made with other inputs, typed over the request's own: the bytes it then sends,
// or the box that refuses it. One row for each field's binding and each refusal's focus.
struct FieldRow {
    const char* tag = "";
    QStringList inputs;
    QString wire;         // every byte of the request; empty: nothing is sent
    ExpectedBox box = {}; // none: the command's success box
    QString fault = {};   // for the unit's reply (hostsim::Fault::named)
};

// A command as its window sends it: its button ("Command1" in the main window,
// "form5/Command1" in a caller window), typed inputs ("objectName=value") and every byte of the
// request they make, then the same request with other inputs.
struct ExpectedRequest {
    const ExpectedCommand* command = nullptr;
    const char* button = "";
    QStringList inputs;
    QString wire;
    bool deletes = false; // a fresh unit has nothing to delete: its success is forced
    std::vector<FieldRow> fields = {};
    QStringList enterFields = {}; // the fields and lists in which Enter clicks the button
};

// The form name (objectName) of the main window's control that takes the focus for `role`;
// empty for Focus::Unchanged.
QString formNameOf(callcfg::Focus role);

// Every command of the main window and the caller windows; the soak draws from them in this
// order.
const std::vector<ExpectedCommand>& expectedCommands();

// The commands of the main window and the caller windows, one typed request each.
const std::vector<ExpectedRequest>& windowRequests();

} // namespace testsupport
