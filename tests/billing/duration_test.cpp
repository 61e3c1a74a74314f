#include "billing/duration.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct SplitCase {
    std::int32_t seconds;
    DurationParts parts;
};

class SplitDurationTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitDurationTest, GivesSignedPartsThatAddUpToTheDuration)
{
    const SplitCase c = GetParam();
    const DurationParts parts = splitDuration(c.seconds);
    EXPECT_EQ(parts, c.parts);
    const std::int64_t sum = std::int64_t(parts.days) * 86400 + parts.hours * 3600
            + parts.minutes * 60 + parts.seconds;
    EXPECT_EQ(sum, c.seconds);
}

INSTANTIATE_TEST_SUITE_P(
        Table, SplitDurationTest,
        testing::Values(SplitCase{0, {0, 0, 0, 0}}, SplitCase{59, {0, 0, 0, 59}},
                        SplitCase{60, {0, 0, 1, 0}}, SplitCase{3599, {0, 0, 59, 59}},
                        SplitCase{3600, {0, 1, 0, 0}}, SplitCase{86399, {0, 23, 59, 59}},
                        SplitCase{86400, {1, 0, 0, 0}}, SplitCase{90061, {1, 1, 1, 1}},
                        SplitCase{-30, {0, 0, 0, -30}}, SplitCase{-90, {0, 0, -1, -30}},
                        SplitCase{-90061, {-1, -1, -1, -1}},
                        SplitCase{std::numeric_limits<std::int32_t>::max(), {24855, 3, 14, 7}},
                        SplitCase{std::numeric_limits<std::int32_t>::min(), {-24855, -3, -14, -8}}));

struct FormatCase {
    const char *name;
    std::int32_t seconds;
    QByteArray pattern;
    bool padToTwo;
    QByteArray expected;
};

void PrintTo(const FormatCase &c, std::ostream *os) { *os << c.name; }

class FormatDurationTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatDurationTest, FillsTheLastOccurrenceOfEachLetter)
{
    const FormatCase c = GetParam();
    EXPECT_EQ(formatDuration(c.seconds, c.pattern, c.padToTwo), c.expected);
}

// A two-byte character whose trail byte is the letter d, h, m or s (0x81 0x64
// and so on) must never be taken for the placeholder.
const QByteArray kTrailD("\x81\x64");
const QByteArray kTrailS("\x81\x73");

INSTANTIATE_TEST_SUITE_P(
        Table, FormatDurationTest,
        testing::Values(
                FormatCase{"default pattern", 90061, {}, false, gbk("1天1小时1分1秒")},
                FormatCase{"zero parts are written", 65, {}, false, gbk("0天0小时1分5秒")},
                FormatCase{"padded", 3725, "h:m:s", true, "01:02:05"},
                FormatCase{"unpadded", 3725, "h:m:s", false, "1:2:5"},
                FormatCase{"default pattern padded", 90061, {}, true, gbk("01天01小时01分01秒")},
                FormatCase{"padding leaves three digits", 100 * 86400, "d", true, "100"},
                FormatCase{"overtime pattern one day", 86400, "d:h:m", false, "1:0:0"},
                FormatCase{"overtime pattern 90 minutes", 5400, "d:h:m", false, "0:1:30"},
                FormatCase{"last d only", 86400, "dd", false, "d1"},
                FormatCase{"last of each letter", 90061, "d h m s/d h m s", false,
                           "d h m s/1 1 1 1"},
                FormatCase{"no placeholder", 90061, "xyz:", false, "xyz:"},
                FormatCase{"upper case is no placeholder", 90061, "D:H:M:S", false, "D:H:M:S"},
                FormatCase{"negative parts", -90, "d:h:m:s", false, "0:0:-1:-30"},
                FormatCase{"negative parts are not padded", -90, "m:s", true, "-1:-30"},
                FormatCase{"single letter", 90061, "s", false, "1"},
                FormatCase{"trail byte d skipped", 86400, "d" + kTrailD, false, "1" + kTrailD},
                FormatCase{"only trail byte s", 59, kTrailS, false, kTrailS},
                FormatCase{"digits never become placeholders", 3 * 3600 + 4 * 60, "hm", false,
                           "34"}));

struct ListCase {
    std::int32_t seconds;
    const char *expected;
};

class ListDurationTextTest : public testing::TestWithParam<ListCase> {};

TEST_P(ListDurationTextTest, ShowsSecondsMinutesOrFoldedHours)
{
    const ListCase c = GetParam();
    EXPECT_EQ(listDurationText(splitDuration(c.seconds)), gbk(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, ListDurationTextTest,
                         testing::Values(ListCase{0, "0 秒 "}, ListCase{59, "59 秒 "},
                                         ListCase{60, "1 分0 秒 "}, ListCase{3599, "59 分59 秒 "},
                                         ListCase{3600, "1 时 0 分"}, ListCase{90061, "25 时 1 分"},
                                         ListCase{25 * 3600 + 3 * 60 + 59, "25 时 3 分"},
                                         ListCase{-30, "-30 秒 "}, ListCase{-90, "-1 分-30 秒 "},
                                         ListCase{-90061, "-25 时 -1 分"},
                                         ListCase{std::numeric_limits<std::int32_t>::max(),
                                                  "596523 时 14 分"}));

} // namespace
