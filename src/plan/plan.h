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

// What a sheet may hold: a file of pagers or table callers is far smaller than this; a value
// past the columns, or more rows than the host unit holds, is no sheet for it.
inline constexpr qsizetype kMaxPlanFileBytes = 4 * 1024 * 1024;
inline constexpr int kMaxPlanColumns = 100;
inline constexpr int kMaxPlanPagers = 254; // pager numbers 1 to 254

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
    // The file's columns from A on, up to the last one the header or a row read fills.
    std::vector<PlanColumn> columns;
    std::vector<PlanRow> rows; // the rows that set something, in file order
    // Why the plan cannot be sent, by row: a value the reader does not take, a value the set
    // command's check refuses or cannot put into a request, a quote out of place (no row after
    // it is read), the same pager or table number as an earlier row. Nothing of a plan with a
    // refusal may be sent.
    std::vector<PlanError> refusals;
    // The rows passed over that are not blank, in words: title rows above the header, rows
    // below it that set nothing (a total, a note); the first few, then how many more.
    QStringList notes;
};

// The text a spreadsheet saves (see decodeFileText: UTF-8, UTF-16 with its byte-order mark,
// GB18030), with commas or tabs between the fields. The header is the first row that names a
// pager or table number column, among the first 10 rows that are not blank (title rows above it
// are passed over); it names the columns in any order: 传呼号,地址码,极性,机型,速率,音调
// (pager,address,polarity,type,rate,tone) or
// 餐桌号,叮当鸟特征码,对应传呼号1,对应传呼号2,对应传呼号3 (table,feature,pager1,pager2,pager3),
// other and blank columns ignored; the feature code is not read. Values are trimmed; the choices
// are in the listing's words; numbers go through the set command's own checks, which also decide
// when two rows name the same pager or table. Blank rows are passed over, rows whose command
// columns are all empty too. The error: why the file holds no plan at all, or is past what a sheet
// may hold (see kMaxPlanColumns and the host unit's pagers and tables).
std::variant<Plan, PlanError> readPlan(const QByteArray& bytes);

// The file at `path` read as readPlan reads bytes; a file past kMaxPlanFileBytes (a device that
// never ends among them) is refused once that much is read.
std::variant<Plan, PlanError> readPlanFile(const QString& path);

// What a plan says of a value that passes the set command's check but cannot be put into its
// request (the set command answers it with its own failure), by the input's focus.
QString unsendableText(Focus focus);

// The columns the plan does not read that hold something, as "column E (备注)" or "column G".
QStringList ignoredColumns(const Plan& plan);

// The row through the window's command: the request, or the check's refusal.
Encoded encodePlanRow(const PlanRow& row);

// The row's pager or table number as written.
QString planRowNumber(const PlanRow& row);

} // namespace callcfg
