#include "plan/plan.h"

#include "link/texts.h"
#include "memory/imagedecoding.h"
#include "plan/csvrecords.h"
#include "protocol/commands.h"

#include <algorithm>
#include <map>

namespace callcfg {

namespace {

// A column a plan knows by its header, in Chinese or English, in the export's order.
struct Field {
    QString chinese;
    QString english;
    bool read = true; // the feature code is known but not read
};

const std::vector<Field>& fieldsOf(PlanKind kind) {
    static const std::vector<Field> pagers{{QStringLiteral("传呼号"), QStringLiteral("pager")},
                                           {QStringLiteral("地址码"), QStringLiteral("address")},
                                           {QStringLiteral("极性"), QStringLiteral("polarity")},
                                           {QStringLiteral("机型"), QStringLiteral("type")},
                                           {QStringLiteral("速率"), QStringLiteral("rate")},
                                           {QStringLiteral("音调"), QStringLiteral("tone")}};
    static const std::vector<Field> tables{
        {QStringLiteral("餐桌号"), QStringLiteral("table")},
        {QStringLiteral("叮当鸟特征码"), QStringLiteral("feature"), false},
        {QStringLiteral("对应传呼号1"), QStringLiteral("pager1")},
        {QStringLiteral("对应传呼号2"), QStringLiteral("pager2")},
        {QStringLiteral("对应传呼号3"), QStringLiteral("pager3")}};
    return kind == PlanKind::Pagers ? pagers : tables;
}
enum PagerField { kPager, kAddress, kPolarity, kType, kRate, kTone };
enum TableField { kTable, kFeature, kPager1 };

bool names(const Field& field, const QString& header) {
    return header.compare(field.chinese, Qt::CaseInsensitive) == 0 ||
           header.compare(field.english, Qt::CaseInsensitive) == 0;
}

QString exportHeader(PlanKind kind) {
    QStringList names;
    for (const Field& field : fieldsOf(kind))
        names << field.chinese;
    return names.join(QLatin1Char(','));
}

PlanError headerError(const QString& message) {
    return {1, -1, {}, message};
}

QString remedy() {
    return Texts::tr("save it in Excel as \"CSV UTF-8 (Comma delimited)\"");
}

QStringList trimmed(const QStringList& fields) {
    QStringList cells;
    for (const QString& field : fields)
        cells << field.trimmed();
    return cells;
}

QStringList distinct(const QStringList& words) {
    QStringList list;
    for (const QString& word : words)
        if (!list.contains(word))
            list << word;
    return list;
}

// Reads the rows of a sheet whose header names the columns of `kind`.
class SheetReader {
public:
    SheetReader(Plan& plan, std::vector<int> columnOf)
        : plan_(plan), columnOf_(std::move(columnOf)) {}

    void read(const CsvRecord& record, int row) {
        const QStringList cells = trimmed(record.fields);
        if (std::all_of(cells.begin(), cells.end(), [](const QString& c) { return c.isEmpty(); }))
            return;
        widen(cells.size());
        row_ = row;
        PlanRow planRow{row, record.line, cells, TableCallerInput{}};
        if (plan_.kind == PlanKind::Pagers)
            planRow.input = pagerRow(cells);
        else
            planRow.input = tableRow(cells);
        plan_.rows.push_back(planRow);
    }

    // A quote out of place: the rows after it cannot be told apart.
    void stop(const CsvProblem& problem) {
        widen(problem.field + 1);
        plan_.refusals.push_back({problem.record + 1, problem.field,
                                  plan_.columns[problem.field].header, problem.message});
    }

    // The second row that sends the same pager or table number, after the command's rounding.
    void refuseDuplicates() {
        std::map<int, int> firstRow;
        for (const PlanRow& row : plan_.rows) {
            const Encoded encoded = encodePlanRow(row);
            const auto* prepared = std::get_if<Prepared>(&encoded);
            if (!prepared)
                continue;
            const auto& d = prepared->data;
            const int number =
                plan_.kind == PlanKind::Pagers ? d[0] * 100 + d[1] : d[1] * 256 + d[2];
            const auto [first, added] = firstRow.try_emplace(number, row.row);
            if (added)
                continue;
            refuse(row.row, 0,
                   plan_.kind == PlanKind::Pagers
                       ? Texts::tr("the same pager number as row %1").arg(first->second)
                       : Texts::tr("the same table number as row %1").arg(first->second));
        }
        std::stable_sort(plan_.refusals.begin(), plan_.refusals.end(),
                         [](const PlanError& a, const PlanError& b) { return a.row < b.row; });
    }

private:
    void widen(qsizetype width) {
        if (qsizetype(plan_.columns.size()) < width)
            plan_.columns.resize(width);
    }

    QString cell(const QStringList& cells, int field) const {
        return cells.value(columnOf_[field]);
    }

    void refuse(int row, int field, const QString& message) {
        const int column = columnOf_[field];
        plan_.refusals.push_back({row, column, plan_.columns[column].header, message});
    }

    // The position of the field's value among `words`; a refusal naming the words allowed.
    int positionOf(const QStringList& cells, int field, const QStringList& words) {
        const qsizetype position = words.indexOf(cell(cells, field));
        if (position < 0)
            refuse(row_, field,
                   Texts::tr("must be one of %1, not \"%2\"")
                       .arg(words.join(QStringLiteral(", ")), cell(cells, field)));
        return int(position);
    }

    PagerInput pagerRow(const QStringList& cells) {
        PagerInput input{cell(cells, kPager), cell(cells, kAddress)};
        input.polarity =
            std::max(0, positionOf(cells, kPolarity, {polarityWord(false), polarityWord(true)}));
        // Machine type and rate name one of the listing's kinds, found in mode index order.
        const auto kinds = pagerKindsByMode();
        QStringList types, rates, tones;
        for (const PagerKind& kind : kinds) {
            types << kind.machineType.toString();
            rates << kind.rate.toString();
        }
        positionOf(cells, kType, distinct(types));
        positionOf(cells, kRate, distinct(rates));
        for (int tone = 0; tone < 4; ++tone)
            tones << toneWord(tone);
        input.tone = std::max(0, positionOf(cells, kTone, tones));
        for (std::size_t mode = 0; mode < kinds.size(); ++mode) {
            if (types[mode] == cell(cells, kType) && rates[mode] == cell(cells, kRate)) {
                input.machineType = protocol::kPagerModeCodes[mode] >> 4;
                input.rate = protocol::kPagerModeCodes[mode] & 0x0F;
            }
        }
        return input;
    }

    TableCallerInput tableRow(const QStringList& cells) const {
        TableCallerInput input{cell(cells, kTable), {}};
        for (std::size_t i = 0; i < input.pagers.size(); ++i) {
            const QString pager = cell(cells, kPager1 + int(i));
            input.pagers[i] = pager == noPagerWord() ? QString() : pager;
        }
        return input;
    }

    Plan& plan_;
    const std::vector<int> columnOf_; // each field's column
    int row_ = 0;                     // the row being read
};

// The kind the header's leftmost pager or table number column names, and the column of each of
// its fields; or why the header names no plan.
std::variant<std::vector<int>, PlanError> layoutOf(Plan& plan, const FileText& file) {
    const auto key = std::find_if(plan.columns.begin(), plan.columns.end(), [](const auto& c) {
        return names(fieldsOf(PlanKind::Pagers)[0], c.header) ||
               names(fieldsOf(PlanKind::Tables)[0], c.header);
    });
    if (key == plan.columns.end()) {
        if (file.gb18030) // bytes neither UTF-8 nor a GB18030 plan: most likely neither was meant
            return PlanError{0, -1, {}, remedy()};
        return headerError(
            Texts::tr("the header is neither %1 nor %2")
                .arg(exportHeader(PlanKind::Pagers), exportHeader(PlanKind::Tables)));
    }
    plan.kind =
        names(fieldsOf(PlanKind::Pagers)[0], key->header) ? PlanKind::Pagers : PlanKind::Tables;
    const std::vector<Field>& fields = fieldsOf(plan.kind);
    std::vector<int> columnOf(fields.size(), -1);
    for (int column = 0; column < int(plan.columns.size()); ++column) {
        PlanColumn& at = plan.columns[column];
        for (std::size_t field = 0; field < fields.size(); ++field) {
            if (!names(fields[field], at.header))
                continue;
            if (columnOf[field] >= 0)
                return PlanError{
                    1, column, at.header,
                    Texts::tr("the same header as column %1").arg(columnLetters(columnOf[field]))};
            columnOf[field] = column;
            at.known = true;
        }
    }
    QStringList missing;
    for (std::size_t field = 0; field < fields.size(); ++field)
        if (columnOf[field] < 0 && fields[field].read)
            missing << fields[field].chinese + QLatin1Char('/') + fields[field].english;
    if (!missing.isEmpty())
        return headerError(
            Texts::tr("the header has no column %1").arg(missing.join(QStringLiteral(", "))));
    return columnOf;
}

} // namespace

std::variant<Plan, PlanError> readPlan(const QByteArray& bytes) {
    const auto decoded = decodeFileText(bytes);
    if (const auto* notText = std::get_if<NotText>(&decoded))
        return PlanError{0,
                         -1,
                         {},
                         *notText == NotText::Workbook
                             ? Texts::tr("this is an Excel workbook; save it as CSV")
                             : remedy()};
    const FileText& file = std::get<FileText>(decoded);
    const CsvSplit split = splitCsv(file.text, separatorOf(file.text));
    if (split.records.empty()) {
        if (split.problem)
            return PlanError{1, split.problem->field, {}, split.problem->message};
        return PlanError{
            0, -1, {}, Texts::tr("the file is empty; a plan starts with a header row")};
    }

    Plan plan;
    for (const QString& header : trimmed(split.records.front().fields))
        plan.columns.push_back({header});
    auto layout = layoutOf(plan, file);
    if (const auto* error = std::get_if<PlanError>(&layout))
        return *error;
    SheetReader reader(plan, std::get<std::vector<int>>(std::move(layout)));
    for (std::size_t i = 1; i < split.records.size(); ++i)
        reader.read(split.records[i], int(i) + 1);
    if (split.problem)
        reader.stop(*split.problem);
    reader.refuseDuplicates();
    return plan;
}
} // namespace callcfg
