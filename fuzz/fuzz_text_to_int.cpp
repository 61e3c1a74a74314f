// Reads arbitrary bytes as a number text, and as a real, and checks the
// number conversions against independent computations: no undefined
// behaviour, 32-bit wrap-around, and texts that read back.

#include "foundation/numbers.h"
#include "foundation/texts.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// For texts whose digits fit in 64 bits, the value through std::from_chars.
void checkAgainstFromChars(const QByteArray &text, std::int32_t value)
{
    const QByteArray folded = foldFullWidth(text);
    const char *p = folded.constData();
    const char *end = p + folded.size();
    while (p < end && isBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    std::uint64_t magnitude = 0;
    const auto [last, error] = std::from_chars(p, end, magnitude);
    if (error == std::errc::invalid_argument)
        magnitude = 0;
    else if (error != std::errc())
        return;
    const std::uint32_t low = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
    require(value == static_cast<std::int32_t>(low));
}

// The low 32 bits of a real truncated toward zero, from its binary digits.
std::int32_t low32BitsOfTruncated(double x)
{
    if (!std::isfinite(x))
        return 0;
    const double truncated = std::trunc(std::fabs(x));
    int exponent = 0;
    const double fraction = std::frexp(truncated, &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = exponent - 53;
    std::uint32_t low = 0;
    if (shift >= 32)
        low = 0;
    else if (shift >= 0)
        low = static_cast<std::uint32_t>(mantissa << shift);
    else
        low = static_cast<std::uint32_t>(mantissa >> -shift);
    return static_cast<std::int32_t>(x < 0 ? 0u - low : low);
}

void checkReal(double x)
{
    require(realToInt(x) == low32BitsOfTruncated(x));
    const std::int32_t floored = floorToInt(x);
    if (std::isfinite(x) && std::fabs(x) < 2e9)
        require(floored == static_cast<std::int32_t>(std::floor(x)) || floored == static_cast<std::int32_t>(std::floor(x)) + 1);

    const QByteArray text = realToText(x);
    if (std::isfinite(x)) {
        double back = 0;
        const auto [last, error] = std::from_chars(text.constData(), text.constData() + text.size(), back);
        require(error == std::errc() && last == text.constData() + text.size());
        require(back == x || std::fabs(back - x) <= std::fabs(x) * 1e-12);
        const qsizetype e = text.indexOf('e');
        require(e < 0 || text.size() - e >= 5);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::int32_t value = textToInt(text);
    require(textToInt(foldFullWidth(text)) == value);
    require(textToInt(intToText(value)) == value);
    checkAgainstFromChars(text, value);

    if (size >= sizeof(double)) {
        double x = 0;
        std::memcpy(&x, data, sizeof x);
        checkReal(x);
    }
    return 0;
}
