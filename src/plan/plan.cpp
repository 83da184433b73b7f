#include "plan/plan.h"

#include "link/texts.h"
#include "memory/imagedecoding.h"
#include "plan/csvrecords.h"
#include "protocol/commands.h"

#include <QStringList>

namespace callcfg {

namespace {

const QStringList kPagerHeader{QStringLiteral("传呼号"), QStringLiteral("地址码"),
                               QStringLiteral("极性"),   QStringLiteral("机型"),
                               QStringLiteral("速率"),   QStringLiteral("音调")};
const QStringList kPagerHeaderEnglish{QStringLiteral("pager"),    QStringLiteral("address"),
                                      QStringLiteral("polarity"), QStringLiteral("type"),
                                      QStringLiteral("rate"),     QStringLiteral("tone")};
const QStringList kTableHeader{QStringLiteral("餐桌号"), QStringLiteral("叮当鸟特征码"),
                               QStringLiteral("对应传呼号1"), QStringLiteral("对应传呼号2"),
                               QStringLiteral("对应传呼号3")};
const QStringList kTableHeaderEnglish{QStringLiteral("table"), QStringLiteral("feature"),
                                      QStringLiteral("pager1"), QStringLiteral("pager2"),
                                      QStringLiteral("pager3")};

PlanError errorAt(const CsvField& field, const QString& message) {
    return {field.line, field.column, message};
}

bool sameHeader(const CsvRecord& record, const QStringList& header) {
    if (record.fields.size() != std::size_t(header.size()))
        return false;
    for (qsizetype i = 0; i < header.size(); ++i)
        if (record.fields[i].text.trimmed().compare(header[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

std::variant<PlanKind, PlanError> kindOf(const CsvRecord& header) {
    if (sameHeader(header, kPagerHeader) || sameHeader(header, kPagerHeaderEnglish))
        return PlanKind::Pagers;
    if (sameHeader(header, kTableHeader) || sameHeader(header, kTableHeaderEnglish))
        return PlanKind::Tables;
    return PlanError{
        header.line, 1,
        Texts::tr("the header is neither %1 nor %2")
            .arg(kPagerHeader.join(QLatin1Char(',')), kTableHeader.join(QLatin1Char(',')))};
}

// The position of `word` among `words`, or an error naming the field and the words allowed.
std::variant<int, PlanError> positionOf(const CsvField& field, const QString& column,
                                        const QStringList& words) {
    const qsizetype position = words.indexOf(field.text);
    if (position >= 0)
        return int(position);
    return errorAt(field, Texts::tr("%1 must be one of %2, not \"%3\"")
                              .arg(column, words.join(QStringLiteral(", ")), field.text));
}

QStringList distinct(auto words) {
    QStringList list;
    for (QStringView word : words)
        if (!list.contains(word.toString()))
            list << word.toString();
    return list;
}

std::variant<PagerInput, PlanError> pagerRow(const CsvRecord& record) {
    const std::vector<CsvField>& f = record.fields;
    PagerInput input{f[0].text, f[1].text};

    const auto polarity =
        positionOf(f[2], kPagerHeader[2], {polarityWord(false), polarityWord(true)});
    // Machine type and rate name one of the listing's kinds, found in mode index order.
    const auto kinds = pagerKindsByMode();
    QStringList types, rates;
    for (const PagerKind& kind : kinds) {
        types << kind.machineType.toString();
        rates << kind.rate.toString();
    }
    const auto type = positionOf(f[3], kPagerHeader[3], distinct(types));
    const auto rate = positionOf(f[4], kPagerHeader[4], distinct(rates));
    QStringList tones;
    for (int tone = 0; tone < 4; ++tone)
        tones << toneWord(tone);
    const auto tone = positionOf(f[5], kPagerHeader[5], tones);
    for (const auto* checked : {&polarity, &type, &rate, &tone})
        if (const auto* error = std::get_if<PlanError>(checked))
            return *error;

    input.polarity = std::get<int>(polarity);
    input.tone = std::get<int>(tone);
    for (std::size_t mode = 0; mode < kinds.size(); ++mode) {
        if (types[mode] == f[3].text && rates[mode] == f[4].text) {
            input.machineType = protocol::kPagerModeCodes[mode] >> 4;
            input.rate = protocol::kPagerModeCodes[mode] & 0x0F;
        }
    }
    return input;
}

TableCallerInput tableRow(const CsvRecord& record) {
    TableCallerInput input{record.fields[0].text, {}};
    for (std::size_t i = 0; i < input.pagers.size(); ++i) {
        const QString& text = record.fields[2 + i].text;
        input.pagers[i] = text == noPagerWord() ? QString() : text;
    }
    return input;
}

bool allEmpty(const CsvRecord& record) {
    for (const CsvField& field : record.fields)
        if (!field.text.isEmpty())
            return false;
    return true;
}

} // namespace

std::variant<Plan, PlanError> readPlan(const QByteArray& bytes) {
    const auto text = decodeUtf8(bytes);
    if (const auto* problem = std::get_if<CsvProblem>(&text))
        return PlanError{problem->line, problem->column, problem->message};
    const auto split = splitCsv(std::get<QString>(text));
    if (const auto* problem = std::get_if<CsvProblem>(&split))
        return PlanError{problem->line, problem->column, problem->message};
    const auto& records = std::get<std::vector<CsvRecord>>(split);
    if (records.empty())
        return PlanError{1, 1, Texts::tr("the file is empty; a plan starts with a header row")};

    const auto kind = kindOf(records.front());
    if (const auto* error = std::get_if<PlanError>(&kind))
        return *error;
    Plan plan{std::get<PlanKind>(kind), {}};
    const std::size_t width = plan.kind == PlanKind::Pagers ? 6 : 5;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const CsvRecord& record = records[i];
        if (allEmpty(record))
            continue;
        if (record.fields.size() != width) {
            // The first field too many, or the last of too few.
            const CsvField& at = record.fields[std::min(record.fields.size() - 1, width)];
            return errorAt(at, Texts::tr("%1 fields where the header has %2")
                                   .arg(record.fields.size())
                                   .arg(width));
        }
        PlanRow row{int(i) + 1, record.line, TableCallerInput{}};
        if (plan.kind == PlanKind::Tables) {
            row.input = tableRow(record);
        } else {
            auto pager = pagerRow(record);
            if (const auto* error = std::get_if<PlanError>(&pager))
                return *error;
            row.input = std::get<PagerInput>(pager);
        }
        plan.rows.push_back(row);
    }
    return plan;
}

Encoded encodePlanRow(const PlanRow& row) {
    if (const auto* pager = std::get_if<PagerInput>(&row.input))
        return encodeSetPager(*pager);
    return encodeSetTableCaller(std::get<TableCallerInput>(row.input));
}

QString planRowNumber(const PlanRow& row) {
    if (const auto* pager = std::get_if<PagerInput>(&row.input))
        return pager->number;
    return std::get<TableCallerInput>(row.input).table;
}

} // namespace callcfg
