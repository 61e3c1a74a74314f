#include "billing/bill.h"

#include "foundation/datetime.h"
#include "foundation/stored_texts.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kStart("2025/07/04 14:03:09");

StoredBillTexts defaultTariffTexts(const QByteArray &startTime = kStart)
{
    return StoredBillTexts{startTime, "240", "70", "30", "20"};
}

// The moment a number of seconds after the start time.
DateTime secondsAfterStart(std::int64_t seconds)
{
    return textToDateTime(kStart) + double(seconds) / 86400.0;
}

struct BillCase {
    const char *name;
    std::int64_t elapsedSeconds;
    const char *endTime;
    const char *usedDuration;
    const char *overtimeDuration;
    const char *overtimeFee;
    const char *totalFee;
};

void PrintTo(const BillCase &c, std::ostream *os) { *os << c.name; }

class DefaultTariffBillTest : public testing::TestWithParam<BillCase> {};

TEST_P(DefaultTariffBillTest, GivesAllElevenFields)
{
    const BillCase c = GetParam();
    const HistoryRecord bill =
            computeBill("A01", defaultTariffTexts(), secondsAfterStart(c.elapsedSeconds));

    HistoryRecord expected;
    expected.fields = {"A01",
                       kStart,
                       c.endTime,
                       gbk(c.usedDuration),
                       gbk("4 小时 0 分"),
                       gbk(c.overtimeDuration),
                       gbk("30 分钟"),
                       gbk("20 元 / 小时"),
                       gbk("70 元"),
                       gbk(c.overtimeFee),
                       gbk(c.totalFee)};
    EXPECT_EQ(bill, expected);
}

INSTANTIATE_TEST_SUITE_P(
        Table, DefaultTariffBillTest,
        testing::Values(
                BillCase{"within the period", 3600 + 600 + 5, "2025/07/04 15:13:14",
                         "1 时 10 分 5 秒", "未超时", "0 元", "￥70 元"},
                BillCase{"exactly the period", 4 * 3600, "2025/07/04 18:03:09", "4 时 0 分 0 秒",
                         "未超时", "0 元", "￥70 元"},
                BillCase{"one second over", 4 * 3600 + 1, "2025/07/04 18:03:10",
                         "4 时 0 分 1 秒", "0 时 0 分", "0 元", "￥70 元"},
                BillCase{"seconds over, no whole minute", 4 * 3600 + 30, "2025/07/04 18:03:39",
                         "4 时 0 分 30 秒", "0 时 0 分", "0 元", "￥70 元"},
                BillCase{"one minute over", 4 * 3600 + 60, "2025/07/04 18:04:09",
                         "4 时 1 分 0 秒", "0 时 1 分", "10 元", "￥80 元"},
                BillCase{"hours and minutes over", 5 * 3600 + 22 * 60 + 31, "2025/07/04 19:25:40",
                         "5 时 22 分 31 秒", "1 时 22 分", "30 元", "￥100 元"},
                BillCase{"days folded into hours", 86400 + 4 * 3600 + 59, "2025/07/05 18:04:08",
                         "28 时 0 分 59 秒", "24 时 0 分", "480 元", "￥550 元"},
                BillCase{"across the month end", 30 * 86400, "2025/08/03 14:03:09",
                         "720 时 0 分 0 秒", "716 时 0 分", "14320 元", "￥14390 元"},
                // A start time after the clock: a negative duration, and the
                // whole-second rounding of a negative difference.
                BillCase{"start in the future", -60, "2025/07/04 14:02:09", "0 时 0 分 -59 秒",
                         "未超时", "0 元", "￥70 元"}));

TEST(Bill, ShowsFractionalHoursForAPeriodThatIsNotWholeHours)
{
    StoredBillTexts stored = defaultTariffTexts();
    stored.initialPeriod = "90";
    const HistoryRecord bill = computeBill("A01", stored, secondsAfterStart(2 * 3600 + 10 * 60));
    EXPECT_EQ(bill.fields[HistoryRecord::InitialPeriod], gbk("1.5 小时 0 分"));
    EXPECT_EQ(bill.fields[HistoryRecord::OvertimeDuration], gbk("0.5 时 10 分"));
    // 40 minutes over: two started units of 30 minutes at 10 each.
    EXPECT_EQ(bill.fields[HistoryRecord::OvertimeFee], gbk("20 元"));
    EXPECT_EQ(bill.fields[HistoryRecord::TotalFee], gbk("￥90 元"));

    stored.initialPeriod = "100";
    EXPECT_EQ(computeBill("A01", stored, secondsAfterStart(0)).fields[HistoryRecord::InitialPeriod],
              gbk("1.666666666667 小时 0 分"));
}

TEST(Bill, ShowsStoredTextsAsStoredAndComputesWithTheirLeadingNumbers)
{
    const StoredBillTexts stored{kStart, "240", gbk("70元"), "30 min", gbk("２０")};
    const HistoryRecord bill = computeBill(gbk("大厅1号"), stored, secondsAfterStart(5 * 3600 + 60));
    EXPECT_EQ(bill.fields[HistoryRecord::ItemName], gbk("大厅1号"));
    EXPECT_EQ(bill.fields[HistoryRecord::MinimumUnit], gbk("30 min 分钟"));
    EXPECT_EQ(bill.fields[HistoryRecord::OvertimePrice], gbk("２０ 元 / 小时"));
    EXPECT_EQ(bill.fields[HistoryRecord::InitialFee], gbk("70元 元"));
    // 61 minutes over: one hour at 20, one started unit at 10.
    EXPECT_EQ(bill.fields[HistoryRecord::OvertimeFee], gbk("30 元"));
    EXPECT_EQ(bill.fields[HistoryRecord::TotalFee], gbk("￥100 元"));
}

TEST(Bill, FromTheSettingsFileGivesTheRecordOfTheHistoryFixture)
{
    TestStorage storage;
    storage.copySettingsFixture();
    const DateTime end = secondsAfterStart(5 * 3600 + 22 * 60 + 31);
    const HistoryRecord bill = computeBillFromSettings("A01", end);
    EXPECT_EQ(bill.toLine() + "\r\n", fixtureBytes("202507.WD.txt"));
}

TEST(Bill, TakesTheTariffFromTheSettingsAtTheTimeOfTheCall)
{
    TestStorage storage;
    storage.writeSettings(gbk("[R]\r\n开始时间=2025/07/04 14:03:09\r\n初始时段=0\r\n初始费用=5\r\n"
                              "最小单位=60\r\n超时单价=10\r\n"));
    const DateTime end = secondsAfterStart(3600);
    EXPECT_EQ(computeBillFromSettings("R", end).fields[HistoryRecord::TotalFee], gbk("￥15 元"));
    storage.writeSettings(gbk("[R]\r\n开始时间=2025/07/04 14:03:09\r\n初始时段=0\r\n初始费用=5\r\n"
                              "最小单位=60\r\n超时单价=12\r\n"));
    EXPECT_EQ(computeBillFromSettings("R", end).fields[HistoryRecord::TotalFee], gbk("￥17 元"));
}

TEST(Bill, TellsAnUnreadableStartTime)
{
    EXPECT_TRUE(hasReadableStartTime(defaultTariffTexts()));
    for (const QByteArray &startTime : {QByteArray(), gbk("无"), QByteArray("2025/02/29 10:00:00"),
                                        QByteArray("2025/07/04 14:03:09 ")}) {
        const StoredBillTexts stored = defaultTariffTexts(startTime);
        EXPECT_FALSE(hasReadableStartTime(stored)) << startTime.constData();
        // Still a bill of eleven texts, with every count wrapped, never
        // undefined behaviour.
        const HistoryRecord bill = computeBill("A01", stored, secondsAfterStart(0));
        EXPECT_EQ(bill.fields[HistoryRecord::StartTime], startTime);
        EXPECT_TRUE(bill.fields[HistoryRecord::TotalFee].startsWith(gbk("￥")));
    }
}

TEST(Bill, AMissingItemGivesEmptyStoredTexts)
{
    TestStorage storage;
    storage.copySettingsFixture();
    const StoredBillTexts stored =
            readStoredBillTexts(IniSnapshot::read(storage.settingsPath()), "nobody");
    EXPECT_TRUE(stored.startTime.isEmpty());
    EXPECT_TRUE(stored.initialPeriod.isEmpty());
    EXPECT_TRUE(stored.overtimePrice.isEmpty());
    EXPECT_FALSE(hasReadableStartTime(stored));
}

} // namespace
