#pragma once

#include <QByteArray>

#include <cstdint>

// Elapsed times are whole seconds (signed 32-bit). These operations split
// them into days, hours, minutes and seconds and write them as text.

// The parts of a duration. days * 86400 + hours * 3600 + minutes * 60 +
// seconds equals the duration, and every part carries its sign (or is 0):
// for a non-negative duration hours is 0..23, minutes and seconds 0..59.
struct DurationParts {
    std::int32_t days = 0;
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    bool operator==(const DurationParts &) const = default;
};

// Quotients truncated toward zero, remainders with the sign of the duration:
// 90061 -> 1, 1, 1, 1; -90 -> 0, 0, -1, -30.
DurationParts splitDuration(std::int32_t seconds);

// The pattern with the last "d", "h", "m" and "s" (case-sensitive, never the
// byte of a two-byte character) each replaced by the number of days, hours,
// minutes and seconds; earlier occurrences and all other bytes stay. An empty
// pattern means "d天h小时m分s秒". With padToTwo, each number is padded on the
// left with "0" to two characters ('-5' stays '-5'). Zero parts are written.
// 3725, 'h:m:s', padded -> '01:02:05'; 86400, 'dd' -> 'd1'.
QByteArray formatDuration(std::int32_t seconds, const QByteArray &pattern = {},
                          bool padToTwo = false);

// The text of the item list's duration column: below one minute '59 秒 ',
// below one hour '1 分0 秒 ', from one hour on the total hours with days
// folded in and no seconds, '25 时 1 分'.
QByteArray listDurationText(const DurationParts &parts);
