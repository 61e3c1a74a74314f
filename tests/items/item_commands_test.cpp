#include "items/item_commands.h"

#include "billing/bill.h"
#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/ini.h"
#include "foundation/item_store.h"
#include "foundation/stored_texts.h"
#include "history/history_file.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

const TariffTexts kDefaults{"240", "70", "30", "20"};

QByteArray value(const QByteArray &path, const char *section, const char *key)
{
    return IniSnapshot::read(path).value(gbk(section), key);
}

struct NameCase {
    const char *name;     // UTF-8
    const char *refused;  // UTF-8 text the message must contain; nullptr when accepted
};

void PrintTo(const NameCase &c, std::ostream *os) { *os << '"' << c.name << '"'; }

class ItemNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(ItemNameTest, RefusesWhatTheFilesCannotHoldNamingTheCharacter)
{
    const NameCase c = GetParam();
    const Result checked = checkItemName(QString::fromUtf8(c.name));
    if (!c.refused) {
        EXPECT_TRUE(checked.ok()) << checked.message().toStdString();
        return;
    }
    EXPECT_FALSE(checked.ok());
    EXPECT_TRUE(checked.message().contains(QString::fromUtf8(c.refused)))
            << checked.message().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
        Names, ItemNameTest,
        testing::Values(NameCase{"A01", nullptr}, NameCase{"大厅1号", nullptr},
                        NameCase{"包间-豪华", nullptr}, NameCase{"VIP 2", nullptr},
                        NameCase{"€1", nullptr},  // the euro sign is GBK 0x80
                        NameCase{"", "名称"}, NameCase{" A01", "空格"}, NameCase{"A01 ", "空格"},
                        NameCase{"A01\u3000", "空格"},  // ideographic blank
                        NameCase{"A[1", "“[”"}, NameCase{"A]1", "“]”"}, NameCase{"A|1", "“|”"},
                        NameCase{"A@1", "“@”"}, NameCase{"A=1", "“=”"},
                        NameCase{"A\n1", "换行符"}, NameCase{"A\r\n1", "换行符"},
                        NameCase{"A\t1", "U+0009"}, NameCase{"A\u0E01", "“\u0E01”"},  // Thai
                        NameCase{"房\U0001F600", "“\U0001F600”"}));

struct TariffCase {
    TariffTexts tariff;
    const char *refusedKey;  // UTF-8 key named in the message; nullptr when accepted
};

void PrintTo(const TariffCase &c, std::ostream *os)
{
    *os << c.tariff.initialPeriod.constData() << '/' << c.tariff.initialFee.constData() << '/'
        << c.tariff.minimumUnit.constData() << '/' << c.tariff.overtimePrice.constData();
}

class TariffTextTest : public testing::TestWithParam<TariffCase> {};

TEST_P(TariffTextTest, AcceptsOnlyWholeNumbersWithin32Bits)
{
    const TariffCase c = GetParam();
    const Result checked = checkTariffTexts(c.tariff);
    if (!c.refusedKey) {
        EXPECT_TRUE(checked.ok()) << checked.message().toStdString();
        return;
    }
    EXPECT_FALSE(checked.ok());
    EXPECT_TRUE(checked.message().contains(QString::fromUtf8(c.refusedKey)))
            << checked.message().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
        Tariffs, TariffTextTest,
        testing::Values(TariffCase{{"240", "70", "30", "20"}, nullptr},
                        TariffCase{{"0", "0", "0", "0"}, nullptr},
                        TariffCase{{"-5", "007", "1", "2147483647"}, nullptr},
                        TariffCase{{"-2147483648", "1", "1", "1"}, nullptr},
                        TariffCase{{"2147483648", "1", "1", "1"}, "初始时段"},
                        TariffCase{{"1", "-2147483649", "1", "1"}, "初始费用"},
                        TariffCase{{"1", "1", "-", "1"}, "最小单位"},
                        TariffCase{{"1", "1", "1", "1-2"}, "超时单价"},
                        TariffCase{{"12a", "1", "1", "1"}, "初始时段"},
                        TariffCase{{" 12", "1", "1", "1"}, "初始时段"},
                        TariffCase{{"+12", "1", "1", "1"}, "初始时段"},
                        TariffCase{{"1", "", "1", "1"}, "初始费用"},
                        TariffCase{{"1", "1", "1", "1.5"}, "超时单价"}));

class ItemCommandsTest : public testing::Test {
protected:
    TestStorage storage;
    QByteArray settings = storage.settingsPath();
};

TEST_F(ItemCommandsTest, AddingTheFixtureItemsKeyByKeyGivesTheFixtureBytes)
{
    ASSERT_TRUE(addItem(settings, QStringLiteral("A01"), kDefaults).ok());
    ASSERT_TRUE(addItem(settings, QStringLiteral("大厅1号"), kDefaults).ok());
    ASSERT_TRUE(addItem(settings, QStringLiteral("包间-豪华"), {"120", "50", "15", "40"}).ok());
    ASSERT_TRUE(writeIniValue(settings, "A01", storedtext::kStatusKey, storedtext::kInUse).ok());
    ASSERT_TRUE(writeIniValue(settings, "A01", storedtext::kStartTimeKey, "2025/07/04 14:03:09").ok());

    EXPECT_EQ(storage.settingsBytes(), fixtureBytes("ROOMSETTING.ini"));
}

TEST_F(ItemCommandsTest, AddingRefusesAnExistingNameWhateverItsAsciiCase)
{
    storage.copySettingsFixture();
    const QByteArray before = storage.settingsBytes();

    for (const char *name : {"A01", "a01", "大厅1号"}) {
        const Result added = addItem(settings, QString::fromUtf8(name), kDefaults);
        EXPECT_FALSE(added.ok()) << name;
        EXPECT_TRUE(added.message().contains(QString::fromUtf8(name))) << added.message().toStdString();
    }
    // The running item keeps its start time.
    EXPECT_EQ(storage.settingsBytes(), before);
}

TEST_F(ItemCommandsTest, RefusedItemsWriteNothing)
{
    storage.copySettingsFixture();
    const QByteArray before = storage.settingsBytes();

    EXPECT_FALSE(addItem(settings, QStringLiteral("B@1"), kDefaults).ok());
    EXPECT_FALSE(addItem(settings, QStringLiteral("B1"), {"240", "7o", "30", "20"}).ok());
    EXPECT_FALSE(modifyItem(settings, gbk("大厅1号"), {"240", "70", "3-0", "20"}).ok());
    EXPECT_EQ(storage.settingsBytes(), before);
}

TEST_F(ItemCommandsTest, ModifyingRewritesTheTariffInPlaceAndLeavesTheItemIdle)
{
    storage.copySettingsFixture();
    const QByteArray before = storage.settingsBytes();

    ASSERT_TRUE(modifyItem(settings, gbk("包间-豪华"), {"90", "60", "10", "30"}).ok());

    const QByteArray after = storage.settingsBytes();
    const QByteArray expected = QByteArray(before).replace(gbk("=120\r\n"), "=90\r\n")
                                        .replace(gbk("=50\r\n"), "=60\r\n")
                                        .replace(gbk("=15\r\n"), "=10\r\n")
                                        .replace(gbk("=40\r\n"), "=30\r\n");
    EXPECT_EQ(after, expected);
}

TEST_F(ItemCommandsTest, IdleItemsAreThoseWhoseStatusIsExactlyIdleInFileOrder)
{
    storage.writeSettings(gbk("[X1]\r\n状态=空闲中\r\n"
                              "[R1]\r\n状态=使用中\r\n"
                              "[Q1]\r\n状态=空闲\r\n"
                              "[N1]\r\n初始时段=240\r\n"
                              "[B2]\r\n状态=空闲中\r\n"
                              "[A3]\r\n状态=空闲中\r\n"));

    EXPECT_EQ(listIdleItems(settings), (QList<QByteArray>{"X1", "B2", "A3"}));
}

TEST_F(ItemCommandsTest, SwitchMovesTheUseAndExchangesTheTariffs)
{
    storage.copySettingsFixture();
    const QByteArray hall = gbk("大厅1号");
    const QByteArray room = gbk("包间-豪华");
    const QByteArray hallBefore = IniSnapshot::read(settings).value(hall, storedtext::kStartTimeKey);

    ASSERT_TRUE(switchItem(settings, "A01", room).ok());

    const IniSnapshot after = IniSnapshot::read(settings);
    const auto keys = {storedtext::kInitialPeriodKey, storedtext::kInitialFeeKey,
                       storedtext::kMinimumUnitKey, storedtext::kOvertimePriceKey,
                       storedtext::kStatusKey, storedtext::kStartTimeKey};
    const QList<QByteArray> roomValues{"240", "70", "30", "20", storedtext::kInUse, "2025/07/04 14:03:09"};
    const QList<QByteArray> sourceValues{"120", "50", "15", "40", storedtext::kIdle, storedtext::kNone};
    int i = 0;
    for (const char *key : keys) {
        EXPECT_EQ(after.value(room, key), roomValues[i]) << gbkToUnicode(key).toStdString();
        EXPECT_EQ(after.value("A01", key), sourceValues[i]) << gbkToUnicode(key).toStdString();
        ++i;
    }
    EXPECT_EQ(after.value(hall, storedtext::kStartTimeKey), hallBefore);
    EXPECT_EQ(listSectionNames(settings), (QList<QByteArray>{"A01", hall, room}));

    // The new item bills the whole use at the tariff the use began with.
    const DateTime start = textToDateTime("2025/07/04 14:03:09");
    const HistoryRecord bill = computeBillFromSettings(room, start + 19351 / 86400.0);
    EXPECT_EQ(bill.fields[HistoryRecord::StartTime], QByteArray("2025/07/04 14:03:09"));
    EXPECT_EQ(bill.fields[HistoryRecord::TotalFee], gbk("￥100 元"));
}

TEST_F(ItemCommandsTest, NamesWhoseTrailBytesLookLikeSeparatorsComeBackWhole)
{
    // Trail bytes "@", "[", "]", "\\" and "|": each character is one unit.
    const QStringList names{QStringLiteral("籃球1"), QStringLiteral("縖2"), QStringLiteral("篯3"),
                            QStringLiteral("籠4"), QStringLiteral("縷5")};
    for (const QString &name : names)
        ASSERT_TRUE(addItem(settings, name, kDefaults).ok()) << name.toStdString();

    QList<QByteArray> expected;
    for (const QString &name : names)
        expected.append(unicodeToGbk(name));
    EXPECT_EQ(listIdleItems(settings), expected);
    EXPECT_FALSE(addItem(settings, QStringLiteral("篯3"), kDefaults).ok());
}

TEST_F(ItemCommandsTest, WritesThatFailAreReportedWithTheFileAndTheItem)
{
    // A folder where the settings file should be: no rewrite can replace it.
    const QByteArray blocked = storage.folder() + "blocked.ini";
    ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(blocked)));

    for (const Result &failed : {addItem(blocked, QStringLiteral("B1"), kDefaults),
                                 modifyItem(blocked, "B1", kDefaults),
                                 returnItemToIdle(blocked, "B1"),
                                 switchItem(blocked, "A01", "B1")}) {
        EXPECT_FALSE(failed.ok());
        EXPECT_TRUE(failed.message().contains(QStringLiteral("B1"))) << failed.message().toStdString();
        EXPECT_TRUE(failed.message().contains(QStringLiteral("blocked.ini")))
                << failed.message().toStdString();
    }
}

HistoryRecord exampleRecord()
{
    HistoryRecord record;
    const char *fields[] = {"A01", "2025/07/04 14:03:09", "2025/07/04 19:25:40", "5 时 22 分 31 秒",
                            "4 小时 0 分", "1 时 22 分", "30 分钟", "20 元 / 小时", "70 元", "30 元",
                            "￥100 元"};
    for (int i = 0; i < HistoryRecord::FieldCount; ++i)
        record.fields[i] = gbk(fields[i]);
    return record;
}

TEST_F(ItemCommandsTest, CheckoutStoresTheRecordThenPutsTheItemBackToIdle)
{
    storage.copySettingsFixture();

    const CheckoutOutcome outcome = checkOutItem(settings, storage.historyPath(), "A01", exampleRecord());

    EXPECT_EQ(outcome.step, CheckoutStep::Done);
    EXPECT_TRUE(outcome.message.isEmpty());
    EXPECT_EQ(readFileBytes(storage.historyPath()), fixtureBytes("202507.WD.txt"));
    EXPECT_EQ(value(settings, "A01", storedtext::kStatusKey), QByteArray(storedtext::kIdle));
    EXPECT_EQ(value(settings, "A01", storedtext::kStartTimeKey), QByteArray(storedtext::kNone));
}

TEST_F(ItemCommandsTest, CheckoutWhoseRecordCannotBeStoredLeavesTheItemRunning)
{
    storage.copySettingsFixture();
    const QByteArray before = storage.settingsBytes();
    const QByteArray blockedHistory = storage.folder() + "History/blocked.WD.txt";
    ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(blockedHistory)));

    const CheckoutOutcome outcome = checkOutItem(settings, blockedHistory, "A01", exampleRecord());

    EXPECT_EQ(outcome.step, CheckoutStep::RecordNotStored);
    EXPECT_TRUE(outcome.message.contains(QStringLiteral("blocked.WD.txt"))) << outcome.message.toStdString();
    EXPECT_EQ(storage.settingsBytes(), before);
}

TEST_F(ItemCommandsTest, CheckoutSaysSoWhenTheRecordIsStoredButTheItemStaysRunning)
{
    const QByteArray blocked = storage.folder() + "blocked.ini";
    ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(blocked)));

    const CheckoutOutcome outcome = checkOutItem(blocked, storage.historyPath(), "A01", exampleRecord());

    EXPECT_EQ(outcome.step, CheckoutStep::RecordStoredItemBusy);
    EXPECT_TRUE(outcome.message.contains(QStringLiteral("不要再次结账"))) << outcome.message.toStdString();
    EXPECT_EQ(readFileBytes(storage.historyPath()), fixtureBytes("202507.WD.txt"));
}

} // namespace
