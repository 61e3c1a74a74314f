#include "history/history_window.h"

#include "foundation/storage_paths.h"
#include "history/history_table_model.h"
#include "tests/support/test_support.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

QByteArray historyFolder()
{
    return directoryOfPath(storagePaths().historyFilePath);
}

void writeMonth(const char *fileName, const QByteArray &bytes)
{
    writeFileBytes(historyFolder() + fileName, bytes);
}

const char kExampleLine[] = "A01@2025/07/04 14:03:09@2025/07/04 19:25:40@5 时 22 分 31 秒@4 小时 0 分@"
                            "1 时 22 分@30 分钟@20 元 / 小时@70 元@30 元@￥100 元\r\n";

} // namespace

class TestHistoryWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsTheMonthFilesOldestFirstWithNothingChosen();
    void choosingAMonthShowsItsRecordsByTheReadingRules();
    void comingBackToAMonthReadsItAgain();
    void aMonthFileThatIsGoneShowsNoRecords();
    void anEmptyHistoryFolderGivesAnEmptyList();

private:
    void openHistory();
    void choose(const QString &entry);
    QListWidget *monthList() const { return m_window->findChild<QListWidget *>(QStringLiteral("monthList")); }
    QAbstractItemModel *table() const
    {
        return m_window->findChild<QTableView *>(QStringLiteral("recordTable"))->model();
    }
    QString countText() const { return m_window->findChild<QLabel *>(QStringLiteral("countLabel"))->text(); }
    QStringList rowTexts(int row) const;

    std::unique_ptr<TestStorage> m_storage;
    std::unique_ptr<HistoryWindow> m_window;
};

void TestHistoryWindow::init()
{
    m_storage = std::make_unique<TestStorage>();
}

void TestHistoryWindow::cleanup()
{
    m_window.reset();
    m_storage.reset();
}

void TestHistoryWindow::openHistory()
{
    m_window = std::make_unique<HistoryWindow>();
    new QAbstractItemModelTester(table(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_window.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestHistoryWindow::choose(const QString &entry)
{
    const QList<QListWidgetItem *> found = monthList()->findItems(entry, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    const QRect place = monthList()->visualItemRect(found.first());
    QTest::mouseClick(monthList()->viewport(), Qt::LeftButton, {}, place.center());
    QCOMPARE(monthList()->currentItem(), found.first());
}

QStringList TestHistoryWindow::rowTexts(int row) const
{
    QStringList texts;
    for (int column = 0; column < table()->columnCount(); ++column)
        texts.append(table()->index(row, column).data().toString());
    return texts;
}

void TestHistoryWindow::listsTheMonthFilesOldestFirstWithNothingChosen()
{
    writeMonth("202507.WD.txt", gbk(kExampleLine));
    writeMonth("202412.WD.txt", {});
    writeMonth("202501.WD.txt", {});
    writeMonth("notes.txt", "not a month\r\n");
    QVERIFY(QDir().mkpath(QString::fromUtf8(historyFolder() + "202502.WD.txt")));

    openHistory();

    QStringList entries;
    for (int i = 0; i < monthList()->count(); ++i)
        entries.append(monthList()->item(i)->text());
    QCOMPARE(entries, (QStringList{QStringLiteral("202412.WD"), QStringLiteral("202501.WD"),
                                   QStringLiteral("202507.WD")}));
    QVERIFY(monthList()->selectedItems().isEmpty());
    QCOMPARE(table()->rowCount(), 0);
    QCOMPARE(countText(), QStringLiteral("共 0 条记录"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("历史记录"));
    QCOMPARE(table()->columnCount(), 11);
    QCOMPARE(table()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("名称"));
    QCOMPARE(table()->headerData(10, Qt::Horizontal).toString(), QStringLiteral("总费用"));
}

void TestHistoryWindow::choosingAMonthShowsItsRecordsByTheReadingRules()
{
    QByteArray bytes = gbk(kExampleLine);
    bytes += "\r\n";                                                    // a blank line
    bytes += gbk("B@2@3@4@5@6@7@8@9@10@11\r\n").replace("B@", gbk("包@间@")); // twelve fields
    bytes += gbk("C3@2025/07/05 09:00:00@\r\n");                        // empty last field dropped
    bytes += gbk("D4@@x\r\n");                                          // empty field in between
    static const char zeroInside[] = "E5@1\r\n\0F6@1\r\n";                 // the text ends at the zero byte
    bytes += QByteArray(zeroInside, sizeof zeroInside - 1);
    writeMonth("202507.WD.txt", bytes);
    openHistory();

    choose(QStringLiteral("202507.WD"));

    QTRY_COMPARE(countText(), QStringLiteral("共 6 条记录"));
    QCOMPARE(table()->rowCount(), 6);
    QCOMPARE(rowTexts(0), (QStringList{QStringLiteral("A01"), QStringLiteral("2025/07/04 14:03:09"),
                                       QStringLiteral("2025/07/04 19:25:40"), QStringLiteral("5 时 22 分 31 秒"),
                                       QStringLiteral("4 小时 0 分"), QStringLiteral("1 时 22 分"),
                                       QStringLiteral("30 分钟"), QStringLiteral("20 元 / 小时"),
                                       QStringLiteral("70 元"), QStringLiteral("30 元"), QStringLiteral("￥100 元")}));
    QCOMPARE(rowTexts(1), QStringList(11, QString()));
    QCOMPARE(rowTexts(2), (QStringList{QStringLiteral("包"), QStringLiteral("间"), QStringLiteral("2"),
                                       QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                                       QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"),
                                       QStringLiteral("9"), QStringLiteral("10")}));
    QStringList third(11, QString());
    third[0] = QStringLiteral("C3");
    third[1] = QStringLiteral("2025/07/05 09:00:00");
    QCOMPARE(rowTexts(3), third);
    QStringList fourth(11, QString());
    fourth[0] = QStringLiteral("D4");
    fourth[2] = QStringLiteral("x");
    QCOMPARE(rowTexts(4), fourth);
    QCOMPARE(rowTexts(5).first(), QStringLiteral("E5"));
}

void TestHistoryWindow::comingBackToAMonthReadsItAgain()
{
    writeMonth("202506.WD.txt", gbk(kExampleLine));
    writeMonth("202507.WD.txt", gbk(kExampleLine));
    openHistory();
    choose(QStringLiteral("202507.WD"));
    QTRY_COMPARE(countText(), QStringLiteral("共 1 条记录"));

    writeMonth("202507.WD.txt", gbk(kExampleLine) + gbk(kExampleLine).replace("A01", "B02"));
    choose(QStringLiteral("202506.WD"));
    choose(QStringLiteral("202507.WD"));

    QTRY_COMPARE(countText(), QStringLiteral("共 2 条记录"));
    QCOMPARE(table()->index(1, 0).data().toString(), QStringLiteral("B02"));
}

void TestHistoryWindow::aMonthFileThatIsGoneShowsNoRecords()
{
    writeMonth("202506.WD.txt", gbk(kExampleLine));
    writeMonth("202507.WD.txt", gbk(kExampleLine));
    openHistory();
    choose(QStringLiteral("202507.WD"));
    QTRY_COMPARE(countText(), QStringLiteral("共 1 条记录"));
    choose(QStringLiteral("202506.WD"));
    QVERIFY(QFile::remove(QString::fromUtf8(historyFolder() + "202507.WD.txt")));

    choose(QStringLiteral("202507.WD"));

    QTRY_COMPARE(countText(), QStringLiteral("共 0 条记录"));
    QCOMPARE(table()->rowCount(), 0);
}

void TestHistoryWindow::anEmptyHistoryFolderGivesAnEmptyList()
{
    QVERIFY(QDir(QString::fromUtf8(historyFolder())).removeRecursively());

    openHistory();

    QCOMPARE(monthList()->count(), 0);
    QCOMPARE(countText(), QStringLiteral("共 0 条记录"));
}

QTEST_MAIN(TestHistoryWindow)
#include "tst_history_window.moc"
