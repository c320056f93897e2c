#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Number conversions used wherever the quiz turns list text into numbers.
// All of them read "." as the decimal point, whatever the machine's locale.
namespace Numbers {

// Lenient reading: blanks anywhere are ignored, the longest leading run that forms a
// decimal number (sign, digits, "." and fraction, exponent) gives the value; a text that
// does not start with such a run, the empty text included, reads as 0.
double readLenient(QStringView text);

// Strict reading: the whole text, apart from blanks around it, must be one decimal
// number (sign, digits, optional "." and fraction, optional exponent).
std::optional<double> readStrict(QStringView text);

// Nearest whole number, an exact half going to the even neighbour (12.5 -> 12, 37.5 -> 38),
// clamped to the range of a 16-bit signed integer.
qint16 roundToInt16(double value);

// The same rounding, clamped to the range of a 32-bit signed integer.
qint32 roundToInt32(double value);

// Decimal text of a whole number: no sign for positives, no leading zeros or blanks.
inline QString decimal(qint64 value) { return QString::number(value); }

} // namespace Numbers
