#include "plan/plan.h"

#include "link/texts.h"
#include "memory/imagedecoding.h"
#include "plan/csvrecords.h"
#include "plan/workbook.h"
#include "protocol/commands.h"
#include "protocol/memorymap.h"

#include <QFile>

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

constexpr int kHeaderSearch = 10; // the rows, not blank, among which the header stands
constexpr int kNotesKept = 20;
constexpr int kNoteLength = 30; // characters of a row's text in a note

// A row in a note: its cells that are not empty, a space between them, cut short when long; a
// character that prints nothing (a terminal's escape among them) shown as U+FFFD.
QString rowText(const QStringList& cells) {
    QStringList words;
    for (const QString& cell : cells)
        if (!cell.isEmpty())
            words << cell.simplified();
    QString text = words.join(QLatin1Char(' '));
    for (QChar& c : text)
        if (!c.isPrint() && !c.isSurrogate())
            c = QChar::ReplacementCharacter;
    if (text.size() <= kNoteLength)
        return text;
    qsizetype cut = kNoteLength - 1;
    if (text[cut - 1].isHighSurrogate())
        --cut;
    return text.first(cut) + QChar(0x2026);
}

// The plan's notes: the first kNotesKept, then how many more.
class Notes {
public:
    explicit Notes(Plan& plan) : plan_(plan) {}

    void add(const QString& text) {
        if (plan_.notes.size() < kNotesKept)
            plan_.notes << text;
        else
            ++more_;
    }
    void end() {
        if (more_ > 0)
            plan_.notes << Texts::tr("and %1 more row(s) skipped").arg(more_);
    }

private:
    Plan& plan_;
    int more_ = 0;
};

PlanError tooLarge(qsizetype bytes) {
    return {0,
            -1,
            {},
            Texts::tr("the file is larger than %1 MiB; a sheet of pagers or table callers is far "
                      "smaller")
                .arg(bytes / (1024 * 1024))};
}

PlanError tooWide(int row, int column) {
    return {row,
            column,
            {},
            Texts::tr("a value past column %1; a sheet has at most %2 columns")
                .arg(columnLetters(kMaxPlanColumns - 1))
                .arg(kMaxPlanColumns)};
}

bool boundPager(Focus focus) {
    return focus >= Focus::TablePager1 && focus <= Focus::TablePager3;
}

bool isKey(const QString& header) {
    return names(fieldsOf(PlanKind::Pagers)[0], header) ||
           names(fieldsOf(PlanKind::Tables)[0], header);
}

// Reads the rows of a sheet whose header names the columns of `kind`.
class SheetReader {
public:
    SheetReader(Plan& plan, std::vector<int> columnOf, Notes& notes)
        : plan_(plan), columnOf_(std::move(columnOf)), notes_(notes) {}

    // A row below the header that is not blank; the error when it is one more than the host
    // unit holds.
    std::optional<PlanError> read(const QStringList& cells, int row, int line) {
        const std::vector<Field>& fields = fieldsOf(plan_.kind);
        bool sets = false;
        for (std::size_t field = 0; field < fields.size(); ++field)
            sets = sets || (fields[field].read && !cell(cells, int(field)).isEmpty());
        if (!sets) {
            notes_.add(Texts::tr("row %1 (%2) sets nothing; skipped").arg(row).arg(rowText(cells)));
            return std::nullopt;
        }
        const bool pagers = plan_.kind == PlanKind::Pagers;
        const int most = pagers ? kMaxPlanPagers : memorymap::kMaxTables;
        if (int(plan_.rows.size()) == most)
            return PlanError{row,
                             -1,
                             {},
                             (pagers ? Texts::tr("more than %1 pagers; the host unit holds at "
                                                 "most %1")
                                     : Texts::tr("more than %1 table numbers; the host unit "
                                                 "holds at most %1"))
                                 .arg(most)};
        widen(cells.size());
        row_ = row;
        PlanRow planRow{row, line, cells, TableCallerInput{}};
        if (pagers)
            planRow.input = pagerRow(cells);
        else
            planRow.input = tableRow(cells);
        refuseUnsent(planRow);
        plan_.rows.push_back(std::move(planRow));
        return std::nullopt;
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
                         [](const PlanError& a, const PlanError& b) {
                             return std::pair(a.row, a.column) < std::pair(b.row, b.column);
                         });
    }

private:
    void widen(qsizetype width) {
        if (qsizetype(plan_.columns.size()) < width)
            plan_.columns.resize(width);
    }

    QString cell(const QStringList& cells, int field) const {
        return cells.value(columnOf_[field]);
    }

    // The field an input's focus stands for; -1 for none (the row as a whole).
    int fieldOf(Focus focus) const {
        switch (focus) {
        case Focus::PagerNumber:
            return kPager;
        case Focus::AddressCode:
            return kAddress;
        case Focus::TableNumber:
            return kTable;
        default:
            return boundPager(focus) ? kPager1 + (int(focus) - int(Focus::TablePager1)) : -1;
        }
    }

    // The set command's own check, so that no row of a plan with refusals is sent. The command
    // stops at the first input it refuses or cannot send: that input is replaced by one it
    // takes (a number 1, no bound pager) and the row checked again, so that every such input of
    // the row is told at once. The command's own failure is an input it cannot put into a
    // request: a pager's address code with a sign, point or blank among its digits, a table
    // number that rounds past 65535; it is told as the value it is.
    void refuseUnsent(const PlanRow& row) {
        PlanRow probe = row;
        const bool pagers = std::holds_alternative<PagerInput>(row.input);
        const Command& command = pagers ? setPagerCommand() : setTableCallerCommand();
        for (;;) {
            const Encoded encoded = encodePlanRow(probe);
            const auto* refused = std::get_if<Verdict>(&encoded);
            if (!refused || !refused->box)
                return;
            const bool unsendable = refused->box->text == command.failure.box->text;
            const Focus focus = !unsendable ? refused->focus
                                : pagers    ? Focus::AddressCode
                                            : Focus::TableNumber;
            refuse(row.row, fieldOf(focus),
                   unsendable ? unsendableText(focus) : refused->box->text);
            QString* input = inputOf(probe, focus);
            const QString taken = boundPager(focus) ? QString() : QStringLiteral("1");
            if (!input || *input == taken) // prepared, or nothing left to replace
                return;
            *input = taken;
        }
    }

    // The input of the row that `focus` names; none for a focus without one.
    static QString* inputOf(PlanRow& row, Focus focus) {
        if (auto* pager = std::get_if<PagerInput>(&row.input))
            return focus == Focus::PagerNumber   ? &pager->number
                   : focus == Focus::AddressCode ? &pager->address
                                                 : nullptr;
        auto& table = std::get<TableCallerInput>(row.input);
        if (focus == Focus::TableNumber)
            return &table.table;
        if (boundPager(focus))
            return &table.pagers[std::size_t(focus) - std::size_t(Focus::TablePager1)];
        return nullptr;
    }

    void refuse(int row, int field, const QString& message) {
        const int column = field < 0 ? -1 : columnOf_[field];
        plan_.refusals.push_back(
            {row, column, column < 0 ? QString() : plan_.columns[column].header, message});
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
    Notes& notes_;
    int row_ = 0; // the row being read
};

// The kind the header's leftmost pager or table number column names, and the column of each of
// its fields; or why the header at `row` names no plan.
std::variant<std::vector<int>, PlanError> layoutOf(Plan& plan, int row) {
    const auto key = std::find_if(plan.columns.begin(), plan.columns.end(),
                                  [](const PlanColumn& c) { return isKey(c.header); });
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
                    row, column, at.header,
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
        return PlanError{
            row,
            -1,
            {},
            Texts::tr("the header has no column %1").arg(missing.join(QStringLiteral(", ")))};
    return columnOf;
}

// The sheet in the records (a CsvReader's or a WorksheetReader's): title rows passed over up to
// its header, then its rows, one at a time, until the end, a quote out of place or a bound
// passed.
template <typename Records> std::variant<Plan, PlanError> readSheet(Records& records) {
    Plan plan;
    std::optional<SheetReader> sheet;
    Notes notes(plan);
    int titles = 0; // rows above the header
    while (const std::optional<CsvRecord> record = records.next()) {
        const int row = record->index + 1;
        if (record->beyond >= 0)
            return tooWide(row, record->beyond);
        const QStringList cells = trimmed(record->fields); // none blank: see CsvReader
        if (sheet) {
            if (auto error = sheet->read(cells, row, record->line))
                return *error;
        } else if (std::any_of(cells.begin(), cells.end(), isKey)) {
            for (const QString& header : cells)
                plan.columns.push_back({header});
            auto layout = layoutOf(plan, row);
            if (const auto* error = std::get_if<PlanError>(&layout))
                return *error;
            sheet.emplace(plan, std::get<std::vector<int>>(std::move(layout)), notes);
        } else if (++titles == kHeaderSearch) {
            break;
        } else {
            notes.add(
                Texts::tr("row %1 (%2) is not the header; skipped").arg(row).arg(rowText(cells)));
        }
    }
    if (const auto& problem = records.problem()) {
        if (problem->field >= kMaxPlanColumns)
            return tooWide(problem->record + 1, problem->field);
        if (!sheet)
            return PlanError{problem->record + 1, problem->field, {}, problem->message};
        sheet->stop(*problem);
    }
    if (!sheet && titles == 0)
        return PlanError{
            0, -1, {}, Texts::tr("the file is empty; a plan starts with a header row")};
    if (!sheet)
        return PlanError{0,
                         -1,
                         {},
                         Texts::tr("no header among the first %1 rows that are not blank: a "
                                   "header names the columns %2 or %3")
                             .arg(kHeaderSearch)
                             .arg(exportHeader(PlanKind::Pagers), exportHeader(PlanKind::Tables))};
    sheet->refuseDuplicates();
    notes.end();
    return plan;
}

// Whether the records name a pager or table number column among their first rows.
template <typename Records> bool hasHeader(Records records) {
    for (int rows = 0; rows < kHeaderSearch; ++rows) {
        const std::optional<CsvRecord> record = records.next();
        if (!record)
            return false;
        if (std::any_of(record->fields.begin(), record->fields.end(),
                        [](const QString& cell) { return isKey(cell.trimmed()); }))
            return true;
    }
    return false;
}

// The first worksheet whose header names the columns, else the first worksheet.
std::variant<Plan, PlanError> readWorkbook(const QByteArray& bytes) {
    auto opened = Workbook::open(bytes);
    if (const auto* message = std::get_if<QString>(&opened))
        return PlanError{0, -1, {}, *message};
    Workbook& book = std::get<Workbook>(opened);
    std::optional<QByteArray> chosen;
    for (int sheet = 0; sheet < book.sheetCount() && !chosen; ++sheet) {
        auto xml = book.sheetXml(sheet);
        if (const auto* message = std::get_if<QString>(&xml))
            return PlanError{0, -1, {}, *message};
        QByteArray& sheetXml = std::get<QByteArray>(xml);
        if (hasHeader(WorksheetReader(sheetXml, book.sharedStrings(), kMaxPlanColumns)))
            chosen = std::move(sheetXml);
    }
    if (!chosen) {
        auto first = book.sheetXml(0);
        if (const auto* message = std::get_if<QString>(&first))
            return PlanError{0, -1, {}, *message};
        chosen = std::get<QByteArray>(std::move(first));
    }
    WorksheetReader records(*chosen, book.sharedStrings(), kMaxPlanColumns);
    return readSheet(records);
}

} // namespace

std::variant<Plan, PlanError> readPlan(const QByteArray& bytes) {
    // Far past any file: the rows and fields are counted in int.
    constexpr qsizetype kMaxBytes = 1024 * 1024 * 1024;
    if (bytes.size() > kMaxBytes)
        return tooLarge(kMaxBytes);
    if (bytes.startsWith("PK\x03\x04"))
        return readWorkbook(bytes);
    if (bytes.startsWith("\xD0\xCF\x11\xE0")) // a compound file: .xls, .et, or a locked .xlsx
        return PlanError{
            0,
            -1,
            {},
            bytes.contains(QByteArrayView(reinterpret_cast<const char*>(u"EncryptedPackage"), 32))
                ? Texts::tr("the workbook is protected by a password; save it again without one")
                : Texts::tr("this is an old Excel (.xls) or WPS (.et) workbook; save it as .xlsx "
                            "or CSV")};
    const auto decoded = decodeFileText(bytes);
    if (std::holds_alternative<NotText>(decoded))
        return PlanError{0, -1, {}, remedy()};
    const QString& text = std::get<FileText>(decoded).text;
    CsvReader records(text, separatorOf(text), kMaxPlanColumns);
    return readSheet(records);
}

std::variant<Plan, PlanError> readPlanFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PlanError{0, -1, {}, Texts::tr("cannot open: %1").arg(file.errorString())};
    // In pieces up to one byte past the bound, so that a device without an end is refused too.
    constexpr qsizetype kPiece = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() <= kMaxPlanFileBytes) {
        const qsizetype at = bytes.size();
        bytes.resize(at + kPiece);
        const qint64 read = file.read(bytes.data() + at, kPiece);
        if (read < 0)
            return PlanError{0, -1, {}, Texts::tr("cannot read: %1").arg(file.errorString())};
        bytes.resize(at + read);
        if (read == 0)
            break;
    }
    if (bytes.size() > kMaxPlanFileBytes)
        return tooLarge(kMaxPlanFileBytes);
    return readPlan(bytes);
}

} // namespace callcfg
