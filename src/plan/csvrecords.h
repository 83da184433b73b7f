#pragma once
// The text of a file as a spreadsheet saves it, and that text split into records and fields
// (RFC 4180, with a comma or a tab between fields), so that a later check can name the record
// and field a value stands in.

#include <QByteArray>
#include <QStringList>

#include <optional>
#include <variant>

namespace callcfg {

// Why bytes are no text a spreadsheet saves.
enum class NotText {
    Workbook,   // an Excel workbook (a ZIP or an OLE2 compound file)
    Unreadable, // none of the encodings below, or a NUL character among the text
};

struct FileText {
    QString text;
};

// One rule on every platform and in every locale: a byte-order mark decides (UTF-8, UTF-16 LE
// or BE, GB18030); else bytes that are UTF-8 are UTF-8; else GB18030 (what "CSV" is on a
// Chinese Windows). The text is what follows the mark, verbatim, but for more marks at its
// start (a sheet saved with its mark by a tool that adds one more), which are dropped.
std::variant<FileText, NotText> decodeFileText(const QByteArray& bytes);

// Tab when the text's first line holding a tab or a comma holds more tabs than commas (a
// spreadsheet's "Unicode text"; a title line above the header may hold neither), else comma.
QChar separatorOf(const QString& text);

struct CsvRecord {
    // The fields up to the last one that is not blank (empty or blanks alone), at most the
    // reader's width; a blank field before it is empty.
    QStringList fields;
    int index = 0;   // the record's position in the text, from 0
    int line = 1;    // the line it starts on, counted from 1
    int beyond = -1; // the first field past the width that is not blank, from 0; -1 for none
};

// Where the text breaks the format, and how: the record and field, counted from 0.
struct CsvProblem {
    int record = 0;
    int field = 0;
    QString message;
};

// Records end in CR LF, LF or a lone CR; a quoted field may hold the separator, line ends and
// doubled quotes. A line end at the end of the text starts no record. The records come one at
// a time, blank ones (every field blank) passed over though counted, and no blank field at the
// end of a record nor any field past the width is kept, so that a line of a million commas
// costs no memory.
class CsvReader {
public:
    CsvReader(const QString& text, QChar separator, int width);

    // The next record; nothing at the end of the text or where it breaks the format.
    std::optional<CsvRecord> next();
    // Why the records ended before the end of the text.
    const std::optional<CsvProblem>& problem() const { return problem_; }

private:
    // The fields of the record from here; false where the text breaks the format.
    bool read(CsvRecord& record);
    QChar peek() const { return text_[at_]; }
    bool isEnd(QChar c) const { return c == separator_ || c == u'\r' || c == u'\n'; }
    void lineEnd();
    // The field from here into field_; why it breaks the format, if it does.
    std::optional<QString> unquoted();
    std::optional<QString> quoted();

    const QStringView text_;
    const QChar separator_;
    const int width_;
    qsizetype at_ = 0;
    int line_ = 1;
    int index_ = 0;
    QString field_; // the field being read, its room kept from field to field
    std::optional<CsvProblem> problem_;
};

} // namespace callcfg
