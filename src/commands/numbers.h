#pragma once
// Numbers typed by the user: the number test, rounding and the fit into wire fields.

#include <QString>
#include <cstdint>
#include <optional>

namespace callcfg {

// True when `text` is a decimal number: optional blanks around it, an optional sign,
// digits with an optional decimal point (".5" and "5." count), an optional exponent
// E, e, D or d with an optional sign. Empty or blank-only text, thousands separators,
// hex and values beyond the range of a double are not numeric.
bool isNumeric(const QString& text);

// The value of a numeric text, nothing otherwise.
std::optional<double> numericValue(const QString& text);

// The value of `text` when it is numeric and lies within [low, high]; the unrounded
// value is compared.
std::optional<double> numberInRange(const QString& text, double low, double high);

// Rounds to a whole number, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
double roundHalfEven(double value);

// Drops the fraction (rounds toward zero).
double truncateTowardZero(double value);

// The value rounded to a whole number when that fits the field, nothing otherwise;
// a value that does not fit makes the command that sends it unsendable.
std::optional<std::uint8_t> roundedByte(double value);
std::optional<std::uint16_t> roundedWord(double value);

// A list position as a data byte; no position (-1) or one beyond 255 does not fit.
std::optional<std::uint8_t> positionByte(int position);

} // namespace callcfg
