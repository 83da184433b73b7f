// The plan reader over arbitrary bytes.
//
// Checks: a refusal names a row inside the input (at most one past the last line end) and a
// column from A on; accepted rows come in file order after the header, no wider than the
// columns, no more than the host unit holds, each either refused by the window's own check
// (and then by the plan, in that row) or encoded into the window's request for its command,
// whose fields lie in the checked ranges; a plan without refusals names each pager or table
// once; the notes are few; compared with an empty unit, every row is reported missing. The
// text read again as UTF-8 and as UTF-16 LE and BE, each with its byte-order mark, gives the
// same plan or refusal.

#include "check.h"

#include "plan/csvrecords.h"
#include "plan/plan.h"
#include "plan/planverify.h"

#include <QStringEncoder>

#include <algorithm>
#include <set>

using namespace callcfg;

namespace {

// The pager or table number the frame sends.
int checkFrame(PlanKind kind, const Prepared& frame) {
    const auto& d = frame.data;
    if (kind == PlanKind::Pagers) {
        FUZZ_CHECK(frame.command == &setPagerCommand() && d.size() == 13);
        const int number = d[0] * 100 + d[1];
        FUZZ_CHECK(number >= 1 && number <= 254 && d[1] < 100);
        FUZZ_CHECK(d[2] * 10 + d[3] < 12 && d[4] <= 1 && d[12] <= 3);
        FUZZ_CHECK(
            std::all_of(d.begin() + 5, d.begin() + 12, [](int digit) { return digit <= 9; }));
        return number;
    }
    FUZZ_CHECK(frame.command == &setTableCallerCommand() && d.size() == 6);
    FUZZ_CHECK(d[0] == 0 && d[1] * 256 + d[2] >= 1);
    FUZZ_CHECK(std::all_of(d.begin() + 3, d.end(), [](int pager) { return pager >= 1; }));
    return d[1] * 256 + d[2];
}

// Everything a reading shows: the refusal, or each row's cells and each refusal.
QStringList shown(const std::variant<Plan, PlanError>& read) {
    if (const auto* error = std::get_if<PlanError>(&read))
        return {planErrorText(*error)};
    const Plan& plan = std::get<Plan>(read);
    QStringList lines{QString::number(int(plan.kind))};
    lines << plan.notes;
    for (const PlanRow& row : plan.rows)
        lines << QString::number(row.row) + u':' + row.cells.join(u'|');
    for (const PlanError& refusal : plan.refusals)
        lines << planErrorText(refusal);
    return lines + ignoredColumns(plan);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = readPlan(bytes);
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') + 1;
    if (const auto* error = std::get_if<PlanError>(&read)) {
        FUZZ_CHECK(!error->message.isEmpty() && error->column >= -1);
        FUZZ_CHECK(error->row >= 0 && error->row <= lines);
    } else {
        const Plan& plan = std::get<Plan>(read);
        int previous = 1;
        std::set<int> numbers;
        bool repeated = false;
        FUZZ_CHECK(plan.columns.size() <= std::size_t(kMaxPlanColumns) && plan.notes.size() <= 21);
        FUZZ_CHECK(plan.rows.size() <= std::size_t(plan.kind == PlanKind::Pagers ? 254 : 512));
        for (const PlanRow& row : plan.rows) {
            FUZZ_CHECK(row.row > previous && row.line >= row.row && row.row <= lines);
            FUZZ_CHECK(row.cells.size() <= qsizetype(plan.columns.size()));
            previous = row.row;
            FUZZ_CHECK(std::holds_alternative<PagerInput>(row.input) ==
                       (plan.kind == PlanKind::Pagers));
            const Encoded encoded = encodePlanRow(row);
            if (const auto* frame = std::get_if<Prepared>(&encoded))
                repeated = !numbers.insert(checkFrame(plan.kind, *frame)).second || repeated;
            else
                FUZZ_CHECK(std::any_of(plan.refusals.begin(), plan.refusals.end(),
                                       [&](const PlanError& r) { return r.row == row.row; }));
        }
        FUZZ_CHECK(!repeated || !plan.refusals.empty());
        int refusedRow = 1;
        for (const PlanError& refusal : plan.refusals) {
            FUZZ_CHECK(refusal.row >= refusedRow && refusal.row <= lines);
            FUZZ_CHECK(refusal.column < int(plan.columns.size()) && !refusal.message.isEmpty());
            refusedRow = refusal.row;
        }
        HostMemory empty;
        empty.fill(0xFF);
        FUZZ_CHECK(planDifferences(plan, empty).size() == qsizetype(plan.rows.size()));
    }

    // The same text in another encoding reads alike.
    const auto text = decodeFileText(bytes);
    const auto* file = std::get_if<FileText>(&text);
    if (!file)
        return 0;
    const QStringList expected = shown(read);
    FUZZ_CHECK(shown(readPlan("\xEF\xBB\xBF" + file->text.toUtf8())) == expected);
    FUZZ_CHECK(shown(readPlan("\xFF\xFE" + QStringEncoder(QStringEncoder::Utf16LE)(file->text))) ==
               expected);
    FUZZ_CHECK(shown(readPlan("\xFE\xFF" + QStringEncoder(QStringEncoder::Utf16BE)(file->text))) ==
               expected);
    return 0;
}
