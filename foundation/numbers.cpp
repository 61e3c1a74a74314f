#include "foundation/numbers.h"

#include "foundation/texts.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

constexpr double kTwoToThe32 = 4294967296.0;

// Converting an out-of-range value to a signed type is defined as modulo 2^n
// since C++20; unsigned arithmetic keeps the wrap-around itself free of
// undefined behaviour.
std::int32_t fromLow32Bits(std::uint32_t bits)
{
    return static_cast<std::int32_t>(bits);
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// std::to_chars writes the exponent with at least two digits; the stored and
// shown texts have at least three (1e+013, 1e-005).
QByteArray widenExponent(QByteArray text)
{
    const qsizetype e = text.indexOf('e');
    if (e < 0)
        return text;
    const qsizetype digits = text.size() - (e + 2);
    if (digits < 3)
        text.insert(e + 2, QByteArray(3 - digits, '0'));
    return text;
}

} // namespace

QByteArray intToText(std::int32_t n)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    return QByteArray(buffer, result.ptr - buffer);
}

QByteArray realToText(double x)
{
    // A negative zero (e.g. a remainder of a negative amount) would read
    // "-0" in a fee cell; it is the same number as zero.
    if (x == 0.0)
        x = 0.0;
    // std::to_chars ignores the locale, unlike snprintf.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 13);
    return widenExponent(QByteArray(buffer, result.ptr - buffer));
}

std::int32_t textToInt(const QByteArray &s)
{
    const QByteArray text = foldFullWidth(s);
    qsizetype i = 0;
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i)
        value = value * 10u + std::uint32_t(text[i] - '0');
    return fromLow32Bits(negative ? 0u - value : value);
}

std::int32_t realToInt(double x)
{
    if (!std::isfinite(x))
        return 0;
    // fmod is exact, so the low 32 bits come out right even for values far
    // beyond 2^63 where a cast to a 64-bit integer would be undefined.
    double low = std::fmod(std::trunc(x), kTwoToThe32);
    if (low < 0)
        low += kTwoToThe32;
    return fromLow32Bits(static_cast<std::uint32_t>(low));
}

std::int32_t floorToInt(double x)
{
    // A result such as 2.9999999999995 of a real expression stands for 3;
    // flooring it to 2 would lose a whole unit. The step away from zero
    // follows the sign of x, not of its whole part: for -0.9999999999995 the
    // whole part is 0, and stepping up to 1 would turn a value just above -1
    // into +1.
    const double wholePart = std::trunc(x);
    if (std::fabs(x - wholePart) > 0.999999999999)
        x = x >= 0 ? wholePart + 1 : wholePart - 1;
    return realToInt(std::floor(x));
}

double integerDivide(double x, double y)
{
    return std::trunc(x / y);
}

double realModulo(double x, double y)
{
    return std::fmod(x, y);
}

bool realEquals(double x, double y)
{
    return std::fabs(x - y) <= kRealTolerance;
}

bool realGreater(double x, double y)
{
    return x - y > kRealTolerance;
}

bool realIsZero(double x)
{
    return std::fabs(x) <= kRealTolerance;
}
