#pragma once
// A programming plan: the rows of a pager or table caller sheet, as `callcfg export` writes them
// and a spreadsheet saves them, each turned into the inputs of the window's set pager or set
// table caller command. Reading needs no device and sends nothing.

#include "commands/command.h"
#include "commands/pager.h"
#include "commands/table.h"

#include <QByteArray>
#include <QStringList>

#include <variant>
#include <vector>

namespace callcfg {

enum class PlanKind { Pagers, Tables };

// Why a file is no plan, or why a plan cannot be sent, and where.
struct PlanError {
    int row = 0;     // the spreadsheet's row, the header being 1; 0 for the file as a whole
    int column = -1; // the spreadsheet's column from 0 (A); -1 for the whole row or file
    QString header;  // that column's header as the file writes it
    QString message;
};

// "row 3, column C (polarity): message" ("第 3 行 C 列（极性）：…"), "row 1: message", or the
// message alone for the file as a whole. The one wording of every refusal.
QString planErrorText(const PlanError& error);

// A spreadsheet column's letters: 0 is A, 25 Z, 26 AA.
QString columnLetters(int column);

struct PlanColumn {
    QString header; // as written, trimmed; empty for a blank header or a column beyond it
    bool known = false;
};

struct PlanRow {
    int row = 0;       // the record's number in the file, the header being 1 (a spreadsheet's row)
    int line = 0;      // the line it starts on
    QStringList cells; // the row's values by column, trimmed, as the sheet shows them
    std::variant<PagerInput, TableCallerInput> input;
};

struct Plan {
    PlanKind kind = PlanKind::Pagers;
    std::vector<PlanColumn> columns; // the file's columns from A on, as wide as its widest row
    std::vector<PlanRow> rows;       // the rows that are not blank, in file order
    // Why the plan cannot be sent, by row: a value the reader does not take, a quote out of
    // place (no row after it is read), the same pager or table number as an earlier row.
    // Nothing of a plan with a refusal may be sent.
    std::vector<PlanError> refusals;
};

// The text a spreadsheet saves (see decodeFileText: UTF-8, UTF-16 with its byte-order mark,
// GB18030), with commas or tabs between the fields. The header names the columns in any order:
// 传呼号,地址码,极性,机型,速率,音调 (pager,address,polarity,type,rate,tone) or 餐桌号,叮当鸟特征码,
// 对应传呼号1,对应传呼号2,对应传呼号3 (table,feature,pager1,pager2,pager3), other and blank columns
// ignored; the feature code is not read. Values are trimmed; the choices are in the listing's
// words; numbers are left as written, for the command's own checks, which also decide when two
// rows name the same pager or table. Blank rows are passed over. The error: why the file holds
// no plan at all.
std::variant<Plan, PlanError> readPlan(const QByteArray& bytes);

// The columns the plan does not read that hold something, as "column E (备注)" or "column G".
QStringList ignoredColumns(const Plan& plan);

// The row through the window's command: the request, or the check's refusal.
Encoded encodePlanRow(const PlanRow& row);

// The row's pager or table number as written.
QString planRowNumber(const PlanRow& row);

} // namespace callcfg
