#pragma once

#include <QByteArray>

#include <optional>

// A date-time is a real: days since 1899-12-30 00:00:00 local time, the
// fraction being the time of day (0.5 = 12:00:00). The program only ever holds
// whole seconds.
using DateTime = double;

// 0100-01-01 00:00:00: the smallest date-time and the result of every failed
// conversion of a text.
inline constexpr DateTime MinDateTime = -657434.0;
// 9999-12-31 23:59:59.
inline constexpr DateTime MaxDateTime = 2958465.999988426;

struct CalendarFields {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
    bool operator==(const CalendarFields &) const = default;
};

// The date-time of valid calendar fields; nullopt when a field is out of range
// (year 100..9999, a day that the month has, hour 0..23, minute and second 0..59).
std::optional<DateTime> dateTimeFromFields(const CalendarFields &fields);
// The calendar fields of a date-time, rounded to the nearest second; nullopt
// for a NaN or a value whose date lies outside 0100-01-01..9999-12-31. Before
// 1899-12-30 the fraction still counts forward from midnight, away from
// zero: -1.25 is 1899-12-29 06:00:00.
std::optional<CalendarFields> fieldsFromDateTime(DateTime value);

// The local date and time now, without the part below one second. Tests may
// fix the clock with setFixedCurrentDateTime; safe to call from any thread.
DateTime currentDateTime();
// Makes currentDateTime() return the given value until called again; nullopt
// returns to the real clock. Safe while other threads read the clock.
void setFixedCurrentDateTime(std::optional<DateTime> value);

// Reads 'yyyy/MM/dd hh:mm:ss' and its relatives (separators / - . : or
// 年 月 日 时 分 秒, full-width digits folded, hour, minute and second
// optional). Anything that does not parse, or lies out of range, gives
// MinDateTime.
DateTime textToDateTime(const QByteArray &s);

enum class TimeUnit { Seconds, Minutes };
// (t1 - t2) in whole units as a real: realToInt(span * units per day + 5.787037037037037e-6).
// Exact for whole-second date-times with t1 >= t2; a negative exact whole
// number of units comes out one unit nearer to zero.
double timeDifference(DateTime t1, DateTime t2, TimeUnit unit);
