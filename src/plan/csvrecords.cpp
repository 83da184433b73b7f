#include "plan/csvrecords.h"

#include "link/texts.h"

namespace callcfg {

namespace {

// The length of the UTF-8 sequence at `i`, or 0 when it is not a well-formed one (overlong
// forms, surrogates and values above U+10FFFF included).
int sequenceLength(const QByteArray& bytes, qsizetype i) {
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
    explicit Splitter(const QString& text) : text_(text) {}

    std::variant<std::vector<CsvRecord>, CsvProblem> run() {
        while (at_ < text_.size()) {
            CsvRecord record{{}, line_};
            for (;;) {
                CsvField field{{}, line_, column()};
                if (at_ < text_.size() && peek() == u'"') {
                    if (auto problem = quoted(field.text))
                        return *problem;
                } else {
                    while (at_ < text_.size() && !isEnd(peek())) {
                        if (peek() == u'"')
                            return problem(Texts::tr("a quote inside a field that does not "
                                                     "start with a quote"));
                        field.text += text_[at_++];
                    }
                }
                record.fields.push_back(field);
                if (at_ < text_.size() && peek() == u',') {
                    ++at_;
                    continue;
                }
                break;
            }
            lineEnd();
            records_.push_back(record);
        }
        return records_;
    }

private:
    QChar peek() const { return text_[at_]; }
    static bool isEnd(QChar c) { return c == u',' || c == u'\r' || c == u'\n'; }
    int column() const { return int(at_ - lineStart_) + 1; }

    CsvProblem problem(const QString& message) const { return {line_, column(), message}; }

    // Passes a line end (CR LF, LF or CR) if there is one.
    void lineEnd() {
        if (at_ >= text_.size())
            return;
        if (peek() == u'\r' && at_ + 1 < text_.size() && text_[at_ + 1] == u'\n')
            ++at_;
        ++at_;
        ++line_;
        lineStart_ = at_;
    }

    std::optional<CsvProblem> quoted(QString& value) {
        const CsvProblem opening = problem(Texts::tr("a quoted field that is never closed"));
        ++at_;
        for (;;) {
            if (at_ >= text_.size())
                return opening;
            const QChar c = peek();
            if (c == u'"') {
                ++at_;
                if (at_ < text_.size() && peek() == u'"') {
                    value += u'"';
                    ++at_;
                    continue;
                }
                if (at_ < text_.size() && !isEnd(peek()))
                    return problem(Texts::tr("text after a closing quote"));
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
    qsizetype at_ = 0;
    qsizetype lineStart_ = 0;
    int line_ = 1;
    std::vector<CsvRecord> records_;
};

} // namespace

std::variant<std::vector<CsvRecord>, CsvProblem> splitCsv(const QString& text) {
    return Splitter(text).run();
}

std::variant<QString, CsvProblem> decodeUtf8(const QByteArray& bytes) {
    const qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    int line = 1;
    qsizetype lineStart = start;
    for (qsizetype i = start; i < bytes.size();) {
        const int length = sequenceLength(bytes, i);
        if (length == 0) {
            const QString before = QString::fromUtf8(bytes.constData() + lineStart, i - lineStart);
            return CsvProblem{
                line, int(before.size()) + 1,
                Texts::tr("a byte that is not UTF-8 (0x%1)")
                    .arg(static_cast<unsigned char>(bytes[i]), 2, 16, QLatin1Char('0'))};
        }
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
            ++line;
            lineStart = i + 1;
        }
        i += length;
    }
    return QString::fromUtf8(bytes.constData() + start, bytes.size() - start);
}

} // namespace callcfg
