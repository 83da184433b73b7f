#include "memory/workbookexport.h"

#include <QXmlStreamWriter>

#include <algorithm>
#include <array>
#include <cstdint>

namespace callcfg {

namespace {

std::uint32_t crc32(const QByteArray& bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (char byte : bytes)
        c = table[(c ^ std::uint8_t(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void little(QByteArray& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        out.append(char(value >> (8 * i) & 0xFF));
}

// Entries stored as they are, which every ZIP reader takes; a sheet of pagers is a few kilobytes.
QByteArray zipOf(const std::vector<std::pair<QString, QByteArray>>& files) {
    QByteArray archive, directory;
    for (const auto& file : files) {
        const QByteArray& data = file.second;
        const QByteArray path = file.first.toUtf8();
        const std::uint32_t crc = crc32(data), offset = std::uint32_t(archive.size());
        const auto header = [&](QByteArray& out, bool central) {
            little(out, central ? 0x02014b50 : 0x04034b50, 4);
            if (central)
                little(out, 20, 2); // made by: version 2.0
            little(out, 20, 2);     // needed to extract: 2.0
            little(out, 0x0800, 2); // the name is UTF-8
            little(out, 0, 2);      // stored
            little(out, 0, 4);      // time and date: none
            little(out, crc, 4);
            little(out, std::uint32_t(data.size()), 4);
            little(out, std::uint32_t(data.size()), 4);
            little(out, std::uint32_t(path.size()), 2);
            little(out, 0, 2); // extra field
            if (central) {
                little(out, 0, 2); // comment
                little(out, 0, 2); // disk
                little(out, 0, 2); // internal attributes
                little(out, 0, 4); // external attributes
                little(out, offset, 4);
            }
            out.append(path);
        };
        header(archive, false);
        archive.append(data);
        header(directory, true);
    }
    const std::uint32_t at = std::uint32_t(archive.size());
    archive.append(directory);
    little(archive, 0x06054b50, 4);
    little(archive, 0, 4); // this disk, the directory's disk
    little(archive, std::uint32_t(files.size()), 2);
    little(archive, std::uint32_t(files.size()), 2);
    little(archive, std::uint32_t(directory.size()), 4);
    little(archive, at, 4);
    little(archive, 0, 2); // comment
    return archive;
}

// "A", "B", … "Z", "AA": the spreadsheet's name of column `column` from 0.
QString letters(int column) {
    QString name;
    for (++column; column > 0; column = (column - 1) / 26)
        name.prepend(QChar(u'A' + (column - 1) % 26));
    return name;
}

// The width of a value in a spreadsheet's characters: a Chinese character is two.
int widthOf(const QString& value) {
    int width = 0;
    for (QChar c : value)
        width += c.unicode() >= 0x2E80 ? 2 : 1;
    return width;
}

bool isWholeNumber(const QString& value) {
    return !value.isEmpty() && value.size() <= 15 && (value == u"0" || value[0] != u'0') &&
           std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QByteArray sheetXml(const std::vector<QStringList>& rows) {
    const QStringList text = textColumnHeaders();
    const QStringList header = rows.empty() ? QStringList() : rows.front();
    qsizetype columns = 0;
    for (const QStringList& row : rows)
        columns = std::max(columns, row.size());
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("worksheet"));
    w.writeDefaultNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
    w.writeStartElement(QStringLiteral("cols"));
    for (int c = 0; c < columns; ++c) {
        int width = 8;
        for (const QStringList& row : rows)
            width = std::max(width, widthOf(row.value(c)) + 2);
        w.writeEmptyElement(QStringLiteral("col"));
        w.writeAttribute(QStringLiteral("min"), QString::number(c + 1));
        w.writeAttribute(QStringLiteral("max"), QString::number(c + 1));
        w.writeAttribute(QStringLiteral("width"), QString::number(std::min(width, 60)));
        w.writeAttribute(QStringLiteral("customWidth"), QStringLiteral("1"));
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("sheetData"));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        w.writeStartElement(QStringLiteral("row"));
        w.writeAttribute(QStringLiteral("r"), QString::number(r + 1));
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString& value = rows[r][c];
            if (value.isEmpty())
                continue;
            w.writeStartElement(QStringLiteral("c"));
            w.writeAttribute(QStringLiteral("r"), letters(c) + QString::number(r + 1));
            if (r == 0)
                w.writeAttribute(QStringLiteral("s"), QStringLiteral("1")); // bold
            if (r > 0 && isWholeNumber(value) && !text.contains(header.value(c))) {
                w.writeTextElement(QStringLiteral("v"), value);
            } else {
                w.writeAttribute(QStringLiteral("t"), QStringLiteral("inlineStr"));
                w.writeStartElement(QStringLiteral("is"));
                w.writeStartElement(QStringLiteral("t"));
                if (value.trimmed() != value)
                    w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
                w.writeCharacters(value);
                w.writeEndElement();
                w.writeEndElement();
            }
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndDocument();
    return xml;
}

QByteArray text(const char* xml) {
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") + xml;
}

} // namespace

QStringList textColumnHeaders() {
    return {QStringLiteral("地址码"), QStringLiteral("叮当鸟特征码")};
}

bool isWorkbookName(const QString& path) {
    return path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive);
}

QByteArray workbookOfRows(const std::vector<QStringList>& rows, const QString& sheetName) {
    QByteArray workbook;
    QXmlStreamWriter w(&workbook);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("workbook"));
    w.writeDefaultNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
    w.writeNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
        QStringLiteral("r"));
    w.writeStartElement(QStringLiteral("sheets"));
    w.writeEmptyElement(QStringLiteral("sheet"));
    w.writeAttribute(QStringLiteral("name"), sheetName);
    w.writeAttribute(QStringLiteral("sheetId"), QStringLiteral("1"));
    w.writeAttribute(
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
        QStringLiteral("id"), QStringLiteral("rId1"));
    w.writeEndDocument();
    return zipOf({
        {QStringLiteral("[Content_Types].xml"),
         text(
             R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
             R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
             R"(<Default Extension="xml" ContentType="application/xml"/>)"
             R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
             R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
             R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
             R"(</Types>)")},
        {QStringLiteral("_rels/.rels"),
         text(
             R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
             R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
             R"(</Relationships>)")},
        {QStringLiteral("xl/workbook.xml"), workbook},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         text(
             R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
             R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
             R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
             R"(</Relationships>)")},
        {QStringLiteral("xl/styles.xml"),
         text(
             R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
             R"(<fonts count="2"><font><sz val="11"/><name val="宋体"/></font>)"
             R"(<font><b/><sz val="11"/><name val="宋体"/></font></fonts>)"
             R"(<fills count="2"><fill><patternFill patternType="none"/></fill>)"
             R"(<fill><patternFill patternType="gray125"/></fill></fills>)"
             R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
             R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
             R"(<cellXfs count="2"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
             R"(<xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/></cellXfs>)"
             R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
             R"(</styleSheet>)")},
        {QStringLiteral("xl/worksheets/sheet1.xml"), sheetXml(rows)},
    });
}

} // namespace callcfg
