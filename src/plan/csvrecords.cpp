#include "plan/csvrecords.h"

#include "link/texts.h"
#include "plan/gb18030.h"

#include <QStringDecoder>

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

class Splitter {
public:
    Splitter(const QString& text, QChar separator) : text_(text), separator_(separator) {}

    CsvSplit run() {
        while (at_ < text_.size()) {
            CsvRecord record{{}, line_};
            for (;;) {
                QString field;
                if (at_ < text_.size() && peek() == u'"') {
                    if (auto problem = quoted(field, record))
                        return {records_, problem};
                } else {
                    while (at_ < text_.size() && !isEnd(peek())) {
                        if (peek() == u'"')
                            return {records_, problem(record, Texts::tr("a quote inside a field "
                                                                        "that does not start "
                                                                        "with a quote"))};
                        field += text_[at_++];
                    }
                }
                record.fields << field;
                if (at_ < text_.size() && peek() == separator_) {
                    ++at_;
                    continue;
                }
                break;
            }
            lineEnd();
            records_.push_back(record);
        }
        return {records_, std::nullopt};
    }

private:
    QChar peek() const { return text_[at_]; }
    bool isEnd(QChar c) const { return c == separator_ || c == u'\r' || c == u'\n'; }

    CsvProblem problem(const CsvRecord& record, const QString& message) const {
        return {int(records_.size()), int(record.fields.size()), message};
    }

    // Passes a line end (CR LF, LF or CR) if there is one.
    void lineEnd() {
        if (at_ >= text_.size())
            return;
        if (peek() == u'\r' && at_ + 1 < text_.size() && text_[at_ + 1] == u'\n')
            ++at_;
        ++at_;
        ++line_;
    }

    std::optional<CsvProblem> quoted(QString& value, const CsvRecord& record) {
        ++at_;
        for (;;) {
            if (at_ >= text_.size())
                return problem(record, Texts::tr("a quoted field that is never closed"));
            const QChar c = peek();
            if (c == u'"') {
                ++at_;
                if (at_ < text_.size() && peek() == u'"') {
                    value += u'"';
                    ++at_;
                    continue;
                }
                if (at_ < text_.size() && !isEnd(peek()))
                    return problem(record, Texts::tr("text after a closing quote"));
                return std::nullopt;
            }
            if (c == u'\r' || c == u'\n') {
                const qsizetype before = at_;
                lineEnd();
                value += text_.mid(before, at_ - before);
                continue;
            }
            value += c;
            ++at_;
        }
    }

    const QString& text_;
    const QChar separator_;
    qsizetype at_ = 0;
    int line_ = 1;
    std::vector<CsvRecord> records_;
};

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
    bool gb18030 = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = decodeUtf8(bytes.sliced(3));
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        text = decodeUtf16(bytes.sliced(2), bytes.startsWith("\xFF\xFE"));
    } else if (bytes.startsWith("\x84\x31\x95\x33")) { // GB18030's own byte-order mark
        text = decodeGb18030(bytes.sliced(4));
    } else if (!(text = decodeUtf8(bytes))) {
        text = decodeGb18030(bytes);
        gb18030 = true;
    }
    // A NUL is in no spreadsheet's text: UTF-16 without its mark, or no text at all.
    if (!text || text->contains(QChar(u'\0')))
        return NotText::Unreadable;
    return FileText{*text, gb18030};
}

QChar separatorOf(const QString& text) {
    qsizetype tabs = 0, commas = 0;
    for (qsizetype i = 0; i < text.size() && text[i] != u'\r' && text[i] != u'\n'; ++i) {
        tabs += text[i] == u'\t';
        commas += text[i] == u',';
    }
    return tabs > commas ? QChar(u'\t') : QChar(u',');
}

CsvSplit splitCsv(const QString& text, QChar separator) {
    return Splitter(text, separator).run();
}

} // namespace callcfg
