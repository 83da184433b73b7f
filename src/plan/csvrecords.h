#pragma once
// RFC 4180 text split into records and fields, each field with the line and column it starts
// at, so that a later check can name where a value stands.

#include <QString>

#include <variant>
#include <vector>

namespace callcfg {

struct CsvField {
    QString text;
    int line = 1;   // counted from 1
    int column = 1; // characters from the line's start, counted from 1
};

struct CsvRecord {
    std::vector<CsvField> fields;
    int line = 1;
};

// Where the text breaks the format, and how.
struct CsvProblem {
    int line = 1;
    int column = 1;
    QString message;
};

// Records end in CR LF, LF or a lone CR; a quoted field may hold commas, line ends and doubled
// quotes. A line end at the end of the text starts no record.
std::variant<std::vector<CsvRecord>, CsvProblem> splitCsv(const QString& text);

// The text of UTF-8 bytes with or without a byte-order mark; a problem at the first byte that
// is not UTF-8.
std::variant<QString, CsvProblem> decodeUtf8(const QByteArray& bytes);

} // namespace callcfg
