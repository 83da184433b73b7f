#include "commands/numbers.h"

#include <cmath>

namespace callcfg {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool isSign(QChar c) {
    return c == u'+' || c == u'-';
}

// Copies the digits from `i` on to `out`; how many there were.
int takeDigits(const QString& text, qsizetype& i, qsizetype end, QString& out) {
    int digits = 0;
    for (; i < end && isDigit(text[i]); ++digits)
        out += text[i++];
    return digits;
}

// Accepts the number grammar and returns it in the C form that the converter reads
// (blanks dropped, a D exponent written as E); an empty result means not a number.
QString normalised(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    QString out;
    qsizetype i = begin;
    if (i < end && isSign(text[i]))
        out += text[i++];
    int mantissaDigits = takeDigits(text, i, end, out);
    if (i < end && text[i] == u'.') {
        out += text[i++];
        mantissaDigits += takeDigits(text, i, end, out);
    }
    if (mantissaDigits == 0)
        return {};
    if (i < end && QStringLiteral("EeDd").contains(text[i])) {
        out += u'e';
        ++i;
        if (i < end && isSign(text[i]))
            out += text[i++];
        const int exponentDigits = takeDigits(text, i, end, out);
        if (exponentDigits == 0)
            return {};
    }
    return i == end ? out : QString();
}

} // namespace

std::optional<double> numericValue(const QString& text) {
    const QString number = normalised(text);
    if (number.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    // A well-formed number too small for a double reads as zero; one too large is refused.
    if (!ok && value == 0.0)
        return 0.0;
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isNumeric(const QString& text) {
    return numericValue(text).has_value();
}

std::optional<double> numberInRange(const QString& text, double low, double high) {
    const std::optional<double> value = numericValue(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

double roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double whole = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        whole = floor + 1.0;
    return whole == 0.0 ? 0.0 : whole;
}

double truncateTowardZero(double value) {
    return std::trunc(value);
}

std::optional<std::uint8_t> roundedByte(double value) {
    const double whole = roundHalfEven(value);
    if (!(whole >= 0.0 && whole <= 255.0))
        return std::nullopt;
    return static_cast<std::uint8_t>(whole);
}

std::optional<std::uint16_t> roundedWord(double value) {
    const double whole = roundHalfEven(value);
    if (!(whole >= 0.0 && whole <= 65535.0))
        return std::nullopt;
    return static_cast<std::uint16_t>(whole);
}

std::optional<std::uint8_t> positionByte(int position) {
    if (position < 0 || position > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(position);
}

} // namespace callcfg
