// The plan reader over arbitrary bytes.
//
// Checks: a refusal names a line and column inside the input (line 1 at most one past the last
// line end); accepted rows come in file order after the header, each either refused by the
// window's own check or encoded into the window's request for its command, whose fields lie in
// the checked ranges; compared with an empty unit, every row is reported missing.

#include "check.h"

#include "plan/plan.h"
#include "plan/planverify.h"

#include <algorithm>

using namespace callcfg;

namespace {

void checkFrame(PlanKind kind, const Prepared& frame) {
    const auto& d = frame.data;
    if (kind == PlanKind::Pagers) {
        FUZZ_CHECK(frame.command == &setPagerCommand() && d.size() == 13);
        const int number = d[0] * 100 + d[1];
        FUZZ_CHECK(number >= 1 && number <= 254 && d[1] < 100);
        FUZZ_CHECK(d[2] * 10 + d[3] < 12 && d[4] <= 1 && d[12] <= 3);
        FUZZ_CHECK(
            std::all_of(d.begin() + 5, d.begin() + 12, [](int digit) { return digit <= 9; }));
    } else {
        FUZZ_CHECK(frame.command == &setTableCallerCommand() && d.size() == 6);
        FUZZ_CHECK(d[0] == 0 && d[1] * 256 + d[2] >= 1);
        FUZZ_CHECK(std::all_of(d.begin() + 3, d.end(), [](int pager) { return pager >= 1; }));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = readPlan(bytes);
    if (const auto* error = std::get_if<PlanError>(&read)) {
        FUZZ_CHECK(!error->message.isEmpty() && error->column >= 1 && error->line >= 1);
        FUZZ_CHECK(error->line <= bytes.count('\n') + bytes.count('\r') + 1);
        return 0;
    }
    const Plan& plan = std::get<Plan>(read);
    int previous = 1;
    for (const PlanRow& row : plan.rows) {
        FUZZ_CHECK(row.row > previous && row.line >= row.row);
        previous = row.row;
        FUZZ_CHECK(std::holds_alternative<PagerInput>(row.input) ==
                   (plan.kind == PlanKind::Pagers));
        const Encoded encoded = encodePlanRow(row);
        if (const auto* frame = std::get_if<Prepared>(&encoded))
            checkFrame(plan.kind, *frame);
        else if (const auto* refusal = std::get_if<Refusal>(&encoded))
            FUZZ_CHECK(!refusal->box.text.isEmpty());
    }
    HostMemory empty;
    empty.fill(0xFF);
    FUZZ_CHECK(planDifferences(plan, empty).size() == qsizetype(plan.rows.size()));
    return 0;
}
