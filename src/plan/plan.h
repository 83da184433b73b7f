#pragma once
// A programming plan: the rows of a pager or table caller CSV file, as `callcfg export` writes
// them, each turned into the inputs of the window's set pager or set table caller command.
// Reading needs no device and sends nothing.

#include "commands/command.h"
#include "commands/pager.h"
#include "commands/table.h"

#include <QByteArray>
#include <QString>

#include <variant>
#include <vector>

namespace callcfg {

enum class PlanKind { Pagers, Tables };

struct PlanRow {
    int row = 0;  // the record's number in the file, the header being 1 (a spreadsheet's row)
    int line = 0; // the line it starts on
    std::variant<PagerInput, TableCallerInput> input;
};

struct Plan {
    PlanKind kind = PlanKind::Pagers;
    std::vector<PlanRow> rows;
};

// Why a file is no plan, and where.
struct PlanError {
    int line = 1;
    int column = 1;
    QString message;
};

// UTF-8 with or without a byte-order mark; a header of pagers (传呼号,地址码,极性,机型,速率,音调
// or pager,address,polarity,type,rate,tone) or of table callers (餐桌号,叮当鸟特征码,对应传呼号1,
// 对应传呼号2,对应传呼号3 or table,feature,pager1,pager2,pager3); the choices in the listing's
// words. Numbers are left as written, for the command's own checks; the feature code is not
// read. Rows whose fields are all empty are passed over.
std::variant<Plan, PlanError> readPlan(const QByteArray& bytes);

// The row through the window's command: the request, or the check's refusal.
Encoded encodePlanRow(const PlanRow& row);

// The row's pager or table number as written.
QString planRowNumber(const PlanRow& row);

} // namespace callcfg
