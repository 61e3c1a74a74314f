#include "foundation/numbers.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(IntToText, WritesPlainDecimalDigits)
{
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(-5), "-5");
    EXPECT_EQ(intToText(70), "70");
    EXPECT_EQ(intToText(2147483647), "2147483647");
    EXPECT_EQ(intToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

struct RealTextCase {
    double value;
    const char *expected;
};

class RealToTextTest : public testing::TestWithParam<RealTextCase> {};

TEST_P(RealToTextTest, WritesGeneralFormatWithThirteenDigits)
{
    EXPECT_EQ(realToText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RealToTextTest, testing::Values(
    RealTextCase{70.0, "70"},
    RealTextCase{4.0, "4"},
    RealTextCase{-3.0, "-3"},
    RealTextCase{0.0, "0"},
    RealTextCase{-0.0, "0"},
    RealTextCase{2.5, "2.5"},
    RealTextCase{90.0 / 60, "1.5"},
    RealTextCase{20.0 / 60, "0.3333333333333"},
    RealTextCase{1.0 / 3.0, "0.3333333333333"},
    RealTextCase{100.0 / 60, "1.666666666667"},
    RealTextCase{-100.0 / 60, "-1.666666666667"},
    RealTextCase{9999999999999.0, "9999999999999"},
    RealTextCase{-9999999999999.0, "-9999999999999"},
    RealTextCase{1e13, "1e+013"},
    RealTextCase{123456789012345.0, "1.234567890123e+014"},
    RealTextCase{0.0001, "0.0001"},
    RealTextCase{0.00001, "1e-005"},
    RealTextCase{-0.000025, "-2.5e-005"},
    RealTextCase{1.5e300, "1.5e+300"},
    RealTextCase{1e-100, "1e-100"}));

TEST(RealToText, IgnoresTheNumericLocale)
{
    const char *german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (german == nullptr)
        german = std::setlocale(LC_NUMERIC, "de_DE");
    if (german == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const QByteArray text = realToText(2.5);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "2.5");
}

struct TextIntCase {
    QByteArray text;
    std::int32_t expected;
};

class TextToIntTest : public testing::TestWithParam<TextIntCase> {};

TEST_P(TextToIntTest, ReadsLeadingNumber)
{
    EXPECT_EQ(textToInt(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, TextToIntTest, testing::Values(
    TextIntCase{"12.9", 12},
    TextIntCase{"3.99", 3},
    TextIntCase{gbk("30元"), 30},
    TextIntCase{"", 0},
    TextIntCase{"abc", 0},
    TextIntCase{" -7", -7},
    TextIntCase{"  42", 42},
    TextIntCase{"\t\n\v\f\r 9", 9},
    TextIntCase{"-0", 0},
    TextIntCase{"+5", 5},
    TextIntCase{"- 5", 0},
    TextIntCase{"--5", 0},
    TextIntCase{"1 2", 1},
    TextIntCase{"007", 7},
    TextIntCase{gbk("１２０"), 120},
    TextIntCase{gbk("７"), 7},
    TextIntCase{gbk("－７"), -7},
    TextIntCase{gbk("　４２"), 42},
    TextIntCase{gbk("中1"), 0},
    TextIntCase{"2147483647", 2147483647},
    TextIntCase{"2147483648", std::numeric_limits<std::int32_t>::min()},
    TextIntCase{"-2147483648", std::numeric_limits<std::int32_t>::min()},
    TextIntCase{"4294967295", -1},
    TextIntCase{"4294967296", 0},
    TextIntCase{"4294967297", 1},
    TextIntCase{"99999999999999999999", 1661992959},
    TextIntCase{"-99999999999999999999", -1661992959},
    TextIntCase{"5\x81", 5},
    TextIntCase{"\x81", 0}));

struct RealIntCase {
    double value;
    std::int32_t expected;
};

class RealToIntTest : public testing::TestWithParam<RealIntCase> {};

TEST_P(RealToIntTest, TruncatesAndKeepsLow32Bits)
{
    EXPECT_EQ(realToInt(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RealToIntTest, testing::Values(
    RealIntCase{2.9, 2},
    RealIntCase{-2.9, -2},
    RealIntCase{-0.5, 0},
    RealIntCase{0.0, 0},
    RealIntCase{kInfinity, 0},
    RealIntCase{-kInfinity, 0},
    RealIntCase{kNaN, 0},
    RealIntCase{1e300 / 0.0, 0},
    RealIntCase{2147483647.9, 2147483647},
    RealIntCase{2147483648.0, std::numeric_limits<std::int32_t>::min()},
    RealIntCase{-2147483648.5, std::numeric_limits<std::int32_t>::min()},
    RealIntCase{-2147483649.0, 2147483647},
    RealIntCase{4294967296.0, 0},
    RealIntCase{4294967297.9, 1},
    RealIntCase{-4294967297.0, -1},
    RealIntCase{9007199254740991.0, -1},
    RealIntCase{-9007199254740991.0, 1},
    RealIntCase{1e19, -1981284352},
    RealIntCase{-1e19, 1981284352},
    RealIntCase{1e300, 0},
    RealIntCase{std::numeric_limits<double>::max(), 0}));

struct FloorCase {
    double value;
    std::int32_t expected;
};

class FloorToIntTest : public testing::TestWithParam<FloorCase> {};

TEST_P(FloorToIntTest, FloorsWithNearWholeTolerance)
{
    EXPECT_EQ(floorToInt(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FloorToIntTest, testing::Values(
    FloorCase{2.999999, 2},
    FloorCase{2.9999999999995, 3},
    FloorCase{6.999999, 6},
    FloorCase{-2.5, -3},
    FloorCase{-2.9999999999995, -3},
    FloorCase{-0.9999999999995, -1},
    FloorCase{-0.5, -1},
    FloorCase{3.0, 3},
    FloorCase{-3.0, -3},
    FloorCase{0.999999999999, 0},
    FloorCase{0.9999999999995, 1},
    FloorCase{kInfinity, 0},
    FloorCase{-kInfinity, 0},
    FloorCase{kNaN, 0},
    FloorCase{4294967296.5, 0}));

TEST(IntegerDivide, CutsFractionTowardZero)
{
    EXPECT_EQ(integerDivide(7, 2), 3.0);
    EXPECT_EQ(integerDivide(-7, 2), -3.0);
    EXPECT_EQ(integerDivide(7, -2), -3.0);
    EXPECT_EQ(integerDivide(3909, 60), 65.0);
    EXPECT_EQ(integerDivide(1, 3), 0.0);
}

TEST(RealModulo, KeepsSignOfDividend)
{
    EXPECT_EQ(realModulo(90061, 86400), 3661.0);
    EXPECT_EQ(realModulo(-90, 60), -30.0);
    EXPECT_EQ(realModulo(90, -60), 30.0);
    EXPECT_EQ(realModulo(5.5, 2), 1.5);
    EXPECT_EQ(realModulo(120, 60), 0.0);
}

TEST(RealComparisons, UseTolerance)
{
    EXPECT_TRUE(realEquals(0.1 + 0.2, 0.3));
    EXPECT_TRUE(realEquals(0, 1e-7));
    EXPECT_FALSE(realEquals(0, 1.1e-7));
    EXPECT_FALSE(realGreater(1e-7, 0));
    EXPECT_TRUE(realGreater(1.1e-7, 0));
    EXPECT_FALSE(realGreater(0, 1.1e-7));
    EXPECT_TRUE(realIsZero(-1e-7));
    EXPECT_FALSE(realIsZero(1.5e-7));
    EXPECT_FALSE(realEquals(kNaN, kNaN));
}

} // namespace
