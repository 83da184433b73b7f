#include "plan/csvrecords.h"

#include "link/texts.h"
#include "plan/gb18030.h"

#include <QStringDecoder>

#include <algorithm>
#include <climits>

namespace callcfg {

namespace {

// The length of the UTF-8 sequence at `i`, or 0 when it is not a well-formed one (overlong
// forms, surrogates and values above U+10FFFF included).
int sequenceLength(QByteArrayView bytes, qsizetype i) {
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return length;
}

// Text from UTF-16 code units after a byte-order mark; nothing for an odd length or a
// surrogate out of its pair.
std::optional<QString> decodeUtf16(const QByteArray& bytes, bool littleEndian) {
    if (bytes.size() % 2)
        return std::nullopt;
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i + (littleEndian ? 0 : 1)]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + (littleEndian ? 1 : 0)]);
        text[i] = QChar(char16_t(high << 8 | low));
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return std::nullopt;
    }
    return text;
}

// The text of UTF-8 bytes, a byte-order mark among them kept; nothing when they are not UTF-8.
std::optional<QString> decodeUtf8(QByteArrayView bytes) {
    for (qsizetype i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) { // ASCII, the most of a sheet
            ++i;
            continue;
        }
        const int length = sequenceLength(bytes, i);
        if (length == 0)
            return std::nullopt;
        i += length;
    }
    return QString(
        QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(bytes));
}

} // namespace

std::variant<FileText, NotText> decodeFileText(const QByteArray& bytes) {
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("\xD0\xCF\x11\xE0"))
        return NotText::Workbook;
    std::optional<QString> text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = decodeUtf8(bytes.sliced(3));
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        text = decodeUtf16(bytes.sliced(2), bytes.startsWith("\xFF\xFE"));
    } else if (bytes.startsWith("\x84\x31\x95\x33")) { // GB18030's own byte-order mark
        text = decodeGb18030(bytes.sliced(4));
    } else if (!(text = decodeUtf8(bytes))) {
        text = decodeGb18030(bytes);
    }
    // A NUL is in no spreadsheet's text: UTF-16 without its mark, or no text at all.
    if (!text || text->contains(QChar(u'\0')))
        return NotText::Unreadable;
    qsizetype marks = 0;
    while (marks < text->size() && (*text)[marks] == QChar(0xFEFF))
        ++marks;
    text->remove(0, marks);
    return FileText{std::move(*text)};
}

QChar separatorOf(const QString& text) {
    qsizetype tabs = 0, commas = 0;
    for (const QChar c : text) {
        if ((c == u'\r' || c == u'\n') && tabs + commas > 0)
            break;
        tabs += c == u'\t';
        commas += c == u',';
    }
    return tabs > commas ? QChar(u'\t') : QChar(u',');
}

CsvReader::CsvReader(const QString& text, QChar separator, int width)
    : text_(text), separator_(separator), width_(width) {}

std::optional<CsvRecord> CsvReader::next() {
    while (!problem_ && at_ < text_.size()) {
        if (peek() == u'\r' || peek() == u'\n') { // an empty line, the quick way
            lineEnd();
            ++index_;
            continue;
        }
        CsvRecord record{{}, index_, line_};
        if (!read(record))
            return std::nullopt;
        lineEnd();
        ++index_;
        if (!record.fields.isEmpty() || record.beyond >= 0)
            return record;
    }
    return std::nullopt;
}

bool CsvReader::read(CsvRecord& record) {
    qsizetype blanks = 0; // blank fields not kept yet: kept, empty, before one that is not blank
    for (qsizetype field = 0;; ++field) {
        if (at_ < text_.size() && peek() == separator_) { // an empty field, the quick way
            ++at_;
            blanks += field < width_ ? 1 : 0;
            continue;
        }
        field_.resize(0);
        const std::optional<QString> broken =
            at_ < text_.size() && peek() == u'"' ? quoted() : unquoted();
        if (broken) {
            problem_ = CsvProblem{record.index, int(std::min<qsizetype>(field, INT_MAX)), *broken};
            return false;
        }
        const bool blank =
            std::all_of(field_.cbegin(), field_.cend(), [](QChar c) { return c.isSpace(); });
        if (blank && field < width_) {
            ++blanks;
        } else if (field < width_) {
            for (; blanks > 0; --blanks)
                record.fields << QString();
            record.fields << QString(field_.constData(), field_.size()); // field_ keeps its room
        } else if (!blank && record.beyond < 0) {
            record.beyond = int(std::min<qsizetype>(field, INT_MAX));
        }
        if (at_ < text_.size() && peek() == separator_) {
            ++at_;
            continue;
        }
        return true;
    }
}

// Passes a line end (CR LF, LF or CR) if there is one.
void CsvReader::lineEnd() {
    if (at_ >= text_.size())
        return;
    if (peek() == u'\r' && at_ + 1 < text_.size() && text_[at_ + 1] == u'\n')
        ++at_;
    ++at_;
    ++line_;
}

std::optional<QString> CsvReader::unquoted() {
    const qsizetype start = at_;
    while (at_ < text_.size() && !isEnd(peek())) {
        if (peek() == u'"')
            return Texts::tr("a quote inside a field that does not start with a quote");
        ++at_;
    }
    field_.append(text_.sliced(start, at_ - start));
    return std::nullopt;
}

std::optional<QString> CsvReader::quoted() {
    ++at_;
    for (;;) {
        if (at_ >= text_.size())
            return Texts::tr("a quoted field that is never closed");
        const QChar c = peek();
        if (c == u'"') {
            ++at_;
            if (at_ < text_.size() && peek() == u'"') {
                field_ += u'"';
                ++at_;
                continue;
            }
            if (at_ < text_.size() && !isEnd(peek()))
                return Texts::tr("text after a closing quote");
            return std::nullopt;
        }
        if (c == u'\r' || c == u'\n') {
            const qsizetype before = at_;
            lineEnd();
            field_ += text_.sliced(before, at_ - before);
            continue;
        }
        field_ += c;
        ++at_;
    }
}

} // namespace callcfg
