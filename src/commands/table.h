#pragma once
// Binding a table number to a table caller and up to three pagers (code 0x03 with 6 data
// bytes) and deleting a table's caller (0x07 with 2 data bytes).

#include "commands/command.h"

#include <array>

namespace callcfg {

struct TableCallerInput {
    QString table;                 // the table number as typed
    std::array<QString, 3> pagers; // the three pager numbers; empty means no pager
};

const Command& setTableCallerCommand();
const Command& deleteTableCallerCommand();

Encoded encodeSetTableCaller(const TableCallerInput& input);
Encoded encodeDeleteTableCaller(const QString& table); // the table number to delete

} // namespace callcfg
