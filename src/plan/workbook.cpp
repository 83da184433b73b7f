#include "plan/workbook.h"

#include "link/texts.h"

#include <QHash>

#include <cmath>

namespace callcfg {

namespace {

QString refusalText(ZipRefusal refusal) {
    switch (refusal) {
    case ZipRefusal::Encrypted:
        return Texts::tr("the workbook is protected by a password; save it again without one");
    case ZipRefusal::TooLarge:
        return Texts::tr("the workbook unpacks to more than a sheet of pagers or tables can hold");
    case ZipRefusal::Unsupported:
    case ZipRefusal::Damaged:
        break;
    }
    return Texts::tr("the workbook is damaged or not one that Excel, WPS or LibreOffice saves; "
                     "save it again as .xlsx or as CSV");
}

// The text of the element the reader stands on, of its <t> elements but those of phonetic runs.
QString textWithin(QXmlStreamReader& xml) {
    QString text;
    const QString end = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"rPh")
            ++phonetic;
        else if (xml.isEndElement() && xml.name() == u"rPh")
            --phonetic;
        else if (xml.isStartElement() && xml.name() == u"t" && phonetic == 0)
            text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.isEndElement() && xml.name() == end)
            break;
    }
    return text;
}

// "AB12" to column 27 (from 0); -1 when it is no cell reference.
int columnOf(QStringView reference) {
    int column = 0, letters = 0;
    for (QChar c : reference) {
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c.unicode() - u'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters == 0 ? -1 : column - 1;
}

// A number as the general format shows it: a whole number without a fraction, else at most 15
// significant digits.
QString numberText(const QString& value) {
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return value;
    if (number == std::trunc(number) && std::fabs(number) < 1e15)
        return QString::number(qint64(number));
    return QString::number(number, 'g', 15);
}

} // namespace

std::variant<Workbook, QString> Workbook::open(QByteArrayView bytes) {
    auto zip = ZipEntries::open(bytes);
    if (const auto* refusal = std::get_if<ZipRefusal>(&zip))
        return refusalText(*refusal);
    Workbook book;
    book.zip_ = std::make_shared<ZipEntries>(std::get<ZipEntries>(std::move(zip)));
    const auto part = [&](const QString& name) -> std::variant<QByteArray, QString> {
        auto read = book.zip_->read(name);
        if (const auto* refusal = std::get_if<ZipRefusal>(&read))
            return refusalText(*refusal);
        return std::get<QByteArray>(std::move(read));
    };
    auto workbook = part(QStringLiteral("xl/workbook.xml"));
    auto relations = part(QStringLiteral("xl/_rels/workbook.xml.rels"));
    for (const auto* failed : {std::get_if<QString>(&workbook), std::get_if<QString>(&relations)})
        if (failed)
            return *failed;
    QHash<QString, QString> targets; // relation id to worksheet part
    QXmlStreamReader rels(std::get<QByteArray>(relations));
    while (!rels.atEnd()) {
        rels.readNext();
        if (!rels.isStartElement() || rels.name() != u"Relationship")
            continue;
        const auto a = rels.attributes();
        if (!a.value(QLatin1String("Type")).endsWith(u"/worksheet"))
            continue;
        const QString target = a.value(QLatin1String("Target")).toString();
        targets.insert(a.value(QLatin1String("Id")).toString(),
                       target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target);
    }
    QXmlStreamReader sheets(std::get<QByteArray>(workbook));
    while (!sheets.atEnd()) {
        sheets.readNext();
        if (!sheets.isStartElement() || sheets.name() != u"sheet")
            continue;
        const auto a = sheets.attributes();
        QString id;
        for (const QXmlStreamAttribute& attribute : a)
            if (attribute.name() == u"id")
                id = attribute.value().toString();
        if (targets.contains(id))
            book.sheets_.push_back({a.value(QLatin1String("name")).toString(), targets.value(id)});
    }
    if (rels.hasError() || sheets.hasError() || book.sheets_.empty())
        return refusalText(ZipRefusal::Damaged);
    if (book.zip_->contains(QStringLiteral("xl/sharedStrings.xml"))) {
        auto shared = part(QStringLiteral("xl/sharedStrings.xml"));
        if (const auto* failed = std::get_if<QString>(&shared))
            return *failed;
        QXmlStreamReader strings(std::get<QByteArray>(shared));
        while (!strings.atEnd()) {
            strings.readNext();
            if (strings.isStartElement() && strings.name() == u"si")
                book.shared_.push_back(textWithin(strings));
        }
        if (strings.hasError())
            return refusalText(ZipRefusal::Damaged);
    }
    return book;
}

std::variant<QByteArray, QString> Workbook::sheetXml(int sheet) {
    auto read = zip_->read(sheets_[std::size_t(sheet)].part);
    if (const auto* refusal = std::get_if<ZipRefusal>(&read))
        return refusalText(*refusal);
    return std::get<QByteArray>(std::move(read));
}

WorksheetReader::WorksheetReader(const QByteArray& xml, const std::vector<QString>& shared,
                                 int width)
    : xml_(xml), shared_(shared), width_(width) {}

void WorksheetReader::fail(const QString& message) {
    if (!problem_)
        problem_ = CsvProblem{row_ - 1, 0, message}; // record -1: the sheet as a whole
}

std::optional<QString> WorksheetReader::cellText(const QString& type) {
    if (type == u"inlineStr")
        return textWithin(xml_);
    QString value;
    while (!xml_.atEnd()) {
        xml_.readNext();
        if (xml_.isStartElement() && xml_.name() == u"v")
            value = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml_.isEndElement() && xml_.name() == u"c")
            break;
    }
    if (type == u"s") {
        bool ok = false;
        const qsizetype index = value.toLongLong(&ok);
        if (!ok || index < 0 || index >= qsizetype(shared_.size()))
            return std::nullopt;
        return shared_[std::size_t(index)];
    }
    if (type == u"b")
        return value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (type.isEmpty() || type == u"n")
        return numberText(value);
    return value; // str (a formula's text), e (an error), d (a date as written)
}

std::optional<CsvRecord> WorksheetReader::next() {
    while (!problem_ && !xml_.atEnd()) {
        xml_.readNext();
        if (!xml_.isStartElement() || xml_.name() != u"row")
            continue;
        bool numbered = false;
        const int row = xml_.attributes().value(QLatin1String("r")).toInt(&numbered);
        if (numbered && row <= row_)
            break; // rows out of order: a damaged sheet
        row_ = numbered ? row : row_ + 1;
        CsvRecord record;
        record.index = row_ - 1;
        record.line = row_;
        int column = -1;
        while (!xml_.atEnd()) {
            xml_.readNext();
            if (xml_.isEndElement() && xml_.name() == u"row")
                break;
            if (!xml_.isStartElement() || xml_.name() != u"c")
                continue;
            const auto a = xml_.attributes();
            const int at = a.hasAttribute(QLatin1String("r"))
                               ? columnOf(a.value(QLatin1String("r")))
                               : column + 1;
            if (at <= column) {
                fail(Texts::tr("the workbook is damaged: its cells are out of order"));
                return std::nullopt;
            }
            column = at;
            const std::optional<QString> text = cellText(a.value(QLatin1String("t")).toString());
            if (!text) {
                fail(Texts::tr("the workbook is damaged: a cell names no shared string"));
                return std::nullopt;
            }
            if (text->trimmed().isEmpty())
                continue;
            if (column >= width_) {
                if (record.beyond < 0)
                    record.beyond = column;
                continue;
            }
            record.fields.resize(column + 1);
            record.fields[column] = *text;
        }
        if (!record.fields.isEmpty() || record.beyond >= 0)
            return record;
    }
    if (xml_.hasError() && !problem_)
        fail(Texts::tr("the workbook is damaged: %1").arg(xml_.errorString()));
    else if (!xml_.atEnd() && !problem_)
        fail(Texts::tr("the workbook is damaged: its rows are out of order"));
    return std::nullopt;
}

} // namespace callcfg
