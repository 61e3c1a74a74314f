#include "billing/start_timing.h"

#include "foundation/files.h"
#include "foundation/ini.h"
#include "foundation/stored_texts.h"
#include "tests/support/test_support.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kStartTime = "2025/07/04 09:05:03";

TEST(StartTimingTest, WritesStatusAndStartTimeAndNothingElse)
{
    TestStorage storage;
    storage.copySettingsFixture();
    const QByteArray item = gbk("大厅1号");
    const IniSnapshot before = IniSnapshot::fromContent(storage.settingsBytes());

    const Result result = recordStartTiming(storage.settingsPath(), item, kStartTime);

    ASSERT_TRUE(result.ok()) << result.message().toStdString();
    const IniSnapshot after = IniSnapshot::fromContent(storage.settingsBytes());
    EXPECT_EQ(after.value(item, storedtext::kStatusKey), storedtext::kInUse);
    EXPECT_EQ(after.value(item, storedtext::kStartTimeKey), kStartTime);
    const char *const tariffKeys[] = {storedtext::kInitialPeriodKey, storedtext::kInitialFeeKey,
                                      storedtext::kMinimumUnitKey, storedtext::kOvertimePriceKey};
    for (const char *key : tariffKeys)
        EXPECT_EQ(after.value(item, key), before.value(item, key)) << key;
    // The item running before stays as it was.
    const QByteArray running = "A01";
    EXPECT_EQ(after.value(running, storedtext::kStartTimeKey),
              before.value(running, storedtext::kStartTimeKey));
}

TEST(StartTimingTest, KeyLinesReplacedInPlace)
{
    TestStorage storage;
    storage.writeSettings(gbk("[S2]\r\n状态=空闲中\r\n开始时间=无\r\n"));
    ASSERT_TRUE(recordStartTiming(storage.settingsPath(), "S2", kStartTime).ok());
    EXPECT_EQ(storage.settingsBytes(),
              gbk("[S2]\r\n状态=使用中\r\n开始时间=2025/07/04 09:05:03\r\n"));
}

enum class Obstacle { SettingsPathIsAFolder, FolderMissing };

class StartTimingFailureTest : public testing::TestWithParam<Obstacle> {};

TEST_P(StartTimingFailureTest, ReportsTheFileAndLeavesNoRunningItem)
{
    TestStorage storage;
    QByteArray path = storage.settingsPath();
    if (GetParam() == Obstacle::SettingsPathIsAFolder)
        ASSERT_TRUE(QDir().mkpath(platformPath(path)));
    else
        path = storage.folder() + "missing" + kPathSeparator + "ROOMSETTING.ini";

    const Result result = recordStartTiming(path, "S2", kStartTime);

    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.message().contains(QStringLiteral("ROOMSETTING.ini")))
        << result.message().toStdString();
    EXPECT_NE(readIniValue(path, "S2", storedtext::kStatusKey), storedtext::kInUse);
}

INSTANTIATE_TEST_SUITE_P(Obstacles, StartTimingFailureTest,
                         testing::Values(Obstacle::SettingsPathIsAFolder, Obstacle::FolderMissing));

} // namespace
