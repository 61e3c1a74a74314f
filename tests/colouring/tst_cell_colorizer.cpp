#include "colouring/cell_colorizer.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <optional>

namespace {

QColor pixelInCell(QTableView &view, int row, int column)
{
    // Neither selected nor current: the cell shows its own colours only.
    view.selectionModel()->clear();
    const QImage image = view.viewport()->grab().toImage();
    const QRect cell = view.visualRect(view.model()->index(row, column));
    return image.pixelColor(cell.left() + 2, cell.top() + 2);
}

} // namespace

class TestCellColorizer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void storesOneEntryPerCell();
    void removingOneCellLeavesItsRowAndColumn();
    void entriesSurviveRowsComingAndGoing();
    void drawsStoredColoursOnlyWhenAttached();
    void attachForgetsAndDestroyGivesTheListBack();
    void destroyAfterTheListIsGone();

private:
    QStandardItemModel *m_model = nullptr;
    QTableView *m_view = nullptr;
};

void TestCellColorizer::init()
{
    m_view = new QTableView;
    m_model = new QStandardItemModel(3, 3, m_view);
    m_view->setModel(m_model);
    m_view->resize(400, 200);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

void TestCellColorizer::cleanup()
{
    delete m_view;
}

void TestCellColorizer::storesOneEntryPerCell()
{
    CellColorizer colours;
    colours.setWindows(m_view, m_view);
    colours.attach();
    QCOMPARE(colours.cellColors(0, 2), std::nullopt);
    colours.setCellColors(0, 2, kBlack, kWhite);
    colours.setCellColors(0, 2, kBlack, kInUseGreen);
    QCOMPARE(colours.cellColors(0, 2), std::optional(CellColors{kBlack, kInUseGreen}));
    colours.removeCellColors(0, 2);
    QCOMPARE(colours.cellColors(0, 2), std::nullopt);
    colours.removeCellColors(0, 2);  // nothing there: nothing happens
}

void TestCellColorizer::removingOneCellLeavesItsRowAndColumn()
{
    CellColorizer colours;
    colours.setWindows(m_view, m_view);
    colours.attach();
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            colours.setCellColors(row, column, ColorRef(row), ColorRef(column));
    }
    colours.removeCellColors(1, 1);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const auto expected = row == 1 && column == 1
                                      ? std::nullopt
                                      : std::optional(CellColors{ColorRef(row), ColorRef(column)});
            QCOMPARE(colours.cellColors(row, column), expected);
        }
    }
}

void TestCellColorizer::entriesSurviveRowsComingAndGoing()
{
    CellColorizer colours;
    colours.setWindows(m_view, m_view);
    colours.attach();
    colours.setCellColors(2, 1, kBlack, kInUseGreen);
    m_model->setRowCount(1);
    QCOMPARE(colours.cellColors(2, 1), std::optional(CellColors{kBlack, kInUseGreen}));
    m_model->setRowCount(3);
    m_view->clearSelection();
    QCOMPARE(pixelInCell(*m_view, 2, 1), QColor(179, 225, 157));
}

void TestCellColorizer::drawsStoredColoursOnlyWhenAttached()
{
    m_view->clearSelection();
    const QColor own = pixelInCell(*m_view, 0, 0);
    CellColorizer colours;
    colours.setWindows(m_view, m_view);
    colours.setCellColors(0, 0, kBlack, kInUseGreen);
    QCOMPARE(pixelInCell(*m_view, 0, 0), own);
    colours.attach();
    colours.setCellColors(0, 0, kBlack, kInUseGreen);
    colours.setCellColors(0, 1, kBlack, 0x0000ff);  // red in the low byte
    QCOMPARE(pixelInCell(*m_view, 0, 0), QColor(179, 225, 157));
    QCOMPARE(pixelInCell(*m_view, 0, 1), QColor(255, 0, 0));
    QCOMPARE(pixelInCell(*m_view, 1, 0), own);
}

void TestCellColorizer::attachForgetsAndDestroyGivesTheListBack()
{
    m_view->clearSelection();
    const QColor own = pixelInCell(*m_view, 0, 0);
    QAbstractItemDelegate *ownDelegate = m_view->itemDelegate();
    CellColorizer colours;
    colours.setWindows(m_view, m_view);
    colours.attach();
    colours.setCellColors(0, 0, kBlack, kInUseGreen);
    colours.attach();
    QCOMPARE(colours.cellColors(0, 0), std::nullopt);
    colours.setCellColors(0, 0, kBlack, kInUseGreen);
    colours.destroy();
    QCOMPARE(m_view->itemDelegate(), ownDelegate);
    QCOMPARE(colours.cellColors(0, 0), std::nullopt);
    QCOMPARE(pixelInCell(*m_view, 0, 0), own);
    colours.destroy();
}

void TestCellColorizer::destroyAfterTheListIsGone()
{
    CellColorizer colours;
    colours.setWindows(m_view, m_view);
    colours.attach();
    colours.setCellColors(0, 0, kBlack, kInUseGreen);
    delete m_view;
    m_view = nullptr;
    colours.setCellColors(1, 0, kBlack, kInUseGreen);
    colours.destroy();
}

QTEST_MAIN(TestCellColorizer)
#include "tst_cell_colorizer.moc"
