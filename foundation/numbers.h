#pragma once

#include <QByteArray>

#include <cstdint>

// Conversions between numbers and texts, and the few real-number operations
// the program relies on. Integers are signed 32-bit and wrap around; reals are
// doubles; every real-to-integer conversion truncates toward zero.

// Decimal digits, "-" for negative values, no padding or grouping.
QByteArray intToText(std::int32_t n);

// "%.13g" with "." whatever the locale and an exponent of at least three
// digits: 70 -> '70', 100/60 -> '1.666666666667', 1e13 -> '1e+013'.
QByteArray realToText(double x);

// Full-width folding, leading white space skipped, optional sign, then the
// decimal digits up to the first non-digit, accumulated modulo 2^32. No
// digits give 0. '30元' -> 30, ' -7' -> -7, '１２０' -> 120.
std::int32_t textToInt(const QByteArray &s);

// Truncation toward zero reduced to the low 32 bits; infinities and NaN give 0.
std::int32_t realToInt(double x);

// Floor, except that a value within 1e-12 of the next whole number away from
// zero counts as that whole number: 2.999999 -> 2, 2.9999999999995 -> 3,
// -0.9999999999995 -> -1, -2.5 -> -3. Reduced to 32 bits like realToInt;
// infinities and NaN give 0.
std::int32_t floorToInt(double x);

// x / y with the fraction cut off toward zero. y must not be zero.
double integerDivide(double x, double y);
// x - q * y with q = x / y truncated toward zero; has the sign of x.
// y must not be zero.
double realModulo(double x, double y);

// Comparisons in which a real takes part use a tolerance of 1e-7.
inline constexpr double kRealTolerance = 1e-7;
bool realEquals(double x, double y);
bool realGreater(double x, double y);
bool realIsZero(double x);
