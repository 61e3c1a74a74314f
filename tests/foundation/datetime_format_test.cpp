#include "foundation/datetime_format.h"

#include "tests/foundation/case_names.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

DateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return dateTimeFromFields({year, month, day, hour, minute, second})
        .value_or(std::numeric_limits<double>::quiet_NaN());
}

struct FormatCase {
    const char *name;
    DateTime value;
    QByteArray datePicture;
    QByteArray timePicture;
    bool force24Hour;
    QByteArray expected;
};

class FormatDateTimeTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatDateTimeTest, FillsPictures)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(formatDateTime(c.value, c.datePicture, c.timePicture, c.force24Hour), c.expected);
}

const DateTime kAfternoon = at(2025, 7, 4, 15, 5, 9);
const QByteArray kTwelveYears = QByteArray("yyyy").repeated(12); // 48 bytes once filled

INSTANTIATE_TEST_SUITE_P(Table, FormatDateTimeTest, testing::Values(
    FormatCase{"history month", kAfternoon, "yyyyMM", {}, false, "202507"},
    FormatCase{"start time", kAfternoon, "yyyy/MM/dd ", "hh:mm:ss", true, "2025/07/04 15:05:09"},
    FormatCase{"end time", kAfternoon, "yyyy/MM/dd", " hh:mm:ss", true, "2025/07/04 15:05:09"},
    FormatCase{"midnight", at(2025, 7, 4), "yyyy/MM/dd ", "hh:mm:ss", true, "2025/07/04 00:00:00"},
    FormatCase{"noon", at(2025, 7, 4, 12), "", "hh:mm:ss", true, "12:00:00"},
    FormatCase{"last second", at(2025, 7, 4, 23, 59, 59), "", "hh:mm:ss", true, "23:59:59"},
    FormatCase{"morning", at(2025, 7, 4, 9, 5, 3), "", "hh:mm:ss", true, "09:05:03"},
    FormatCase{"midnight, 12-hour", at(2025, 7, 4), "", "hh:mm:ss", false, "12:00:00"},
    FormatCase{"noon, 12-hour", at(2025, 7, 4, 12), "", "hh", false, "12"},
    FormatCase{"afternoon, 12-hour", at(2025, 7, 4, 13), "", "hh", false, "01"},
    FormatCase{"last second, 12-hour", at(2025, 7, 4, 23, 59, 59), "", "hh:mm:ss", false, "11:59:59"},
    FormatCase{"new year", at(2026, 1, 1), "yyyyMM", {}, false, "202601"},
    FormatCase{"no pictures", kAfternoon, {}, {}, false, ""},
    FormatCase{"time only", kAfternoon, {}, "hh:mm", true, "15:05"},
    FormatCase{"date letters in time picture copied", kAfternoon, {}, "yyyy MM", true, "yyyy MM"},
    FormatCase{"time letters in date picture copied", kAfternoon, "hh:ss", {}, true, "hh:ss"},
    FormatCase{"minutes are not months", kAfternoon, "mm", "MM", true, "mmMM"},
    FormatCase{"GBK words copied", kAfternoon, gbk("yyyy年MM月dd日"), {}, false, gbk("2025年07月04日")},
    FormatCase{"trail byte is no picture letter", kAfternoon, "\x81" "yyyyy", {}, false, "\x81" "y2025"},
    FormatCase{"49 bytes fit", kAfternoon, kTwelveYears + "/", "hh", true,
               QByteArray("2025").repeated(12) + "/15"},
    FormatCase{"50 bytes do not", kAfternoon, kTwelveYears + "//", "hh", true, "15"},
    FormatCase{"long time part", kAfternoon, "yyyy", QByteArray("hh").repeated(25), true, "2025"},
    FormatCase{"date before 1601", at(1600, 12, 31, 10), "yyyy/MM/dd ", "hh:mm:ss", true, "10:00:00"},
    FormatCase{"first formattable date", at(1601, 1, 1), "yyyy/MM/dd", {}, true, "1601/01/01"},
    FormatCase{"before the epoch", at(1899, 12, 29, 6), "yyyy/MM/dd ", "hh:mm:ss", true, "1899/12/29 06:00:00"},
    FormatCase{"last date", MaxDateTime, "yyyy/MM/dd ", "hh:mm:ss", true, "9999/12/31 23:59:59"},
    FormatCase{"smallest date", MinDateTime, "yyyy", "hh", true, "00"},
    FormatCase{"below range", MinDateTime - 1, "yyyy", "hh", true, ""},
    FormatCase{"above range", 2958466.0, "yyyy", "hh", true, ""},
    FormatCase{"not a number", std::numeric_limits<double>::quiet_NaN(), "yyyy", "hh", true, ""}),
    caseName<FormatCase>);

TEST(StartTimeText, ReadsBackToTheSameDateTime)
{
    for (int i = 0; i < 5000; ++i) {
        const DateTime value = at(1601 + i * 7 % 8399, 1 + i % 12, 1 + i * 3 % 28, i % 24, i * 11 % 60, i * 17 % 60);
        const QByteArray text = startTimeText(value);
        ASSERT_EQ(text.size(), 19) << text.constData();
        ASSERT_EQ(textToDateTime(text), value) << text.constData();
    }
    EXPECT_EQ(startTimeText(at(2025, 7, 4, 21, 5, 3)), "2025/07/04 21:05:03");
}

} // namespace
