#include "billing/checkout_window.h"

#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/ini.h"
#include "foundation/storage_paths.h"
#include "foundation/stored_texts.h"
#include "tests/items/gui_test_helpers.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// 2025/07/04 14:03:09, the start time of A01 in the fixture.
constexpr DateTime kStart = 45842.0 + (14 * 3600 + 3 * 60 + 9) / 86400.0;

DateTime afterStart(int seconds)
{
    return kStart + seconds / 86400.0;
}

} // namespace

class TestCheckoutWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheBillOfTheItem_data();
    void showsTheBillOfTheItem();
    void aFractionalInitialPeriodShowsFractionalHours();
    void confirmingRecordsTheBillAndPutsTheItemBackToIdle();
    void closingWritesNothing();
    void aRecordThatCannotBeStoredLeavesTheItemRunning();
    void aStoredRecordWithTheItemStillRunningIsSaidPlainly();
    void anUnreadableStartTimeGivesNoBill_data();
    void anUnreadableStartTimeGivesNoBill();

private:
    void openCheckout(const char *item, DateTime now);
    QStringList shownValues() const;
    QPushButton *confirmButton() const
    {
        return m_window->findChild<QPushButton *>(QStringLiteral("confirmButton"));
    }

    std::unique_ptr<TestStorage> m_storage;
    std::unique_ptr<CheckoutWindow> m_window;
};

void TestCheckoutWindow::init()
{
    m_storage = std::make_unique<TestStorage>();
    m_storage->copySettingsFixture();
}

void TestCheckoutWindow::cleanup()
{
    m_window.reset();
    m_storage.reset();
    setFixedCurrentDateTime(std::nullopt);
}

void TestCheckoutWindow::openCheckout(const char *item, DateTime now)
{
    setFixedCurrentDateTime(now);
    selectedItemName() = gbk(item);
    m_window = std::make_unique<CheckoutWindow>(nullptr);
    m_window->show();
}

QStringList TestCheckoutWindow::shownValues() const
{
    QStringList values;
    for (int field = 0; field < HistoryRecord::FieldCount; ++field)
        values.append(m_window->findChild<QLabel *>(QStringLiteral("value%1").arg(field))->text());
    return values;
}

void TestCheckoutWindow::showsTheBillOfTheItem_data()
{
    QTest::addColumn<int>("elapsedSeconds");
    QTest::addColumn<QString>("endTime");
    QTest::addColumn<QString>("used");
    QTest::addColumn<QString>("overtime");
    QTest::addColumn<QString>("overtimeFee");
    QTest::addColumn<QString>("total");
    QTest::newRow("1 h 10 min 5 s") << 4205 << QStringLiteral("2025/07/04 15:13:14")
                                    << QStringLiteral("1 时 10 分 5 秒") << QStringLiteral("未超时")
                                    << QStringLiteral("0 元") << QStringLiteral("￥70 元");
    QTest::newRow("exactly 4 h") << 14400 << QStringLiteral("2025/07/04 18:03:09")
                                 << QStringLiteral("4 时 0 分 0 秒") << QStringLiteral("未超时")
                                 << QStringLiteral("0 元") << QStringLiteral("￥70 元");
    QTest::newRow("4 h 0 min 30 s") << 14430 << QStringLiteral("2025/07/04 18:03:39")
                                    << QStringLiteral("4 时 0 分 30 秒") << QStringLiteral("0 时 0 分")
                                    << QStringLiteral("0 元") << QStringLiteral("￥70 元");
    QTest::newRow("4 h 1 min") << 14460 << QStringLiteral("2025/07/04 18:04:09")
                               << QStringLiteral("4 时 1 分 0 秒") << QStringLiteral("0 时 1 分")
                               << QStringLiteral("10 元") << QStringLiteral("￥80 元");
    QTest::newRow("5 h 22 min 31 s") << 19351 << QStringLiteral("2025/07/04 19:25:40")
                                     << QStringLiteral("5 时 22 分 31 秒") << QStringLiteral("1 时 22 分")
                                     << QStringLiteral("30 元") << QStringLiteral("￥100 元");
    QTest::newRow("1 day 4 h 0 min 59 s") << 100859 << QStringLiteral("2025/07/05 18:04:08")
                                          << QStringLiteral("28 时 0 分 59 秒") << QStringLiteral("24 时 0 分")
                                          << QStringLiteral("480 元") << QStringLiteral("￥550 元");
}

void TestCheckoutWindow::showsTheBillOfTheItem()
{
    QFETCH(int, elapsedSeconds);
    QFETCH(QString, endTime);
    QFETCH(QString, used);
    QFETCH(QString, overtime);
    QFETCH(QString, overtimeFee);
    QFETCH(QString, total);

    openCheckout("A01", afterStart(elapsedSeconds));

    QCOMPARE(m_window->windowTitle(), QStringLiteral("结账统计"));
    const QStringList expected{QStringLiteral("A01"), QStringLiteral("2025/07/04 14:03:09"), endTime, used,
                               QStringLiteral("4 小时 0 分"), overtime, QStringLiteral("30 分钟"),
                               QStringLiteral("20 元 / 小时"), QStringLiteral("70 元"), overtimeFee, total};
    QCOMPARE(shownValues(), expected);
}

void TestCheckoutWindow::aFractionalInitialPeriodShowsFractionalHours()
{
    m_storage->writeSettings(gbk("[B1]\r\n初始时段=90\r\n初始费用=50元\r\n最小单位=15\r\n超时单价=40\r\n"
                                 "状态=使用中\r\n开始时间=2025/07/04 14:03:09\r\n"));

    openCheckout("B1", afterStart(2 * 3600 + 10 * 60));

    const QStringList values = shownValues();
    QCOMPARE(values[HistoryRecord::InitialPeriod], QStringLiteral("1.5 小时 0 分"));
    QCOMPARE(values[HistoryRecord::OvertimeDuration], QStringLiteral("0.5 时 10 分"));
    // The stored text is shown as it is; the fee uses its leading number.
    QCOMPARE(values[HistoryRecord::InitialFee], QStringLiteral("50元 元"));
}

void TestCheckoutWindow::confirmingRecordsTheBillAndPutsTheItemBackToIdle()
{
    openCheckout("A01", afterStart(19351));
    QSignalSpy checkedOut(m_window.get(), &CheckoutWindow::checkedOut);
    // However long the window stays open, the record holds what was shown.
    setFixedCurrentDateTime(afterStart(19351 + 600));

    QTest::mouseClick(confirmButton(), Qt::LeftButton);

    QCOMPARE(checkedOut.count(), 1);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(readFileBytes(m_storage->historyPath()), fixtureBytes("202507.WD.txt"));
    const IniSnapshot settings = IniSnapshot::read(m_storage->settingsPath());
    QCOMPARE(settings.value("A01", storedtext::kStatusKey), QByteArray(storedtext::kIdle));
    QCOMPARE(settings.value("A01", storedtext::kStartTimeKey), QByteArray(storedtext::kNone));
}

void TestCheckoutWindow::closingWritesNothing()
{
    const QByteArray before = m_storage->settingsBytes();
    openCheckout("A01", afterStart(19351));

    QVERIFY(m_window->close());

    QCOMPARE(m_storage->settingsBytes(), before);
    QVERIFY(!QFile::exists(QString::fromUtf8(m_storage->historyPath())));
}

void TestCheckoutWindow::aRecordThatCannotBeStoredLeavesTheItemRunning()
{
    const QByteArray before = m_storage->settingsBytes();
    // A folder in the month file's place: no line can be appended to it.
    QVERIFY(QDir().mkpath(QString::fromUtf8(m_storage->historyPath())));
    openCheckout("A01", afterStart(19351));
    QSignalSpy checkedOut(m_window.get(), &CheckoutWindow::checkedOut);
    QSignalSpy changed(m_window.get(), &CheckoutWindow::itemStoreChanged);
    MessageBoxCatcher messages;

    QTest::mouseClick(confirmButton(), Qt::LeftButton);

    QCOMPARE(messages.texts().size(), 1);
    QVERIFY2(messages.texts().first().contains(QStringLiteral("202507.WD.txt")), qPrintable(messages.texts().first()));
    QVERIFY(m_window->isVisible());
    QCOMPARE(checkedOut.count(), 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_storage->settingsBytes(), before);
}

void TestCheckoutWindow::aStoredRecordWithTheItemStillRunningIsSaidPlainly()
{
    openCheckout("A01", afterStart(19351));
    QSignalSpy checkedOut(m_window.get(), &CheckoutWindow::checkedOut);
    QSignalSpy changed(m_window.get(), &CheckoutWindow::itemStoreChanged);
    // The settings file turns into a folder after the bill was made.
    QVERIFY(QFile::remove(QString::fromUtf8(m_storage->settingsPath())));
    QVERIFY(QDir().mkpath(QString::fromUtf8(m_storage->settingsPath())));
    MessageBoxCatcher messages;

    QTest::mouseClick(confirmButton(), Qt::LeftButton);

    QCOMPARE(messages.texts().size(), 1);
    QVERIFY2(messages.texts().first().contains(QStringLiteral("不要再次结账")), qPrintable(messages.texts().first()));
    QCOMPARE(readFileBytes(m_storage->historyPath()), fixtureBytes("202507.WD.txt"));
    QCOMPARE(checkedOut.count(), 0);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!m_window->isVisible());
}

void TestCheckoutWindow::anUnreadableStartTimeGivesNoBill_data()
{
    QTest::addColumn<QString>("startTime");
    QTest::newRow("none") << QStringLiteral("无");
    QTest::newRow("hand-edited") << QStringLiteral("昨天下午");
    QTest::newRow("empty") << QString();
}

void TestCheckoutWindow::anUnreadableStartTimeGivesNoBill()
{
    QFETCH(QString, startTime);
    m_storage->writeSettings(gbk("[C1]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"
                                 "状态=使用中\r\n开始时间=") + unicodeToGbk(startTime) + "\r\n");
    const QByteArray before = m_storage->settingsBytes();
    openCheckout("C1", afterStart(19351));
    QSignalSpy checkedOut(m_window.get(), &CheckoutWindow::checkedOut);
    MessageBoxCatcher messages;

    QStringList expected(HistoryRecord::FieldCount, QString());
    expected[HistoryRecord::ItemName] = QStringLiteral("C1");
    expected[HistoryRecord::StartTime] = startTime;
    QCOMPARE(shownValues(), expected);
    QTest::mouseClick(confirmButton(), Qt::LeftButton);

    QCOMPARE(messages.texts().size(), 1);
    QVERIFY2(messages.texts().first().contains(QStringLiteral("开始时间")), qPrintable(messages.texts().first()));
    QVERIFY(m_window->isVisible());
    QCOMPARE(checkedOut.count(), 0);
    QCOMPARE(m_storage->settingsBytes(), before);
    QVERIFY(!QFile::exists(QString::fromUtf8(m_storage->historyPath())));
}

QTEST_MAIN(TestCheckoutWindow)
#include "tst_checkout_window.moc"
