#include "billing/fee.h"

#include "foundation/stored_texts.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FeeCase {
    const char *name;
    Tariff tariff;  // initial period, initial fee, minimum unit, overtime price
    std::int32_t elapsedMinutes;
    const char *overtimeFee;
    const char *totalFee;
};

void PrintTo(const FeeCase &c, std::ostream *os) { *os << c.name << ' ' << c.elapsedMinutes; }

class FeeRuleTest : public testing::TestWithParam<FeeCase> {};

TEST_P(FeeRuleTest, GivesTheOvertimeAndTheTotalInWholeYuan)
{
    const FeeCase c = GetParam();
    EXPECT_EQ(feeText(c.tariff, c.elapsedMinutes, kOvertimeFeeMode), QByteArray(c.overtimeFee));
    EXPECT_EQ(feeText(c.tariff, c.elapsedMinutes, kTotalFeeMode), QByteArray(c.totalFee));
    EXPECT_EQ(feeText(c.tariff, c.elapsedMinutes), QByteArray(c.totalFee));
    // Every mode but 1 gives the overtime fee.
    EXPECT_EQ(feeText(c.tariff, c.elapsedMinutes, 2), QByteArray(c.overtimeFee));
    EXPECT_EQ(feeText(c.tariff, c.elapsedMinutes, -1), QByteArray(c.overtimeFee));
}

constexpr Tariff kThirds{60, 50, 20, 25};      // unit price 25 / 3
constexpr Tariff kThirdsHigh{60, 50, 20, 70};  // unit price 70 / 3
constexpr Tariff kUnitZero{240, 70, 0, 20};

INSTANTIATE_TEST_SUITE_P(
        DefaultTariff, FeeRuleTest,
        testing::Values(FeeCase{"default", kDefaultTariff, 100, "0", "70"},
                        FeeCase{"default", kDefaultTariff, 240, "0", "70"},
                        FeeCase{"default", kDefaultTariff, 241, "10", "80"},
                        FeeCase{"default", kDefaultTariff, 270, "10", "80"},
                        FeeCase{"default", kDefaultTariff, 271, "20", "90"},
                        FeeCase{"default", kDefaultTariff, 299, "20", "90"},
                        FeeCase{"default", kDefaultTariff, 300, "20", "90"},
                        FeeCase{"default", kDefaultTariff, 301, "30", "100"},
                        FeeCase{"default", kDefaultTariff, 322, "30", "100"},
                        FeeCase{"default", kDefaultTariff, 361, "50", "120"},
                        FeeCase{"default", kDefaultTariff, 1679, "480", "550"},
                        FeeCase{"default", kDefaultTariff, 1680, "480", "550"},
                        FeeCase{"default", kDefaultTariff, 1681, "490", "560"},
                        FeeCase{"default", kDefaultTariff, 0, "0", "70"},
                        FeeCase{"default", kDefaultTariff, -5000, "0", "70"}));

INSTANTIATE_TEST_SUITE_P(
        FractionalUnitPrices, FeeRuleTest,
        testing::Values(FeeCase{"25/3", kThirds, 80, "8", "58"},
                        FeeCase{"25/3", kThirds, 100, "16", "66"},
                        FeeCase{"25/3", kThirds, 119, "25", "75"},
                        FeeCase{"25/3", kThirds, 120, "25", "75"},
                        FeeCase{"70/3", kThirdsHigh, 100, "46", "96"},
                        FeeCase{"70/3", kThirdsHigh, 101, "70", "120"},
                        // 51 leftover minutes in units of 50 are two units:
                        // more than the hour itself costs.
                        FeeCase{"unit 50", Tariff{0, 0, 50, 60}, 51, "100", "100"},
                        FeeCase{"unit 50", Tariff{0, 0, 50, 60}, 60, "60", "60"},
                        FeeCase{"unit above an hour", Tariff{0, 0, 90, 60}, 1, "90", "90"}));

INSTANTIATE_TEST_SUITE_P(
        UnusualTariffs, FeeRuleTest,
        testing::Values(FeeCase{"unit 0", kUnitZero, 250, "0", "70"},
                        FeeCase{"unit 0", kUnitZero, 300, "20", "90"},
                        FeeCase{"unit 0", kUnitZero, 1690, "480", "550"},
                        FeeCase{"all zero", Tariff{}, 1, "0", "0"},
                        FeeCase{"all zero", Tariff{}, 0, "0", "0"},
                        FeeCase{"all zero", Tariff{}, -1, "0", "0"},
                        FeeCase{"negative period", Tariff{-60, 10, 30, 20}, 0, "20", "30"},
                        FeeCase{"negative price", Tariff{0, 100, 30, -20}, 61, "-30", "70"},
                        FeeCase{"negative fee", Tariff{0, -5, 30, 20}, 0, "0", "-5"},
                        // The total leaves the 32-bit range as a real; the
                        // overtime fee, and overtime seconds, wrap around.
                        FeeCase{"large", Tariff{0, 2147483647, 60, 2147483647}, 60, "2147483647",
                                "4294967294"},
                        FeeCase{"large", Tariff{0, 0, 60, 2147483647}, 120, "-2", "-2"},
                        FeeCase{"largest minutes", kDefaultTariff,
                                std::numeric_limits<std::int32_t>::max(), "0", "70"}));

// Walks every minute of two days and more for tariffs an operator might type
// and checks what the lists and the bill rely on.
TEST(FeeRuleProperties, FeesAreWholeAndAddUpAndNeverFallWhenTheUnitDividesAnHour)
{
    const Tariff tariffs[] = {kDefaultTariff, kThirds,           kThirdsHigh,
                              kUnitZero,      Tariff{1, 3, 1, 7}, Tariff{120, 50, 15, 40},
                              Tariff{0, 0, 60, 33}, Tariff{30, 10, 7, 13}};
    for (const Tariff &tariff : tariffs) {
        const bool unitDividesHour = tariff.minimumUnit == 0 || 60 % tariff.minimumUnit == 0;
        double previousTotal = tariff.initialFee;
        for (std::int32_t minutes = 0; minutes <= 3000; ++minutes) {
            SCOPED_TRACE(testing::Message() << "tariff " << tariff.initialPeriod << '/'
                                            << tariff.initialFee << '/' << tariff.minimumUnit << '/'
                                            << tariff.overtimePrice << " minute " << minutes);
            const Fee fee = feeFor(tariff, minutes);
            ASSERT_EQ(fee.total, double(std::int64_t(fee.total)));
            ASSERT_EQ(fee.total, double(tariff.initialFee) + fee.overtime);
            ASSERT_EQ(feeText(tariff, minutes, kOvertimeFeeMode).toLongLong(), fee.overtime);
            ASSERT_EQ(feeText(tariff, minutes).toLongLong(), std::int64_t(fee.total));
            if (minutes <= tariff.initialPeriod)
                ASSERT_EQ(fee.overtime, 0);
            else
                ASSERT_GE(fee.overtime, 0);
            // Overtime costs at most the hourly price per started hour.
            const std::int32_t overtimeMinutes = std::max(0, minutes - tariff.initialPeriod);
            if (unitDividesHour) {
                ASSERT_GE(fee.total, previousTotal);
                ASSERT_LE(fee.overtime, (overtimeMinutes + 59) / 60 * tariff.overtimePrice);
            }
            previousTotal = fee.total;
        }
    }
}

TEST(ComputeFee, ReadsTheTariffOfTheItemFromTheSettings)
{
    TestStorage storage;
    storage.copySettingsFixture();
    const QByteArray a01("A01");
    const QByteArray deluxe = gbk("包间-豪华");  // 120 / 50 / 15 / 40
    const IniSnapshot settings = IniSnapshot::read(storage.settingsPath());

    EXPECT_EQ(computeFee(settings, 361, a01), "120");
    EXPECT_EQ(computeFee(settings, 361, a01, kOvertimeFeeMode), "50");
    // 121 minutes: one minute over, one started unit of 15 at 40 / 4.
    EXPECT_EQ(computeFee(settings, 121, deluxe), "60");
    EXPECT_EQ(computeFee(settings, 121, deluxe, kOvertimeFeeMode), "10");
    // Section names match without regard to ASCII case, as everywhere.
    EXPECT_EQ(computeFee(settings, 361, "a01"), "120");

    EXPECT_EQ(computeFee(361, a01), "120");
    EXPECT_EQ(computeFee(121, deluxe, kOvertimeFeeMode), "10");
}

TEST(ComputeFee, AMissingItemOrSettingsFileCostsNothing)
{
    TestStorage storage;
    for (const int minutes : {-10, 0, 1, 5000}) {
        EXPECT_EQ(computeFee(minutes, "A01"), "0");
        EXPECT_EQ(computeFee(minutes, "A01", kOvertimeFeeMode), "0");
    }
    storage.copySettingsFixture();
    EXPECT_EQ(computeFee(5000, "nobody"), "0");
    EXPECT_EQ(computeFee(IniSnapshot(), 5000, "A01"), "0");
}

TEST(ComputeFee, TakesTheLeadingNumberOfTariffTexts)
{
    TestStorage storage;
    storage.writeSettings(gbk("[R]\r\n初始时段=60分钟\r\n初始费用= 50 \r\n最小单位=abc\r\n"
                              "超时单价=２０元\r\n"));
    // Period 60, fee 50, unit 0, price 20: 2 hours 30 minutes over.
    EXPECT_EQ(computeFee(210, "R"), "90");
    EXPECT_EQ(computeFee(210, "R", kOvertimeFeeMode), "40");
    EXPECT_EQ(computeFee(60, "R"), "50");
}

TEST(ComputeFee, SeesAChangedTariffAtTheNextCall)
{
    TestStorage storage;
    storage.writeSettings(gbk("[R]\r\n初始时段=0\r\n初始费用=0\r\n最小单位=60\r\n超时单价=20\r\n"));
    EXPECT_EQ(computeFee(60, "R"), "20");
    storage.writeSettings(gbk("[R]\r\n初始时段=0\r\n初始费用=0\r\n最小单位=60\r\n超时单价=30\r\n"));
    EXPECT_EQ(computeFee(60, "R"), "30");
}

} // namespace
