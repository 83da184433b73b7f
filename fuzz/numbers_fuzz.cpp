// The number test over arbitrary text (the input read as UTF-8).
//
// Checks: a text is numeric exactly when it has a value; a value is finite; the text is numeric
// exactly when it has the form of a decimal number (blanks, sign, digits with an optional point,
// exponent E/e/D/d) and its value does not overflow; rounding stays within a half of the value, a
// tie going to the even neighbour, and the field fits never overflow a conversion.

#include "check.h"

#include "commands/numbers.h"

#include <QRegularExpression>
#include <QString>

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

const QRegularExpression kDecimal(
    QStringLiteral(R"(\A[ \t]*([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([EeDd][+-]?[0-9]+)?)[ \t]*\z)"));

// Whether the C library reads the number as beyond the range of a double.
bool overflows(QString number) {
    number.replace(u'D', u'e').replace(u'd', u'e');
    const QByteArray c = number.toLatin1();
    errno = 0;
    const double value = std::strtod(c.constData(), nullptr);
    return std::isinf(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<double> value = callcfg::numericValue(text);
    FUZZ_CHECK(callcfg::isNumeric(text) == value.has_value());

    const QRegularExpressionMatch form = kDecimal.match(text);
    FUZZ_CHECK(value.has_value() == (form.hasMatch() && !overflows(form.captured(1))));
    if (!value)
        return 0;
    FUZZ_CHECK(std::isfinite(*value));
    FUZZ_CHECK(callcfg::numberInRange(text, *value, *value) == value);

    const double whole = callcfg::roundHalfEven(*value);
    FUZZ_CHECK(whole == std::floor(whole) && std::fabs(whole - *value) <= 0.5);
    if (std::fabs(whole - *value) == 0.5) // a tie goes to the even neighbour
        FUZZ_CHECK(std::fmod(whole, 2.0) == 0.0);
    FUZZ_CHECK(callcfg::truncateTowardZero(*value) == std::trunc(*value));
    if (const auto byte = callcfg::roundedByte(*value))
        FUZZ_CHECK(*byte == whole);
    if (const auto word = callcfg::roundedWord(*value))
        FUZZ_CHECK(*word == whole);
    return 0;
}
