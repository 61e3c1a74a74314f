#include "billing/duration.h"

#include "foundation/numbers.h"
#include "foundation/texts.h"

namespace {

// GBK texts of the duration words.
const QByteArray kDefaultPattern("d\xcc\xec" "h\xd0\xa1\xca\xb1" "m\xb7\xd6" "s\xc3\xeb"); // d天h小时m分s秒
const QByteArray kListSeconds(" \xc3\xeb ");  // " 秒 "
const QByteArray kListMinutes(" \xb7\xd6");   // " 分"
const QByteArray kListHours(" \xca\xb1 ");    // " 时 "

QByteArray numberText(std::int32_t value, bool padToTwo)
{
    const QByteArray digits = intToText(value);
    if (!padToTwo)
        return digits;
    return repeatText(2 - textLength(digits), QByteArrayLiteral("0")) + digits;
}

// Replaces the last occurrence only: the substituted digits can never form a
// placeholder, so later letters are still found in the original places.
QByteArray substituteLast(const QByteArray &text, const QByteArray &letter, std::int32_t value,
                          bool padToTwo)
{
    const int position = findTextReverse(text, letter);
    if (position < 0)
        return text;
    return replaceTextAt(text, position, 1, numberText(value, padToTwo));
}

} // namespace

DurationParts splitDuration(std::int32_t seconds)
{
    // On reals, as every other duration of the program is computed; for any
    // 32-bit input the quotients and remainders are exact.
    const double total = seconds;
    const double afterDays = realModulo(total, 86400.0);
    const double afterHours = realModulo(afterDays, 3600.0);
    return DurationParts{
        realToInt(total / 86400.0),
        realToInt(afterDays / 3600.0),
        realToInt(afterHours / 60.0),
        realToInt(realModulo(afterHours, 60.0)),
    };
}

QByteArray formatDuration(std::int32_t seconds, const QByteArray &pattern, bool padToTwo)
{
    const DurationParts parts = splitDuration(seconds);
    QByteArray text = pattern.isEmpty() ? kDefaultPattern : pattern;
    text = substituteLast(text, QByteArrayLiteral("d"), parts.days, padToTwo);
    text = substituteLast(text, QByteArrayLiteral("h"), parts.hours, padToTwo);
    text = substituteLast(text, QByteArrayLiteral("m"), parts.minutes, padToTwo);
    text = substituteLast(text, QByteArrayLiteral("s"), parts.seconds, padToTwo);
    return text;
}

QByteArray listDurationText(const DurationParts &parts)
{
    if (parts.days == 0 && parts.hours == 0 && parts.minutes == 0)
        return intToText(parts.seconds) + kListSeconds;
    if (parts.days == 0 && parts.hours == 0)
        return intToText(parts.minutes) + kListMinutes + intToText(parts.seconds) + kListSeconds;
    // Days folded into hours on reals: no 32-bit overflow for large day counts.
    const double totalHours = parts.days * 24.0 + parts.hours;
    return realToText(totalHours) + kListHours + intToText(parts.minutes) + kListMinutes;
}
