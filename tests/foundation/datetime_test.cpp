#include "foundation/datetime.h"

#include "tests/foundation/case_names.h"
#include "tests/support/test_support.h"

#include <QDate>
#include <QDateTime>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

DateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    // NaN for invalid fields, so that a wrong row can never pass.
    return dateTimeFromFields({year, month, day, hour, minute, second}).value_or(kNaN);
}

double secondsOfDay(int hour, int minute, int second)
{
    return (hour * 3600 + minute * 60 + second) / 86400.0;
}

struct KnownDate {
    CalendarFields fields;
    double value;
};

TEST(CalendarConversion, MatchesKnownAutomationDates)
{
    const KnownDate cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},
        {{1899, 12, 30, 12, 0, 0}, 0.5},
        {{1899, 12, 31, 0, 0, 0}, 1.0},
        {{1900, 1, 1, 0, 0, 0}, 2.0},
        {{1899, 12, 29, 6, 0, 0}, -1.25},
        {{1899, 12, 29, 0, 0, 0}, -1.0},
        {{1899, 12, 28, 18, 0, 0}, -2.75},
        {{2025, 7, 4, 0, 0, 0}, 45842.0},
        {{2025, 7, 4, 15, 5, 9}, 45842.0 + secondsOfDay(15, 5, 9)},
        {{100, 1, 1, 0, 0, 0}, MinDateTime},
        {{100, 1, 1, 12, 0, 0}, MinDateTime - 0.5},
        {{9999, 12, 31, 23, 59, 59}, 2958465.0 + secondsOfDay(23, 59, 59)},
        {{1600, 2, 29, 0, 0, 0}, -109512.0},
    };
    for (const KnownDate &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(dateTimeFromFields(c.fields), c.value);
        EXPECT_EQ(fieldsFromDateTime(c.value), c.fields);
    }
    EXPECT_NEAR(at(9999, 12, 31, 23, 59, 59), MaxDateTime, 1e-9);
}

TEST(CalendarConversion, AgreesWithQDateOnEveryDayOfTheRange)
{
    const qint64 epoch = QDate(1899, 12, 30).toJulianDay();
    for (QDate date(100, 1, 1); date <= QDate(9999, 12, 31); date = date.addDays(1)) {
        const qint64 day = date.toJulianDay() - epoch;
        const int second = int(day % 86400 + 86400) % 86400;
        const CalendarFields fields{date.year(), date.month(), date.day(), second / 3600, second / 60 % 60, second % 60};
        const std::optional<DateTime> value = dateTimeFromFields(fields);
        ASSERT_TRUE(value.has_value()) << date.toString(Qt::ISODate).toStdString();
        ASSERT_EQ(std::trunc(*value), double(day)) << date.toString(Qt::ISODate).toStdString();
        ASSERT_EQ(fieldsFromDateTime(*value), fields) << date.toString(Qt::ISODate).toStdString();
    }
}

TEST(CalendarConversion, RejectsFieldsOutOfRange)
{
    const CalendarFields cases[] = {
        {99, 12, 31, 0, 0, 0},
        {10000, 1, 1, 0, 0, 0},
        {2025, 0, 1, 0, 0, 0},
        {2025, 13, 1, 0, 0, 0},
        {2025, 7, 0, 0, 0, 0},
        {2025, 4, 31, 0, 0, 0},
        {2023, 2, 29, 0, 0, 0},
        {1900, 2, 29, 0, 0, 0},
        {2025, 7, 4, 24, 0, 0},
        {2025, 7, 4, 0, 60, 0},
        {2025, 7, 4, 0, 0, 60},
        {2025, 7, 4, -1, 0, 0},
    };
    for (const CalendarFields &f : cases) {
        SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day << " " << f.hour << ":"
                                        << f.minute << ":" << f.second);
        EXPECT_FALSE(dateTimeFromFields(f).has_value());
    }
    EXPECT_TRUE(dateTimeFromFields({2024, 2, 29, 0, 0, 0}).has_value());
    EXPECT_TRUE(dateTimeFromFields({2000, 2, 29, 0, 0, 0}).has_value());
}

TEST(CalendarConversion, RoundsToNearestSecondAndRejectsOutOfRange)
{
    EXPECT_EQ(fieldsFromDateTime(45842.0 + 9.6 / 86400), (CalendarFields{2025, 7, 4, 0, 0, 10}));
    EXPECT_EQ(fieldsFromDateTime(45842.0 + 9.4 / 86400), (CalendarFields{2025, 7, 4, 0, 0, 9}));
    EXPECT_EQ(fieldsFromDateTime(45842.9999999), (CalendarFields{2025, 7, 5, 0, 0, 0}));
    EXPECT_EQ(fieldsFromDateTime(-1.9999999), (CalendarFields{1899, 12, 30, 0, 0, 0}));
    // Between -1 and 0 the day is the epoch day itself, the time counted forward.
    EXPECT_EQ(fieldsFromDateTime(-0.25), (CalendarFields{1899, 12, 30, 6, 0, 0}));

    for (double value : {kNaN, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                         MinDateTime - 1, 2958466.0, 2958465.9999999, 1e300, -1e300}) {
        SCOPED_TRACE(value);
        EXPECT_FALSE(fieldsFromDateTime(value).has_value());
    }
}

struct ParseCase {
    const char *name;
    QByteArray text;
    DateTime expected;
};

class TextToDateTimeTest : public testing::TestWithParam<ParseCase> {};

TEST_P(TextToDateTimeTest, ReadsOrFailsToMinDateTime)
{
    EXPECT_EQ(textToDateTime(GetParam().text), GetParam().expected);
}

const DateTime kJuly4 = 45842.0;
const DateTime kJuly4At130509 = kJuly4 + secondsOfDay(13, 5, 9);

INSTANTIATE_TEST_SUITE_P(Table, TextToDateTimeTest, testing::Values(
    ParseCase{"stored form", "2025/07/04 13:05:09", kJuly4At130509},
    ParseCase{"dashes, short fields", "2025-7-4", kJuly4},
    ParseCase{"words", gbk("2025年7月4日13时5分9秒"), kJuly4At130509},
    ParseCase{"anything after seconds word", gbk("2025年7月4日13时5分9秒以后x"), kJuly4At130509},
    ParseCase{"seconds word after date", gbk("2025年7月4日秒"), kJuly4},
    ParseCase{"full-width", gbk("２０２５／０７／０４　１３：０５：０９"), kJuly4At130509},
    ParseCase{"dots", "2025.07.04", kJuly4},
    ParseCase{"colons", "2025:07:04:13:05:09", kJuly4At130509},
    ParseCase{"no separators", "20250704130509", kJuly4At130509},
    ParseCase{"slash after day", "2025/07/04/13", kJuly4 + secondsOfDay(13, 0, 0)},
    ParseCase{"hours and minutes only", "2025/07/04 13:05", kJuly4 + secondsOfDay(13, 5, 0)},
    ParseCase{"year takes four digits", "12345/01/01", at(1234, 5, 1, 1, 0, 0)},
    ParseCase{"leap day", "2024/02/29 23:59:59", at(2024, 2, 29, 23, 59, 59)},
    ParseCase{"first valid", "0100/01/01", MinDateTime},
    ParseCase{"last valid", "9999/12/31 23:59:59", at(9999, 12, 31, 23, 59, 59)},
    ParseCase{"not a leap year", "2025/02/29 10:00:00", MinDateTime},
    ParseCase{"century not leap", "2023/02/29 00:00:00", MinDateTime},
    ParseCase{"month 13", "2025/13/01", MinDateTime},
    ParseCase{"hour 24", "2025/07/04 24:00:00", MinDateTime},
    ParseCase{"minute 60", "2025/07/04 23:60:00", MinDateTime},
    ParseCase{"second 60", "2025/07/04 23:59:60", MinDateTime},
    ParseCase{"two-digit year", "99/07/04", MinDateTime},
    ParseCase{"no day", "2025/07", MinDateTime},
    ParseCase{"empty", "", MinDateTime},
    ParseCase{"none text", gbk("无"), MinDateTime},
    ParseCase{"trailing blank", "2025/07/04 13:05:09 ", MinDateTime},
    ParseCase{"leading blank", " 2025/07/04 13:05:09", MinDateTime},
    ParseCase{"two separators", "2025//07/04", MinDateTime},
    ParseCase{"two blanks", "2025/07/04  13:05", MinDateTime},
    ParseCase{"blank before hour only", "2025/07 04", MinDateTime},
    ParseCase{"third second digit", "2025/07/04 13:05:099", MinDateTime},
    ParseCase{"other byte at end", "2025/07/04 13:05:09Z", MinDateTime},
    ParseCase{"lone lead byte at end", "2025/07/04 13:05:09\xc3", MinDateTime},
    ParseCase{"zero byte", QByteArray("2025/07/04\0", 11), MinDateTime}),
    caseName<ParseCase>);

TEST(TimeDifference, CountsWholeElapsedUnits)
{
    const DateTime noon = at(2025, 7, 4, 12, 0, 0);
    struct Case {
        const char *name;
        DateTime t1;
        DateTime t2;
        double seconds;
        double minutes;
    };
    const Case cases[] = {
        {"equal", noon, noon, 0, 0},
        {"59 seconds", at(2025, 7, 4, 12, 0, 59), noon, 59, 0},
        {"60 seconds", at(2025, 7, 4, 12, 1, 0), noon, 60, 1},
        {"example", kJuly4At130509, noon, 3909, 65},
        {"earlier t1 comes one unit nearer zero", noon, at(2025, 7, 4, 12, 1, 0), -59, 0},
        {"across midnight", at(2025, 7, 5, 0, 0, 1), at(2025, 7, 4, 23, 59, 59), 2, 0},
        {"across a year", at(2026, 1, 1, 0, 0, 0), at(2025, 1, 1, 0, 0, 0), 365 * 86400.0, 365 * 1440.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(timeDifference(c.t1, c.t2, TimeUnit::Seconds), c.seconds);
        EXPECT_EQ(timeDifference(c.t1, c.t2, TimeUnit::Minutes), c.minutes);
    }
}

TEST(TimeDifference, IsExactForWholeSecondsOverManyStarts)
{
    // Starts spread over the years the program runs in, spans up to a month.
    for (int start = 0; start < 2000; ++start) {
        const int year = 2000 + start % 50;
        const DateTime t2 = at(year, 1 + start % 12, 1 + start % 28, start % 24, start * 7 % 60, start * 13 % 60);
        for (int span : {0, 1, 59, 60, 61, 3599, 3600, 86399, 86400, 2678400 - 1}) {
            const DateTime t1 = t2 + span / 86400.0;
            const std::optional<CalendarFields> fields = fieldsFromDateTime(t1);
            ASSERT_TRUE(fields.has_value());
            const DateTime wholeSecond = *dateTimeFromFields(*fields);
            ASSERT_EQ(timeDifference(wholeSecond, t2, TimeUnit::Seconds), span) << start;
            ASSERT_EQ(timeDifference(wholeSecond, t2, TimeUnit::Minutes), span / 60) << start;
        }
    }
}

class FixedClock : public testing::Test {
protected:
    void TearDown() override { setFixedCurrentDateTime(std::nullopt); }
};

TEST_F(FixedClock, ReturnsFixedValueUntilReleased)
{
    setFixedCurrentDateTime(kJuly4At130509);
    EXPECT_EQ(currentDateTime(), kJuly4At130509);
    setFixedCurrentDateTime(MinDateTime);
    EXPECT_EQ(currentDateTime(), MinDateTime);

    setFixedCurrentDateTime(std::nullopt);
    const QDateTime before = QDateTime::currentDateTime();
    const DateTime now = currentDateTime();
    const QDateTime after = QDateTime::currentDateTime();
    const std::optional<CalendarFields> fields = fieldsFromDateTime(now);
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(dateTimeFromFields(*fields), now) << "holds whole seconds";
    const QDateTime read(QDate(fields->year, fields->month, fields->day),
                         QTime(fields->hour, fields->minute, fields->second));
    EXPECT_GE(read, before.addMSecs(-before.time().msec()));
    EXPECT_LE(read, after);
}

TEST_F(FixedClock, IsSafeWhileAnotherThreadReads)
{
    std::atomic<bool> stop{false};
    std::atomic<int> unexpected{0};
    std::thread reader([&] {
        while (!stop.load()) {
            const DateTime now = currentDateTime();
            if (now != kJuly4 && now != kJuly4At130509 && now < kJuly4 + 1)
                ++unexpected;
        }
    });
    for (int i = 0; i < 20000; ++i)
        setFixedCurrentDateTime(i % 3 == 2 ? std::nullopt : std::optional<DateTime>(i % 2 ? kJuly4 : kJuly4At130509));
    stop = true;
    reader.join();
    EXPECT_EQ(unexpected.load(), 0);
}

} // namespace
