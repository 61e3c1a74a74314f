#include "billing/refresh_pass.h"
#include "foundation/datetime.h"
#include "foundation/datetime_format.h"
#include "foundation/ini.h"
#include "foundation/stored_texts.h"
#include "mainwindow/item_list_model.h"
#include "tests/support/test_support.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

const DateTime kNow = *dateTimeFromFields({2025, 7, 4, 16, 4, 5});

ItemListModel::RowTexts row(const char *id, const char *name, const char *status,
                            const QByteArray &start)
{
    return {id, name, status, start, storedtext::kNone, storedtext::kNone, "30", "20"};
}

// A running item "A" at row 0 and an idle "B" at row 1; the order swapped
// when swapped is set.
QList<ItemListModel::RowTexts> rows(bool swapped = false)
{
    const auto a = row("1", "A", storedtext::kInUse, "2025/07/04 15:04:05");
    const auto b = row("2", "B", storedtext::kIdle, storedtext::kNone);
    return swapped ? QList<ItemListModel::RowTexts>{b, a} : QList<ItemListModel::RowTexts>{a, b};
}

const IniSnapshot kSettings = IniSnapshot::fromContent(
    gbk("[A]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"
        "[B]\r\n初始时段=60\r\n初始费用=10\r\n最小单位=15\r\n超时单价=8\r\n"));

} // namespace

class TestItemListModel : public QObject {
    Q_OBJECT

private slots:
    void staysConsistentThroughEveryChange();
    void cellChangesAnnounceOnlyThatCell();
    void refreshWritesRunningRowsOnly();
    void reloadBetweenTakeAndApplyDropsTheResult();
    void outsideTheRowsNothingHappens();
};

void TestItemListModel::staysConsistentThroughEveryChange()
{
    ItemListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.reload(rows());
    model.setCellText(0, ItemListModel::Duration, "x");
    RefreshRows taken = model.refreshRows();
    QVERIFY(model.applyRefresh(taken.generation, computeRefreshPass(taken.rows, kSettings, kNow)));
    model.reload({});
    model.reload(rows(true));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), int(ItemListModel::ColumnCount));
}

void TestItemListModel::cellChangesAnnounceOnlyThatCell()
{
    ItemListModel model;
    model.reload(rows());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setCellText(1, ItemListModel::Fee, "12");
    model.setCellText(1, ItemListModel::Fee, "12");  // unchanged: silent
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), model.index(1, ItemListModel::Fee));
    QCOMPARE(changed[0][1].toModelIndex(), model.index(1, ItemListModel::Fee));
    QCOMPARE(reset.size(), 0);
}

void TestItemListModel::refreshWritesRunningRowsOnly()
{
    ItemListModel model;
    model.reload(rows());
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    const RefreshRows taken = model.refreshRows();
    QCOMPARE(taken.rows.size(), 2);
    QCOMPARE(taken.rows[0].name, QByteArray("A"));
    QCOMPARE(taken.rows[0].startTime, QByteArray("2025/07/04 15:04:05"));
    QVERIFY(model.applyRefresh(taken.generation, computeRefreshPass(taken.rows, kSettings, kNow)));
    QCOMPARE(model.cellText(0, ItemListModel::Duration), gbk("1 时 0 分"));
    QCOMPARE(model.cellText(0, ItemListModel::Fee), QByteArray("70"));
    QCOMPARE(model.cellText(1, ItemListModel::Duration), QByteArray(storedtext::kNone));
    QCOMPARE(model.data(model.index(0, ItemListModel::Duration)).toString(), QString::fromUtf8("1 时 0 分"));
    QCOMPARE(reset.size(), 0);
}

void TestItemListModel::reloadBetweenTakeAndApplyDropsTheResult()
{
    ItemListModel model;
    model.reload(rows());
    const RefreshRows taken = model.refreshRows();
    // The rows change places while the pass computes: A's fee must not land
    // on B, which now stands in row 0.
    model.reload(rows(true));
    QVERIFY(!model.applyRefresh(taken.generation, computeRefreshPass(taken.rows, kSettings, kNow)));
    for (int r = 0; r < 2; ++r) {
        QCOMPARE(model.cellText(r, ItemListModel::Duration), QByteArray(storedtext::kNone));
        QCOMPARE(model.cellText(r, ItemListModel::Fee), QByteArray(storedtext::kNone));
    }
    // The next pass works on the settled rows.
    const RefreshRows next = model.refreshRows();
    QVERIFY(model.applyRefresh(next.generation, computeRefreshPass(next.rows, kSettings, kNow)));
    QCOMPARE(model.cellText(1, ItemListModel::Fee), QByteArray("70"));
    QCOMPARE(model.cellText(0, ItemListModel::Fee), QByteArray(storedtext::kNone));
}

void TestItemListModel::outsideTheRowsNothingHappens()
{
    ItemListModel model;
    model.reload(rows());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setCellText(2, ItemListModel::Fee, "1");
    model.setCellText(-1, ItemListModel::Fee, "1");
    QCOMPARE(changed.size(), 0);
    QCOMPARE(model.cellText(2, ItemListModel::Name), QByteArray());
    QCOMPARE(model.cellText(-1, ItemListModel::Name), QByteArray());
}

QTEST_MAIN(TestItemListModel)
#include "tst_item_list_model.moc"
