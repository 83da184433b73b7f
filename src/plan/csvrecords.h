#pragma once
// The text of a file as a spreadsheet saves it, and that text split into records and fields
// (RFC 4180, with a comma or a tab between fields), so that a later check can name the record
// and field a value stands in.

#include <QByteArray>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace callcfg {

// Why bytes are no text a spreadsheet saves.
enum class NotText {
    Workbook,   // an Excel workbook (a ZIP or an OLE2 compound file)
    Unreadable, // none of the encodings below, or a NUL character among the text
};

struct FileText {
    QString text;
    bool gb18030 = false; // without a byte-order mark and not UTF-8, so read as GB18030
};

// One rule on every platform and in every locale: a byte-order mark decides (UTF-8, UTF-16 LE
// or BE, GB18030); else bytes that are UTF-8 are UTF-8; else GB18030 (what "CSV" is on a
// Chinese Windows). The text is what follows the mark, verbatim.
std::variant<FileText, NotText> decodeFileText(const QByteArray& bytes);

// Tab when the text's first line holds more tabs than commas (a spreadsheet's "Unicode text"),
// else comma.
QChar separatorOf(const QString& text);

struct CsvRecord {
    QStringList fields;
    int line = 1; // the line it starts on, counted from 1
};

// Where the text breaks the format, and how: the record and field, counted from 0.
struct CsvProblem {
    int record = 0;
    int field = 0;
    QString message;
};

struct CsvSplit {
    std::vector<CsvRecord> records; // those before the problem, if there is one
    std::optional<CsvProblem> problem;
};

// Records end in CR LF, LF or a lone CR; a quoted field may hold the separator, line ends and
// doubled quotes. A line end at the end of the text starts no record.
CsvSplit splitCsv(const QString& text, QChar separator);

} // namespace callcfg
