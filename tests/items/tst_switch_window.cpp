#include "items/switch_window.h"

#include "foundation/ini.h"
#include "foundation/storage_paths.h"
#include "foundation/stored_texts.h"
#include "tests/items/gui_test_helpers.h"
#include "tests/support/test_support.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestSwitchWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void offersTheIdleItemsInFileOrderWithNothingChosen();
    void theButtonWaitsForAChoice();
    void switchMovesTheUseAndExchangesTheTariffs();
    void closingChangesNothingAndClearsTheTarget();
    void withoutIdleItemsNothingCanBeChosen();
    void aFailedWriteIsReported();

private:
    void openSwitch(const QByteArray &source);
    QComboBox *combo() const { return m_window->findChild<QComboBox *>(QStringLiteral("targetCombo")); }
    QPushButton *confirmButton() const
    {
        return m_window->findChild<QPushButton *>(QStringLiteral("confirmButton"));
    }
    void chooseWithKeyboard(const QString &entry);

    std::unique_ptr<TestStorage> m_storage;
    std::unique_ptr<SwitchWindow> m_window;
};

// A01 runs; 大厅1号 and 包间-豪华 are idle, in that order; then a running item, an
// item with a look-alike status and one more idle item.
const char kSettings[] =
        "[A01]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=使用中\r\n开始时间=2025/07/04 14:03:09\r\n"
        "[大厅1号]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=空闲中\r\n开始时间=无\r\n"
        "[包间-豪华]\r\n初始时段=120\r\n初始费用=50\r\n最小单位=15\r\n超时单价=40\r\n状态=空闲中\r\n开始时间=无\r\n"
        "[R2]\r\n状态=使用中\r\n开始时间=2025/07/04 10:00:00\r\n"
        "[Q3]\r\n状态=空闲\r\n"
        "[B4]\r\n状态=空闲中\r\n";

void TestSwitchWindow::init()
{
    m_storage = std::make_unique<TestStorage>();
    m_storage->writeSettings(gbk(kSettings));
}

void TestSwitchWindow::cleanup()
{
    m_window.reset();
    m_storage.reset();
    targetItemName().clear();
}

void TestSwitchWindow::openSwitch(const QByteArray &source)
{
    targetItemName() = source;
    m_window = std::make_unique<SwitchWindow>(nullptr);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestSwitchWindow::chooseWithKeyboard(const QString &entry)
{
    combo()->setFocus();
    while (combo()->currentText() != entry) {
        const int before = combo()->currentIndex();
        QTest::keyClick(combo(), Qt::Key_Down);
        QVERIFY2(combo()->currentIndex() != before, qPrintable(entry));
    }
}

void TestSwitchWindow::offersTheIdleItemsInFileOrderWithNothingChosen()
{
    openSwitch("A01");

    QStringList entries;
    for (int i = 0; i < combo()->count(); ++i)
        entries.append(combo()->itemText(i));
    QCOMPARE(entries, (QStringList{QStringLiteral("大厅1号"), QStringLiteral("包间-豪华"), QStringLiteral("B4")}));
    QCOMPARE(combo()->currentIndex(), -1);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("切换项目"));
    QCOMPARE(confirmButton()->text(), QStringLiteral("确认切换"));
}

void TestSwitchWindow::theButtonWaitsForAChoice()
{
    const QByteArray before = m_storage->settingsBytes();
    openSwitch("A01");

    QVERIFY(!confirmButton()->isEnabled());
    QTest::mouseClick(confirmButton(), Qt::LeftButton);
    QCOMPARE(m_storage->settingsBytes(), before);
    QVERIFY(m_window->isVisible());

    chooseWithKeyboard(QStringLiteral("大厅1号"));
    QVERIFY(confirmButton()->isEnabled());
}

void TestSwitchWindow::switchMovesTheUseAndExchangesTheTariffs()
{
    openSwitch("A01");
    QSignalSpy changed(m_window.get(), &SwitchWindow::itemStoreChanged);

    chooseWithKeyboard(QStringLiteral("包间-豪华"));
    QTest::mouseClick(confirmButton(), Qt::LeftButton);

    QCOMPARE(changed.count(), 1);
    QVERIFY(!m_window->isVisible());
    QVERIFY(targetItemName().isEmpty());
    // Every value changes in place; nothing else in the file moves.
    const QByteArray expected = gbk(
            "[A01]\r\n初始时段=120\r\n初始费用=50\r\n最小单位=15\r\n超时单价=40\r\n状态=空闲中\r\n开始时间=无\r\n"
            "[大厅1号]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=空闲中\r\n开始时间=无\r\n"
            "[包间-豪华]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=使用中\r\n开始时间=2025/07/04 14:03:09\r\n"
            "[R2]\r\n状态=使用中\r\n开始时间=2025/07/04 10:00:00\r\n"
            "[Q3]\r\n状态=空闲\r\n"
            "[B4]\r\n状态=空闲中\r\n");
    QCOMPARE(m_storage->settingsBytes(), expected);
}

void TestSwitchWindow::closingChangesNothingAndClearsTheTarget()
{
    const QByteArray before = m_storage->settingsBytes();
    openSwitch("A01");
    chooseWithKeyboard(QStringLiteral("B4"));

    QVERIFY(m_window->close());

    QCOMPARE(m_storage->settingsBytes(), before);
    QVERIFY(targetItemName().isEmpty());
}

void TestSwitchWindow::withoutIdleItemsNothingCanBeChosen()
{
    m_storage->writeSettings(gbk("[A01]\r\n状态=使用中\r\n[R2]\r\n状态=使用中\r\n"));
    openSwitch("A01");

    QCOMPARE(combo()->count(), 0);
    QTest::keyClick(combo(), Qt::Key_Down);
    QVERIFY(!confirmButton()->isEnabled());
}

void TestSwitchWindow::aFailedWriteIsReported()
{
    openSwitch("A01");
    QSignalSpy changed(m_window.get(), &SwitchWindow::itemStoreChanged);
    chooseWithKeyboard(QStringLiteral("B4"));
    // The file turns into a folder behind the window's back: no rewrite can
    // replace it.
    QVERIFY(QFile::remove(QString::fromUtf8(m_storage->settingsPath())));
    QVERIFY(QDir().mkpath(QString::fromUtf8(m_storage->settingsPath())));
    MessageBoxCatcher messages;

    QTest::mouseClick(confirmButton(), Qt::LeftButton);

    QCOMPARE(messages.texts().size(), 1);
    const QString text = messages.texts().first();
    QVERIFY2(text.contains(QStringLiteral("A01")) && text.contains(QStringLiteral("B4"))
                     && text.contains(QStringLiteral("ROOMSETTING.ini")),
             qPrintable(text));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!m_window->isVisible());
    QVERIFY(targetItemName().isEmpty());
}

QTEST_MAIN(TestSwitchWindow)
#include "tst_switch_window.moc"
