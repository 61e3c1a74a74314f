#include "billing/refresh_pass.h"

#include "foundation/datetime.h"
#include "foundation/datetime_format.h"
#include "foundation/stored_texts.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

// 2025/07/04 15:04:05.
const DateTime kNow = *dateTimeFromFields({2025, 7, 4, 15, 4, 5});

// "S1" with the tariff the item editor proposes (240 min for 70, 30-minute
// units, 20 an hour), "Cheap" with 60 min for 10, 15-minute units, 8 an hour.
IniSnapshot settings()
{
    return IniSnapshot::fromContent(
        gbk("[S1]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"
            "[Cheap]\r\n初始时段=60\r\n初始费用=10\r\n最小单位=15\r\n超时单价=8\r\n"));
}

QByteArray startedSecondsAgo(int seconds)
{
    return startTimeText(kNow - seconds / 86400.0);
}

RefreshRow runningRow(const char *name, const QByteArray &startTime)
{
    return {name, storedtext::kInUse, startTime};
}

struct RunningCase {
    const char *label;
    const char *item;
    int elapsedSeconds;
    const char *duration;  // UTF-8
    const char *fee;
};

void PrintTo(const RunningCase &c, std::ostream *os) { *os << c.label; }

class RunningRowTest : public testing::TestWithParam<RunningCase> {};

TEST_P(RunningRowTest, ShowsDurationAndTotalFeeOfTheSameMoment)
{
    const RunningCase c = GetParam();
    const RefreshPassResult result = computeRefreshPass(
        {runningRow(c.item, startedSecondsAgo(c.elapsedSeconds))}, settings(), kNow);
    ASSERT_EQ(result.rows.size(), 1);
    EXPECT_TRUE(result.rows[0].running);
    EXPECT_EQ(result.rows[0].duration, gbk(c.duration));
    EXPECT_EQ(result.rows[0].fee, QByteArray(c.fee));
}

INSTANTIATE_TEST_SUITE_P(
    ElapsedTimes, RunningRowTest,
    testing::Values(
        RunningCase{"just started", "S1", 0, "0 秒 ", "70"},
        RunningCase{"59 s", "S1", 59, "59 秒 ", "70"},
        RunningCase{"60 s", "S1", 60, "1 分0 秒 ", "70"},
        RunningCase{"last second of the initial period", "S1", 4 * 3600 + 59, "4 时 0 分", "70"},
        RunningCase{"first overtime minute", "S1", 4 * 3600 + 60, "4 时 1 分", "80"},
        RunningCase{"a second unit begins", "S1", 4 * 3600 + 31 * 60, "4 时 31 分", "90"},
        RunningCase{"25 h 3 min", "S1", 25 * 3600 + 3 * 60, "25 时 3 分", "500"},
        RunningCase{"another tariff", "Cheap", 2 * 3600 + 16 * 60, "2 时 16 分", "22"},
        RunningCase{"missing item costs nothing", "Gone", 3600, "1 时 0 分", "0"}));

TEST(RefreshPassTest, CountsIdleAndEverythingElseAsInUse)
{
    const QList<RefreshRow> rows = {
        {"S2", storedtext::kIdle, storedtext::kNone},
        runningRow("S1", startedSecondsAgo(90)),
        {"S3", gbk("维修中"), startedSecondsAgo(90)},
    };
    const RefreshPassResult result = computeRefreshPass(rows, settings(), kNow);
    EXPECT_EQ(result.itemCount, "3");
    EXPECT_EQ(result.idleCount, "1");
    EXPECT_EQ(result.inUseCount, "2");
    ASSERT_EQ(result.rows.size(), 3);
    // Only the running row gets texts; the others keep what their cells show.
    EXPECT_EQ(result.rows[0], RefreshRowTexts{});
    EXPECT_TRUE(result.rows[1].running);
    EXPECT_EQ(result.rows[2], RefreshRowTexts{});
}

TEST(RefreshPassTest, EmptyListCountsZeroEverywhere)
{
    const RefreshPassResult result = computeRefreshPass({}, settings(), kNow);
    EXPECT_TRUE(result.rows.isEmpty());
    EXPECT_EQ(result.itemCount, "0");
    EXPECT_EQ(result.idleCount, "0");
    EXPECT_EQ(result.inUseCount, "0");
}

TEST(RefreshPassTest, StatusIsComparedByteForByte)
{
    // A trailing blank or another spelling is some other status.
    const QList<RefreshRow> rows = {
        {"S1", QByteArray(storedtext::kInUse) + ' ', startedSecondsAgo(60)},
        {"S2", QByteArray(storedtext::kIdle) + ' ', storedtext::kNone},
    };
    const RefreshPassResult result = computeRefreshPass(rows, settings(), kNow);
    EXPECT_FALSE(result.rows[0].running);
    EXPECT_EQ(result.idleCount, "0");
    EXPECT_EQ(result.inUseCount, "2");
}

TEST(RefreshPassTest, StartInTheFutureCostsTheInitialFee)
{
    const RefreshPassResult result =
        computeRefreshPass({runningRow("S1", startedSecondsAgo(-120))}, settings(), kNow);
    EXPECT_TRUE(result.rows[0].running);
    EXPECT_EQ(result.rows[0].fee, "70");
}

TEST(RefreshPassTest, UnreadableStartTimeStillGivesTexts)
{
    // The seconds since year 100 do not fit 32 bits; they wrap, never trap.
    const RefreshPassResult result =
        computeRefreshPass({runningRow("S1", storedtext::kNone)}, settings(), kNow);
    EXPECT_TRUE(result.rows[0].running);
    EXPECT_FALSE(result.rows[0].duration.isEmpty());
    EXPECT_FALSE(result.rows[0].fee.isEmpty());
}

} // namespace
