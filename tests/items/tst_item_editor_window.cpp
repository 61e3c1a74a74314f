#include "items/item_editor_window.h"

#include "foundation/ini.h"
#include "foundation/item_store.h"
#include "foundation/storage_paths.h"
#include "foundation/stored_texts.h"
#include "tests/items/gui_test_helpers.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestItemEditorWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addModeOpensWithAnEmptyForm();
    void modifyModeShowsTheStoredTariffOfTheItem();
    void defaultsThenConfirmAddAnIdleItem();
    void anEmptyBoxKeepsTheWindowOpenWithoutAWord_data();
    void anEmptyBoxKeepsTheWindowOpenWithoutAWord();
    void tariffBoxesIgnoreTypedCharactersOtherThanDigitsAndMinus();
    void refusedInputIsExplainedAndWritesNothing_data();
    void refusedInputIsExplainedAndWritesNothing();
    void modifyRewritesTheTariffOfTheItem();
    void closingChangesNothingAndTheNextOpeningAdds();
    void aFailedWriteIsReportedAndTheWindowStaysOpen();

private:
    std::unique_ptr<ItemEditorWindow> openEditor(const QByteArray &target = {});
    QLineEdit *box(const char *name) const;
    QPushButton *button(const char *name) const;
    void typeForm(const QString &name, const QStringList &tariff);

    std::unique_ptr<TestStorage> m_storage;
    std::unique_ptr<ItemEditorWindow> m_editor;
};

std::unique_ptr<ItemEditorWindow> TestItemEditorWindow::openEditor(const QByteArray &target)
{
    targetItemName() = target;
    auto editor = std::make_unique<ItemEditorWindow>();
    editor->show();
    return editor;
}

QLineEdit *TestItemEditorWindow::box(const char *name) const
{
    return m_editor->findChild<QLineEdit *>(QString::fromLatin1(name));
}

QPushButton *TestItemEditorWindow::button(const char *name) const
{
    return m_editor->findChild<QPushButton *>(QString::fromLatin1(name));
}

void TestItemEditorWindow::typeForm(const QString &name, const QStringList &tariff)
{
    const char *boxes[] = {"initialPeriodEdit", "initialFeeEdit", "minimumUnitEdit", "overtimePriceEdit"};
    typeText(box("nameEdit"), name);
    for (int i = 0; i < 4; ++i)
        typeText(box(boxes[i]), tariff.value(i));
}

void TestItemEditorWindow::init()
{
    m_storage = std::make_unique<TestStorage>();
    m_storage->copySettingsFixture();
}

void TestItemEditorWindow::cleanup()
{
    m_editor.reset();
    m_storage.reset();
}

void TestItemEditorWindow::addModeOpensWithAnEmptyForm()
{
    m_editor = openEditor();

    QCOMPARE(m_editor->windowTitle(), QStringLiteral("添加项目"));
    QCOMPARE(button("confirmButton")->text(), QStringLiteral("添加项目"));
    QCOMPARE(button("defaultsButton")->text(), QStringLiteral("默认"));
    QVERIFY(box("nameEdit")->isEnabled());
    for (const char *name : {"nameEdit", "initialPeriodEdit", "initialFeeEdit", "minimumUnitEdit",
                             "overtimePriceEdit"})
        QVERIFY2(box(name)->text().isEmpty(), name);
}

void TestItemEditorWindow::modifyModeShowsTheStoredTariffOfTheItem()
{
    m_editor = openEditor(gbk("包间-豪华"));

    QCOMPARE(m_editor->windowTitle(), QStringLiteral("正在修改 【包间-豪华】"));
    QCOMPARE(button("confirmButton")->text(), QStringLiteral("确定修改"));
    QCOMPARE(box("nameEdit")->text(), QStringLiteral("包间-豪华"));
    QVERIFY(!box("nameEdit")->isEnabled());
    QCOMPARE(box("initialPeriodEdit")->text(), QStringLiteral("120"));
    QCOMPARE(box("initialFeeEdit")->text(), QStringLiteral("50"));
    QCOMPARE(box("minimumUnitEdit")->text(), QStringLiteral("15"));
    QCOMPARE(box("overtimePriceEdit")->text(), QStringLiteral("40"));
}

void TestItemEditorWindow::defaultsThenConfirmAddAnIdleItem()
{
    m_editor = openEditor();
    QSignalSpy changed(m_editor.get(), &ItemEditorWindow::itemStoreChanged);
    typeText(box("initialPeriodEdit"), QStringLiteral("999"));

    typeText(box("nameEdit"), QStringLiteral("雅座7"));
    QTest::mouseClick(button("defaultsButton"), Qt::LeftButton);
    QCOMPARE(box("initialPeriodEdit")->text(), QStringLiteral("240"));
    QCOMPARE(box("nameEdit")->text(), QStringLiteral("雅座7"));
    QTest::mouseClick(button("confirmButton"), Qt::LeftButton);

    QCOMPARE(changed.count(), 1);
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(m_editor->result(), int(QDialog::Accepted));
    QVERIFY(targetItemName().isEmpty());
    QVERIFY(m_storage->settingsBytes().endsWith(gbk("[雅座7]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n"
                                                    "超时单价=20\r\n状态=空闲中\r\n开始时间=无\r\n")));
}

void TestItemEditorWindow::anEmptyBoxKeepsTheWindowOpenWithoutAWord_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("tariff");
    QTest::newRow("no name") << QString() << QStringList{QStringLiteral("240"), QStringLiteral("70"), QStringLiteral("30"), QStringLiteral("20")};
    QTest::newRow("no initial period") << QStringLiteral("N1") << QStringList{QStringLiteral(""), QStringLiteral("70"), QStringLiteral("30"), QStringLiteral("20")};
    QTest::newRow("no initial fee") << QStringLiteral("N1") << QStringList{QStringLiteral("240"), QStringLiteral(""), QStringLiteral("30"), QStringLiteral("20")};
    QTest::newRow("no minimum unit") << QStringLiteral("N1") << QStringList{QStringLiteral("240"), QStringLiteral("70"), QStringLiteral(""), QStringLiteral("20")};
    QTest::newRow("no overtime price") << QStringLiteral("N1") << QStringList{QStringLiteral("240"), QStringLiteral("70"), QStringLiteral("30"), QStringLiteral("")};
}

void TestItemEditorWindow::anEmptyBoxKeepsTheWindowOpenWithoutAWord()
{
    QFETCH(QString, name);
    QFETCH(QStringList, tariff);
    const QByteArray before = m_storage->settingsBytes();
    m_editor = openEditor();
    QSignalSpy changed(m_editor.get(), &ItemEditorWindow::itemStoreChanged);
    MessageBoxCatcher messages;

    typeForm(name, tariff);
    QTest::mouseClick(button("confirmButton"), Qt::LeftButton);
    QTest::qWait(20);

    QVERIFY(m_editor->isVisible());
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_storage->settingsBytes(), before);
    QCOMPARE(box("nameEdit")->text(), name);
}

void TestItemEditorWindow::tariffBoxesIgnoreTypedCharactersOtherThanDigitsAndMinus()
{
    m_editor = openEditor();

    typeText(box("initialPeriodEdit"), QStringLiteral("2a4 0.元"));
    typeText(box("initialFeeEdit"), QStringLiteral("-7-0"));
    typeText(box("nameEdit"), QStringLiteral("A b.1"));

    QCOMPARE(box("initialPeriodEdit")->text(), QStringLiteral("240"));
    QCOMPARE(box("initialFeeEdit")->text(), QStringLiteral("-7-0"));
    QCOMPARE(box("nameEdit")->text(), QStringLiteral("A b.1"));
    QTest::keyClick(box("initialPeriodEdit"), Qt::Key_Backspace);
    QCOMPARE(box("initialPeriodEdit")->text(), QStringLiteral("24"));
}

void TestItemEditorWindow::refusedInputIsExplainedAndWritesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("tariff");
    QTest::addColumn<QString>("explained");
    const QStringList defaults{QStringLiteral("240"), QStringLiteral("70"), QStringLiteral("30"), QStringLiteral("20")};
    // Adding over a running item would silently reset it to idle.
    QTest::newRow("running item") << QStringLiteral("A01") << defaults << QStringLiteral("A01");
    QTest::newRow("idle item, other case") << QStringLiteral("a01") << defaults << QStringLiteral("a01");
    QTest::newRow("separator") << QStringLiteral("B@2") << defaults << QStringLiteral("“@”");
    QTest::newRow("bracket") << QStringLiteral("B]2") << defaults << QStringLiteral("“]”");
    QTest::newRow("blanks only") << QStringLiteral("   ") << defaults << QStringLiteral("空格");
    QTest::newRow("trailing blank") << QStringLiteral("B2 ") << defaults << QStringLiteral("空格");
    QTest::newRow("not GBK") << QStringLiteral("B\u0E012") << defaults << QStringLiteral("“\u0E01”");
    QTest::newRow("minus inside") << QStringLiteral("B2") << QStringList{QStringLiteral("240"), QStringLiteral("70"), QStringLiteral("3-0"), QStringLiteral("20")}
                                  << QStringLiteral("最小单位");
    QTest::newRow("minus alone") << QStringLiteral("B2") << QStringList{QStringLiteral("-"), QStringLiteral("70"), QStringLiteral("30"), QStringLiteral("20")}
                                 << QStringLiteral("初始时段");
    QTest::newRow("beyond 32 bits") << QStringLiteral("B2")
                                    << QStringList{QStringLiteral("240"), QStringLiteral("70"), QStringLiteral("30"), QStringLiteral("4294967316")}
                                    << QStringLiteral("超时单价");
}

void TestItemEditorWindow::refusedInputIsExplainedAndWritesNothing()
{
    QFETCH(QString, name);
    QFETCH(QStringList, tariff);
    QFETCH(QString, explained);
    const QByteArray before = m_storage->settingsBytes();
    m_editor = openEditor();
    QSignalSpy changed(m_editor.get(), &ItemEditorWindow::itemStoreChanged);
    MessageBoxCatcher messages;

    typeForm(name, tariff);
    QTest::mouseClick(button("confirmButton"), Qt::LeftButton);

    QCOMPARE(messages.texts().size(), 1);
    QVERIFY2(messages.texts().first().contains(explained), qPrintable(messages.texts().first()));
    QVERIFY(m_editor->isVisible());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_storage->settingsBytes(), before);
}

void TestItemEditorWindow::modifyRewritesTheTariffOfTheItem()
{
    m_editor = openEditor(gbk("包间-豪华"));
    QSignalSpy changed(m_editor.get(), &ItemEditorWindow::itemStoreChanged);

    box("overtimePriceEdit")->clear();
    typeText(box("overtimePriceEdit"), QStringLiteral("45"));
    QTest::mouseClick(button("confirmButton"), Qt::LeftButton);

    QCOMPARE(changed.count(), 1);
    QVERIFY(!m_editor->isVisible());
    const QByteArray expected = fixtureBytes("ROOMSETTING.ini").replace(gbk("超时单价=40"), gbk("超时单价=45"));
    QCOMPARE(m_storage->settingsBytes(), expected);
    QVERIFY(targetItemName().isEmpty());
}

void TestItemEditorWindow::closingChangesNothingAndTheNextOpeningAdds()
{
    const QByteArray before = m_storage->settingsBytes();
    m_editor = openEditor(gbk("大厅1号"));
    typeText(box("initialFeeEdit"), QStringLiteral("5"));

    QVERIFY(m_editor->close());

    QCOMPARE(m_storage->settingsBytes(), before);
    QVERIFY(targetItemName().isEmpty());
    m_editor = openEditor(targetItemName());
    QCOMPARE(m_editor->windowTitle(), QStringLiteral("添加项目"));
    QVERIFY(box("nameEdit")->isEnabled());
}

void TestItemEditorWindow::aFailedWriteIsReportedAndTheWindowStaysOpen()
{
    // A folder in the settings file's place: no rewrite can replace it.
    QFile::remove(QString::fromUtf8(m_storage->settingsPath()));
    QVERIFY(QDir().mkpath(QString::fromUtf8(m_storage->settingsPath())));
    m_editor = openEditor();
    QSignalSpy changed(m_editor.get(), &ItemEditorWindow::itemStoreChanged);
    MessageBoxCatcher messages;

    typeForm(QStringLiteral("B2"), {QStringLiteral("240"), QStringLiteral("70"), QStringLiteral("30"), QStringLiteral("20")});
    QTest::mouseClick(button("confirmButton"), Qt::LeftButton);

    QCOMPARE(messages.texts().size(), 1);
    QVERIFY2(messages.texts().first().contains(QStringLiteral("ROOMSETTING.ini")), qPrintable(messages.texts().first()));
    QVERIFY(m_editor->isVisible());
    QCOMPARE(box("nameEdit")->text(), QStringLiteral("B2"));
}

QTEST_MAIN(TestItemEditorWindow)
#include "tst_item_editor_window.moc"
