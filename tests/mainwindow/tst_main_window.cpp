#include "colouring/cell_colorizer.h"
#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/datetime_format.h"
#include "foundation/files.h"
#include "foundation/item_store.h"
#include "foundation/ini.h"
#include "foundation/storage_paths.h"
#include "foundation/stored_texts.h"
#include "mainwindow/item_list_model.h"
#include "mainwindow/main_window.h"
#include "mainwindow/ui_fonts.h"
#include "tests/support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

namespace {

// 2025/07/04 15:04:05, the start of the running item of the examples.
const DateTime kS1Start = *dateTimeFromFields({2025, 7, 4, 15, 4, 5});

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// One item section as the item editor writes it.
QByteArray section(const char *name, const char *status, const char *startTime,
                   const char *unit = "30", const char *price = "20")
{
    QByteArray text = gbk("[") + gbk(name) + "]\r\n";
    text += gbk("初始时段=240\r\n初始费用=70\r\n");
    text += gbk("最小单位=") + unit + "\r\n" + gbk("超时单价=") + price + "\r\n";
    if (status)
        text += gbk("状态=") + gbk(status) + "\r\n";
    text += gbk("开始时间=") + gbk(startTime) + "\r\n";
    return text;
}

// S1 running since kS1Start, S2 idle.
QByteArray exampleSettings()
{
    return section("S1", "使用中", "2025/07/04 15:04:05") + section("S2", "空闲中", "无");
}

// Answers the modal message boxes that open, in turn, with OK (true) or
// Cancel (false), keeping their texts.
class BoxAnswers {
public:
    explicit BoxAnswers(QList<bool> answers) : m_answers(std::move(answers))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start(10);
    }
    int seen() const { return int(texts.size()); }
    QStringList texts;
    QStringList titles;

private:
    void answer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || m_answers.isEmpty() || box == m_lastBox)
            return;
        m_lastBox = box;
        texts.append(box->text());
        titles.append(box->windowTitle());
        const QMessageBox::ButtonRole wanted =
            m_answers.takeFirst() ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        for (QAbstractButton *button : box->buttons()) {
            if (box->buttonRole(button) == wanted) {
                button->click();
                return;
            }
        }
        box->reject();
    }

    QList<bool> m_answers;
    QPointer<QMessageBox> m_lastBox;
    QTimer m_timer;
};

QColor pixelInCell(QTableView *view, int row, int column)
{
    // Neither selected nor current: the cell shows its own colours only.
    view->selectionModel()->clear();
    const QImage image = view->viewport()->grab().toImage();
    const QRect cell = view->visualRect(view->model()->index(row, column));
    return image.pixelColor(cell.left() + 2, cell.top() + 2);
}

} // namespace

Q_DECLARE_METATYPE(CalendarFields)
Q_DECLARE_METATYPE(std::optional<CellColors>)

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void layoutMatchesTheForm();
    void fontsRenderChinese();
    void loadShowsEveryCellAndColour();
    void statusColoursFollowTheStoredStatus_data();
    void statusColoursFollowTheStoredStatus();
    void refreshButtonRereadsTheFile();
    void menuEnabledStates_data();
    void menuEnabledStates();
    void noMenuWithoutSelection();
    void commandsWithoutSelectionChangeNothing();
    void deleteAsksAndObeys_data();
    void deleteAsksAndObeys();
    void deleteFailureIsTold();
    void startTimingShowsAndStoresAtOnce_data();
    void startTimingShowsAndStoresAtOnce();
    void startTimingFailureIsToldAndNotShownRunning();
    void checkoutTurnsTheRowIdleAndWhite();
    void refreshShowsDurationAndFee_data();
    void refreshShowsDurationAndFee();
    void refreshCounts_data();
    void refreshCounts();
    void closingEndsPromptlyAtAnyMoment();
    // Runs the application's event loop: last.
    void closingClosesTheHistoryWindows();

private:
    void openWindow();
    QByteArray cell(int row, ItemListModel::Column column) const
    {
        return m_window->itemListModel()->cellText(row, column);
    }

    std::unique_ptr<TestStorage> m_storage;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::initTestCase()
{
    installFontSubstitutions();
}

void TestMainWindow::init()
{
    m_storage = std::make_unique<TestStorage>();
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    setFixedCurrentDateTime(std::nullopt);
    m_storage.reset();
}

void TestMainWindow::openWindow()
{
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMainWindow::layoutMatchesTheForm()
{
    openWindow();
    QCOMPARE(m_window->windowTitle(), u("Koravel V1.2"));
    QCOMPARE(m_window->frameGeometry(), QRect(50, 50, 866, 604));

    struct Expected {
        const char *text;
        QRect geometry;
        bool visible;
    };
    const Expected buttons[] = {
        {"增加项目", {5, 5, 85, 30}, true},   {"刷新列表", {95, 5, 85, 30}, true},
        {"历史记录", {770, 5, 85, 30}, true}, {"删除项目", {185, 5, 85, 30}, false},
        {"修改项目", {275, 5, 85, 30}, false},
    };
    const auto found = m_window->findChildren<QPushButton *>();
    for (const Expected &expected : buttons) {
        const auto button = std::find_if(found.begin(), found.end(), [&](QPushButton *b) {
            return b->text() == u(expected.text);
        });
        QVERIFY2(button != found.end(), expected.text);
        QCOMPARE((*button)->geometry(), expected.geometry);
        QCOMPARE((*button)->isVisible(), expected.visible);
        QCOMPARE((*button)->font().pixelSize(), 12);
        if (expected.visible) {
            QCOMPARE((*button)->iconSize(), QSize(20, 20));
            QCOMPARE((*button)->icon().pixmap(20, 20).size(), QSize(20, 20));
        }
    }
    const auto labels = m_window->findChildren<QLabel *>();
    const auto hiddenLabel = std::find_if(labels.begin(), labels.end(),
                                          [](QLabel *l) { return l->text() == u("标签"); });
    QVERIFY(hiddenLabel != labels.end());
    QVERIFY(!(*hiddenLabel)->isVisible());

    QTableView *list = m_window->itemListView();
    QCOMPARE(list->geometry(), QRect(5, 40, 850, 508));
    QCOMPARE(list->font().pixelSize(), 14);
    QVERIFY(!list->verticalHeader()->isVisible());
    QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    const int widths[] = {35, 100, 80, 180, 120, 100, 80, 80};
    const char *titles[] = {"ID", "名称", "状态", "开始时间", "时长", "费用", "最小单位", "超时单价"};
    for (int column = 0; column < ItemListModel::ColumnCount; ++column) {
        QCOMPARE(list->horizontalHeader()->sectionSize(column), widths[column]);
        QCOMPARE(list->model()->headerData(column, Qt::Horizontal).toString(), u(titles[column]));
    }

    const int partWidths[] = {50, 50, 40, 50, 50, 50};
    const char *partTexts[] = {"总项目：", "0", "空闲：", "0", "使用：", "0"};
    for (int part = 0; part < 6; ++part) {
        QCOMPARE(m_window->statusPart(part)->width(), partWidths[part]);
        QCOMPARE(m_window->statusPart(part)->font().pixelSize(), 12);
    }
    // Before any refresh pass has written the counts.
    for (int part = 0; part < 6; part += 2)
        QCOMPARE(m_window->statusPart(part)->text(), u(partTexts[part]));

    QCOMPARE(m_window->listMenu()->title(), u("列表操作"));
    const auto actions = m_window->listMenu()->actions();
    QStringList menuTexts;
    for (QAction *action : actions)
        menuTexts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(menuTexts, QStringList({u("开始计时"), u("结束记账"), u("-"), u("切换项目"), u("-"),
                                     u("修改项目"), u("删除项目")}));
}

void TestMainWindow::fontsRenderChinese()
{
    // Every family that the windows ask for has to draw the characters of
    // the form, not boxes.
    for (int pixels : {12, 14}) {
        const QFontMetrics metrics(uiFont(pixels));
        for (const QChar c : u("增加项目刷新列表历史记录总项目空闲使用名称状态开始时间长费用最小单位超价分钟元")) {
            QVERIFY2(metrics.inFont(c), qPrintable(QString(c) + QFontInfo(uiFont(pixels)).family()));
        }
    }
}

void TestMainWindow::loadShowsEveryCellAndColour()
{
    m_storage->writeSettings(exampleSettings());
    openWindow();
    const ItemListModel *model = m_window->itemListModel();
    QCOMPARE(model->rowCount(), 2);
    const QStringList expected[] = {
        {u("1"), u("S1"), u("使用中"), u("2025/07/04 15:04:05"), u("无"), u("无"), u("30 分钟"), u("20 元")},
        {u("2"), u("S2"), u("空闲中"), u("无"), u("无"), u("无"), u("30 分钟"), u("20 元")},
    };
    // Read before the first refresh pass can have written the running row.
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < ItemListModel::ColumnCount; ++column) {
            if (row == 0 && (column == ItemListModel::Duration || column == ItemListModel::Fee))
                continue;
            QCOMPARE(model->data(model->index(row, column)).toString(), expected[row][column]);
        }
    }
    CellColorizer &colours = m_window->cellColorizer();
    QCOMPARE(colours.cellColors(0, ItemListModel::Status), CellColors({kBlack, kInUseGreen}));
    QCOMPARE(colours.cellColors(1, ItemListModel::Status), CellColors({kBlack, kWhite}));
    QCOMPARE(colours.cellColors(0, ItemListModel::Name), std::nullopt);

    // What the operator sees, drawn by the list.
    m_window->itemListView()->clearSelection();
    QCOMPARE(pixelInCell(m_window->itemListView(), 0, ItemListModel::Status), QColor(179, 225, 157));
    QCOMPARE(pixelInCell(m_window->itemListView(), 1, ItemListModel::Status), QColor(255, 255, 255));
    QCOMPARE(model->data(model->index(0, ItemListModel::Id), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(model->data(model->index(0, ItemListModel::Name), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignCenter));
}

void TestMainWindow::statusColoursFollowTheStoredStatus_data()
{
    QTest::addColumn<QByteArray>("second");  // the file after the first load
    QTest::addColumn<QString>("statusCell");
    QTest::addColumn<std::optional<CellColors>>("colours");

    const std::optional<CellColors> green = CellColors{kBlack, kInUseGreen};
    const std::optional<CellColors> white = CellColors{kBlack, kWhite};
    // Row 0 was first loaded as a running item (green).
    QTest::newRow("idle") << section("S1", "空闲中", "无") << u("空闲中") << white;
    QTest::newRow("running") << section("S1", "使用中", "2025/07/04 15:04:05") << u("使用中") << green;
    QTest::newRow("unknown keeps the colours of its index")
        << section("S1", "维修中", "无") << u("维修中") << green;
    QTest::newRow("missing shows idle but keeps the colours")
        << section("S1", nullptr, "无") << u("空闲中") << green;
    QTest::newRow("another item at that index keeps them too")
        << section("X", "维修中", "无") << u("维修中") << green;
}

void TestMainWindow::statusColoursFollowTheStoredStatus()
{
    QFETCH(QByteArray, second);
    QFETCH(QString, statusCell);
    QFETCH(std::optional<CellColors>, colours);
    m_storage->writeSettings(section("S1", "使用中", "2025/07/04 15:04:05"));
    openWindow();
    m_storage->writeSettings(second);
    m_window->reloadItemList();
    QCOMPARE(gbkToUnicode(cell(0, ItemListModel::Status)), statusCell);
    QCOMPARE(m_window->cellColorizer().cellColors(0, ItemListModel::Status), colours);
}

void TestMainWindow::refreshButtonRereadsTheFile()
{
    setFixedCurrentDateTime(kS1Start + 1.0 / 24);
    m_storage->writeSettings(exampleSettings());
    openWindow();
    QTRY_COMPARE(gbkToUnicode(cell(0, ItemListModel::Duration)), u("1 时 0 分"));
    m_storage->writeSettings(section("S1", "使用中", "2025/07/04 15:04:05", "15", "40")
                             + section("S3", "空闲中", "无"));
    const auto buttons = m_window->findChildren<QPushButton *>();
    const auto refresh = std::find_if(buttons.begin(), buttons.end(),
                                      [](QPushButton *b) { return b->text() == u("刷新列表"); });
    QTest::mouseClick(*refresh, Qt::LeftButton);
    QCOMPARE(gbkToUnicode(cell(0, ItemListModel::MinimumUnit)), u("15 分钟"));
    QCOMPARE(gbkToUnicode(cell(0, ItemListModel::OvertimePrice)), u("40 元"));
    QCOMPARE(gbkToUnicode(cell(0, ItemListModel::Duration)), u("无"));
    QCOMPARE(gbkToUnicode(cell(0, ItemListModel::Fee)), u("无"));
    QCOMPARE(cell(1, ItemListModel::Name), QByteArray("S3"));
}

void TestMainWindow::menuEnabledStates_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QList<int>>("popups");  // rows right-clicked in turn
    // start, checkout, switch, modify, delete after the last popup
    QTest::addColumn<QList<bool>>("enabled");

    const QByteArray three = section("Idle", "空闲中", "无")
                             + section("Busy", "使用中", "2025/07/04 15:04:05")
                             + section("Odd", "维修中", "无");
    QTest::newRow("idle") << three << QList<int>{0} << QList<bool>{true, false, false, true, true};
    QTest::newRow("running") << three << QList<int>{1} << QList<bool>{false, true, true, false, false};
    QTest::newRow("unknown first: all enabled") << three << QList<int>{2}
                                                << QList<bool>{true, true, true, true, true};
    QTest::newRow("unknown after running keeps running's")
        << three << QList<int>{1, 2} << QList<bool>{false, true, true, false, false};
    QTest::newRow("unknown after idle keeps idle's")
        << three << QList<int>{1, 0, 2} << QList<bool>{true, false, false, true, true};
}

void TestMainWindow::menuEnabledStates()
{
    QFETCH(QByteArray, settings);
    QFETCH(QList<int>, popups);
    QFETCH(QList<bool>, enabled);
    m_storage->writeSettings(settings);
    openWindow();
    for (int row : popups) {
        m_window->itemListView()->selectRow(row);
        m_window->popUpListMenu(m_window->mapToGlobal(QPoint(100, 100)));
        QTRY_VERIFY(m_window->listMenu()->isVisible());
        m_window->listMenu()->close();
    }
    for (int command = 0; command < MainWindow::MenuCommandCount; ++command) {
        QCOMPARE(m_window->menuAction(MainWindow::MenuCommand(command))->isEnabled(),
                 enabled[command]);
    }
}

void TestMainWindow::noMenuWithoutSelection()
{
    m_storage->writeSettings(exampleSettings());
    openWindow();
    m_window->itemListView()->clearSelection();
    // Through the list's own right-click as well as directly.
    QTest::mouseClick(m_window->itemListView()->viewport(), Qt::RightButton, {}, QPoint(400, 450));
    m_window->popUpListMenu(m_window->mapToGlobal(QPoint(100, 100)));
    QTest::qWait(50);
    QVERIFY(!m_window->listMenu()->isVisible());
}

void TestMainWindow::commandsWithoutSelectionChangeNothing()
{
    m_storage->writeSettings(exampleSettings());
    openWindow();
    m_window->itemListView()->clearSelection();
    m_window->startTiming();
    m_window->deleteItem();
    m_window->openCheckout();
    m_window->openSwitch();
    m_window->openEditorForModify();
    QCOMPARE(m_storage->settingsBytes(), exampleSettings());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestMainWindow::deleteAsksAndObeys_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestMainWindow::deleteAsksAndObeys()
{
    QFETCH(bool, confirm);
    m_storage->writeSettings(exampleSettings() + section("S3", "空闲中", "无"));
    openWindow();
    m_window->itemListView()->selectRow(1);
    BoxAnswers answers({confirm});
    m_window->deleteItem();
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.texts[0], u("是否删除 [ S2 ] 项目"));
    QCOMPARE(answers.titles[0], u("操作警告："));
    const QList<QByteArray> names = listSectionNames(m_storage->settingsPath());
    if (confirm) {
        QCOMPARE(names, QList<QByteArray>({"S1", "S3"}));
        QCOMPARE(m_window->itemListModel()->rowCount(), 2);
        QCOMPARE(cell(1, ItemListModel::Id), QByteArray("2"));
        QCOMPARE(cell(1, ItemListModel::Name), QByteArray("S3"));
    } else {
        QCOMPARE(m_storage->settingsBytes(), exampleSettings() + section("S3", "空闲中", "无"));
        QCOMPARE(m_window->itemListModel()->rowCount(), 3);
        QCOMPARE(cell(1, ItemListModel::Name), QByteArray("S2"));
    }
}

void TestMainWindow::deleteFailureIsTold()
{
    m_storage->writeSettings(exampleSettings());
    openWindow();
    const QString path = platformPath(m_storage->settingsPath());
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path));
    m_window->itemListView()->selectRow(1);
    BoxAnswers answers({true, true});
    m_window->deleteItem();
    QCOMPARE(answers.seen(), 2);
    QVERIFY2(answers.texts[1].contains(u("ROOMSETTING.ini")), qPrintable(answers.texts[1]));
}

void TestMainWindow::startTimingShowsAndStoresAtOnce_data()
{
    QTest::addColumn<CalendarFields>("now");
    QTest::addColumn<QByteArray>("startText");
    QTest::newRow("morning") << CalendarFields{2025, 7, 4, 9, 5, 3} << QByteArray("2025/07/04 09:05:03");
    QTest::newRow("evening") << CalendarFields{2025, 7, 4, 21, 5, 3} << QByteArray("2025/07/04 21:05:03");
}

void TestMainWindow::startTimingShowsAndStoresAtOnce()
{
    QFETCH(CalendarFields, now);
    QFETCH(QByteArray, startText);
    setFixedCurrentDateTime(*dateTimeFromFields(now));
    m_storage->writeSettings(exampleSettings());
    openWindow();
    m_window->itemListView()->selectRow(1);
    m_window->startTiming();

    // At once, before any refresh pass.
    QCOMPARE(cell(1, ItemListModel::Status), QByteArray(storedtext::kInUse));
    QCOMPARE(cell(1, ItemListModel::StartTime), startText);
    QCOMPARE(cell(1, ItemListModel::Duration), QByteArray(storedtext::kNone));
    QCOMPARE(m_window->cellColorizer().cellColors(1, ItemListModel::Status),
             CellColors({kBlack, kInUseGreen}));
    const QByteArray path = m_storage->settingsPath();
    QCOMPARE(readIniValue(path, "S2", storedtext::kStatusKey), QByteArray(storedtext::kInUse));
    QCOMPARE(readIniValue(path, "S2", storedtext::kStartTimeKey), startText);
    // The next pass starts counting from there.
    QTRY_COMPARE(gbkToUnicode(cell(1, ItemListModel::Duration)), u("0 秒 "));
    QTRY_COMPARE(m_window->statusPart(3)->text(), u("0"));
}

void TestMainWindow::startTimingFailureIsToldAndNotShownRunning()
{
    m_storage->writeSettings(exampleSettings());
    openWindow();
    // The settings file is replaced by a folder of the same name: no write
    // can succeed.
    const QString path = platformPath(m_storage->settingsPath());
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path));
    m_window->itemListView()->selectRow(1);
    BoxAnswers answers({true});
    m_window->startTiming();
    QCOMPARE(answers.seen(), 1);
    QVERIFY2(answers.texts[0].contains(u("ROOMSETTING.ini")), qPrintable(answers.texts[0]));
    // The list shows what the file holds: no item at all.
    QCOMPARE(m_window->itemListModel()->rowCount(), 0);
}

void TestMainWindow::checkoutTurnsTheRowIdleAndWhite()
{
    setFixedCurrentDateTime(kS1Start + 300 / 86400.0);
    m_storage->writeSettings(exampleSettings());
    openWindow();
    m_window->itemListView()->selectRow(0);
    QTimer confirm;
    QObject::connect(&confirm, &QTimer::timeout, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        confirm.stop();
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->text() == u("确定结账"))
                button->click();
        }
    });
    confirm.start(10);
    m_window->openCheckout();
    QCOMPARE(selectedItemName(), QByteArray("S1"));
    QCOMPARE(cell(0, ItemListModel::Status), QByteArray(storedtext::kIdle));
    QCOMPARE(m_window->cellColorizer().cellColors(0, ItemListModel::Status),
             CellColors({kBlack, kWhite}));
    QVERIFY(!readFileBytes(m_storage->historyPath()).isEmpty());
}

void TestMainWindow::refreshShowsDurationAndFee_data()
{
    QTest::addColumn<int>("elapsedSeconds");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("fee");
    QTest::newRow("59 s") << 59 << u("59 秒 ") << u("70");
    QTest::newRow("60 s") << 60 << u("1 分0 秒 ") << u("70");
    QTest::newRow("4 h 0 min 59 s") << 4 * 3600 + 59 << u("4 时 0 分") << u("70");
    QTest::newRow("4 h 1 min") << 4 * 3600 + 60 << u("4 时 1 分") << u("80");
    QTest::newRow("25 h 3 min") << 25 * 3600 + 180 << u("25 时 3 分") << u("500");
}

void TestMainWindow::refreshShowsDurationAndFee()
{
    QFETCH(int, elapsedSeconds);
    QFETCH(QString, duration);
    QFETCH(QString, fee);
    setFixedCurrentDateTime(kS1Start + elapsedSeconds / 86400.0);
    m_storage->writeSettings(exampleSettings());
    openWindow();
    QTRY_COMPARE(gbkToUnicode(cell(0, ItemListModel::Duration)), duration);
    QCOMPARE(gbkToUnicode(cell(0, ItemListModel::Fee)), fee);
    // The idle row keeps its texts.
    QCOMPARE(gbkToUnicode(cell(1, ItemListModel::Duration)), u("无"));
    QCOMPARE(gbkToUnicode(cell(1, ItemListModel::Fee)), u("无"));
}

void TestMainWindow::refreshCounts_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("counts");
    QTest::newRow("empty") << QByteArray() << QStringList{u("0"), u("0"), u("0")};
    QTest::newRow("idle, running, other")
        << section("A", "空闲中", "无") + section("B", "使用中", "2025/07/04 15:04:05")
               + section("C", "维修中", "2025/07/04 15:04:05")
        << QStringList{u("3"), u("1"), u("2")};
}

void TestMainWindow::refreshCounts()
{
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, counts);
    setFixedCurrentDateTime(kS1Start + 600 / 86400.0);
    m_storage->writeSettings(settings);
    openWindow();
    m_window->statusPart(1)->setText({});
    QTRY_COMPARE(m_window->statusPart(1)->text(), counts[0]);
    QCOMPARE(m_window->statusPart(3)->text(), counts[1]);
    QCOMPARE(m_window->statusPart(5)->text(), counts[2]);
    // An unknown status is counted, but its cells are left alone.
    if (m_window->itemListModel()->rowCount() == 3)
        QCOMPARE(gbkToUnicode(cell(2, ItemListModel::Duration)), u("无"));
}

void TestMainWindow::closingEndsPromptlyAtAnyMoment()
{
    // Enough running items that a pass takes a while, so closes land before,
    // inside and after passes.
    QByteArray settings;
    for (int i = 0; i < 300; ++i)
        settings += section(("R" + QByteArray::number(i)).constData(), "使用中", "2025/07/04 15:04:05");
    m_storage->writeSettings(settings);
    for (int moment = 0; moment < 24; ++moment) {
        openWindow();
        QTest::qWait((moment * 53) % 1150);
        // A close that waited for the loop without serving it would hang.
        QVERIFY(m_window->close());
        QVERIFY(!m_window->isVisible());
        m_window.reset();
    }
}

void TestMainWindow::closingClosesTheHistoryWindows()
{
    m_storage->writeSettings(exampleSettings());
    openWindow();
    m_window->openHistory();
    QWidget *history = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget != m_window.get() && widget->isVisible() && !qobject_cast<QMenu *>(widget))
            history = widget;
    }
    QVERIFY(history);
    QPointer<QWidget> watched = history;
    // The program's own event loop, closed by the operator: it has to end
    // by itself, with the history window gone.
    bool hung = false;
    QTimer::singleShot(200, m_window.get(), [this] { m_window->close(); });
    QTimer::singleShot(20000, qApp, [&hung] {
        hung = true;
        QApplication::quit();
    });
    QApplication::exec();
    QVERIFY(!hung);
    QVERIFY(!m_window->isVisible());
    QTRY_VERIFY(watched.isNull());
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
