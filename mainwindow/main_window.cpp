#include "mainwindow/main_window.h"

#include "billing/checkout_window.h"
#include "billing/refresh_loop.h"
#include "billing/start_timing.h"
#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/datetime_format.h"
#include "foundation/ini.h"
#include "foundation/item_store.h"
#include "foundation/numbers.h"
#include "foundation/prompts.h"
#include "foundation/storage_paths.h"
#include "foundation/stored_texts.h"
#include "history/history_window.h"
#include "items/item_editor_window.h"
#include "items/switch_window.h"
#include "mainwindow/item_list_model.h"
#include "mainwindow/ui_fonts.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QWindow>

// Resources of a static library are only linked in when referenced.
static void initMainWindowResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

constexpr QPoint kWindowPosition(50, 50);
constexpr QSize kWindowOuterSize(866, 604);
constexpr int kButtonFontPixels = 12;
constexpr int kListFontPixels = 14;
constexpr QSize kIconSize(20, 20);
constexpr int kStatusBarHeight = 20;

struct ButtonPlace {
    const char *text;
    QRect geometry;
    const char *icon;  // empty for the hidden buttons
};

const ButtonPlace kAddButton{"增加项目", {5, 5, 85, 30}, ":/mainwindow/icons/add.png"};
const ButtonPlace kRefreshButton{"刷新列表", {95, 5, 85, 30}, ":/mainwindow/icons/refresh.png"};
const ButtonPlace kHistoryButton{"历史记录", {770, 5, 85, 30}, ":/mainwindow/icons/history.png"};
// Kept on the form, hidden and without action: their commands are given
// through the context menu.
const ButtonPlace kHiddenDeleteButton{"删除项目", {185, 5, 85, 30}, ""};
const ButtonPlace kHiddenModifyButton{"修改项目", {275, 5, 85, 30}, ""};
const QRect kHiddenLabelGeometry(620, 5, 85, 30);

const QRect kListGeometry(5, 40, 850, 508);
const int kColumnWidths[ItemListModel::ColumnCount] = {35, 100, 80, 180, 120, 100, 80, 80};

struct StatusPart {
    int width;
    const char *text;
};
const StatusPart kStatusParts[] = {
    {50, "总项目："}, {50, "0"}, {40, "空闲："}, {50, "0"}, {50, "使用："}, {50, "0"},
};
constexpr int kItemCountPart = 1;
constexpr int kIdleCountPart = 3;
constexpr int kInUseCountPart = 5;

const char *const kMenuTexts[MainWindow::MenuCommandCount] = {
    "开始计时", "结束记账", "切换项目", "修改项目", "删除项目",
};

QString fromUtf8(const char *text)
{
    return QString::fromUtf8(text);
}

QPushButton *addButton(QWidget *parent, const ButtonPlace &place)
{
    auto *button = new QPushButton(fromUtf8(place.text), parent);
    button->setGeometry(place.geometry);
    button->setFont(uiFont(kButtonFontPixels));
    if (*place.icon) {
        button->setIcon(QIcon(fromUtf8(place.icon)));
        button->setIconSize(kIconSize);
    } else {
        button->hide();
    }
    return button;
}

ItemListModel::RowTexts rowFromSettings(const IniSnapshot &settings, int position,
                                        const QByteArray &name)
{
    static const QByteArray minutesSuffix = gbkFromUtf8(" 分钟");
    static const QByteArray yuanSuffix = gbkFromUtf8(" 元");
    ItemListModel::RowTexts row;
    row[ItemListModel::Id] = intToText(position);
    row[ItemListModel::Name] = name;
    row[ItemListModel::Status] = settings.value(name, storedtext::kStatusKey, storedtext::kIdle);
    row[ItemListModel::StartTime] = settings.value(name, storedtext::kStartTimeKey, storedtext::kNone);
    row[ItemListModel::Duration] = storedtext::kNone;
    row[ItemListModel::Fee] = storedtext::kNone;
    row[ItemListModel::MinimumUnit] = settings.value(name, storedtext::kMinimumUnitKey) + minutesSuffix;
    row[ItemListModel::OvertimePrice] = settings.value(name, storedtext::kOvertimePriceKey) + yuanSuffix;
    return row;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    initMainWindowResources();
    setWindowTitle(QStringLiteral("Koravel V1.2"));
    setCentralWidget(new QWidget(this));
    buildButtons();
    buildList();
    buildStatusBar();
    buildMenu();
    move(kWindowPosition);
    resize(kWindowOuterSize);

    m_colorizer.setWindows(this, m_list);
    m_colorizer.attach();
    reloadItemList();
    startRefreshLoop();
}

MainWindow::~MainWindow()
{
    // The loop takes rows from this window; it must be gone before any part
    // of the window is.
    m_refreshLoop.reset();
    m_colorizer.destroy();
}

void MainWindow::buildButtons()
{
    QWidget *form = centralWidget();
    connect(addButton(form, kAddButton), &QPushButton::clicked, this, &MainWindow::addItem);
    connect(addButton(form, kRefreshButton), &QPushButton::clicked, this, &MainWindow::reloadItemList);
    connect(addButton(form, kHistoryButton), &QPushButton::clicked, this, &MainWindow::openHistory);
    addButton(form, kHiddenDeleteButton);
    addButton(form, kHiddenModifyButton);
    auto *label = new QLabel(fromUtf8("标签"), form);
    label->setGeometry(kHiddenLabelGeometry);
    label->hide();
}

void MainWindow::buildList()
{
    m_model = new ItemListModel(this);
    m_list = new QTableView(centralWidget());
    m_list->setGeometry(kListGeometry);
    m_list->setFont(uiFont(kListFontPixels));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(false);
    m_list->setWordWrap(false);
    m_list->setCornerButtonEnabled(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(QFontMetrics(m_list->font()).height() + 6);
    QHeaderView *header = m_list->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    for (int column = 0; column < ItemListModel::ColumnCount; ++column)
        header->resizeSection(column, kColumnWidths[column]);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        popUpListMenu(m_list->viewport()->mapToGlobal(pos));
    });
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setFixedHeight(kStatusBarHeight);
    bar->setFont(uiFont(kButtonFontPixels));
    for (std::size_t part = 0; part < m_statusParts.size(); ++part) {
        auto *label = new QLabel(fromUtf8(kStatusParts[part].text), bar);
        label->setFont(uiFont(kButtonFontPixels));
        label->setFixedWidth(kStatusParts[part].width);
        bar->addWidget(label);
        m_statusParts[part] = label;
    }
}

void MainWindow::buildMenu()
{
    m_menu = new QMenu(fromUtf8("列表操作"), this);
    const auto add = [this](MenuCommand command, void (MainWindow::*slot)()) {
        m_menuActions[command] = m_menu->addAction(fromUtf8(kMenuTexts[command]), this, slot);
    };
    add(StartTimingCommand, &MainWindow::startTiming);
    add(CheckoutCommand, &MainWindow::openCheckout);
    m_menu->addSeparator();
    add(SwitchCommand, &MainWindow::openSwitch);
    m_menu->addSeparator();
    add(ModifyCommand, &MainWindow::openEditorForModify);
    add(DeleteCommand, &MainWindow::deleteItem);
}

void MainWindow::startRefreshLoop()
{
    m_refreshLoop = std::make_unique<RefreshLoop>(
        this, [this] { return m_model->refreshRows(); },
        [this](std::uint64_t generation, const RefreshPassResult &result) {
            applyRefresh(generation, result);
        });
    m_refreshLoop->start();
}

void MainWindow::applyRefresh(std::uint64_t generation, const RefreshPassResult &result)
{
    // Counts taken from rows that have been replaced since would be as stale
    // as their fees; the next pass brings both.
    if (!m_model->applyRefresh(generation, result))
        return;
    m_statusParts[kItemCountPart]->setText(gbkToUnicode(result.itemCount));
    m_statusParts[kIdleCountPart]->setText(gbkToUnicode(result.idleCount));
    m_statusParts[kInUseCountPart]->setText(gbkToUnicode(result.inUseCount));
}

void MainWindow::reloadItemList()
{
    const SettingsSnapshot snapshot = readSettingsSnapshot(storagePaths().settingsFilePath);
    const QList<QByteArray> &names = snapshot.itemNames;
    const IniSnapshot &settings = snapshot.values;
    QList<ItemListModel::RowTexts> rows;
    rows.reserve(names.size());
    for (int i = 0; i < names.size(); ++i)
        rows.append(rowFromSettings(settings, i + 1, names[i]));
    m_model->reload(std::move(rows));

    // Read without a default: a missing status shows as idle but is neither
    // state, so like any unknown status it leaves the cell's colours alone.
    for (int row = 0; row < names.size(); ++row) {
        const QByteArray status = settings.value(names[row], storedtext::kStatusKey);
        if (status == storedtext::kInUse)
            m_colorizer.setCellColors(row, ItemListModel::Status, kBlack, kInUseGreen);
        if (status == storedtext::kIdle)
            m_colorizer.setCellColors(row, ItemListModel::Status, kBlack, kWhite);
    }
}

int MainWindow::selectedRow() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QByteArray MainWindow::selectedName() const
{
    return m_model->cellText(selectedRow(), ItemListModel::Name);
}

void MainWindow::popUpListMenu(const QPoint &globalPos)
{
    const int row = selectedRow();
    if (row < 0)
        return;
    enableMenuFor(m_model->cellText(row, ItemListModel::Status));
    m_menu->popup(globalPos);
}

void MainWindow::enableMenuFor(const QByteArray &status)
{
    const bool idle = status == storedtext::kIdle;
    // Any other status leaves the items as the last popup set them.
    if (!idle && status != storedtext::kInUse)
        return;
    m_menuActions[StartTimingCommand]->setEnabled(idle);
    m_menuActions[CheckoutCommand]->setEnabled(!idle);
    m_menuActions[SwitchCommand]->setEnabled(!idle);
    m_menuActions[ModifyCommand]->setEnabled(idle);
    m_menuActions[DeleteCommand]->setEnabled(idle);
}

void MainWindow::startTiming()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const QByteArray name = m_model->cellText(row, ItemListModel::Name);
    const QByteArray startTime = startTimeText(currentDateTime());
    const Result recorded = recordStartTiming(storagePaths().settingsFilePath, name, startTime);
    if (!recorded) {
        // Show what the file holds, so no one takes the item for timed.
        reloadItemList();
        showFailure(recorded.message());
        return;
    }
    m_model->setCellText(row, ItemListModel::Status, storedtext::kInUse);
    m_model->setCellText(row, ItemListModel::StartTime, startTime);
    m_colorizer.setCellColors(row, ItemListModel::Status, kBlack, kInUseGreen);
}

template <typename Window>
void MainWindow::runItemStoreWindow(Window &window)
{
    connect(&window, &Window::itemStoreChanged, this, &MainWindow::reloadItemList);
    window.exec();
}

void MainWindow::openCheckout()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    selectedItemName() = selectedName();
    CheckoutWindow window(this);
    connect(&window, &CheckoutWindow::checkedOut, this, [this, row] {
        m_colorizer.removeCellColors(row, ItemListModel::Status);
        reloadItemList();
    });
    runItemStoreWindow(window);
}

void MainWindow::openSwitch()
{
    if (selectedRow() < 0)
        return;
    targetItemName() = selectedName();
    SwitchWindow window(this);
    runItemStoreWindow(window);
}

void MainWindow::openEditorForModify()
{
    if (selectedRow() < 0)
        return;
    targetItemName() = selectedName();
    ItemEditorWindow window;
    runItemStoreWindow(window);
}

void MainWindow::addItem()
{
    ItemEditorWindow window;
    runItemStoreWindow(window);
}

void MainWindow::deleteItem()
{
    if (selectedRow() < 0)
        return;
    const QByteArray name = selectedName();
    const QString question = fromUtf8("是否删除 [ ") + gbkToUnicode(name) + fromUtf8(" ] 项目");
    if (!confirmBox(question, fromUtf8("操作警告："), this))
        return;
    const Result removed = removeSection(storagePaths().settingsFilePath, name);
    reloadItemList();
    if (!removed)
        showFailure(removed.message());
}

void MainWindow::openHistory()
{
    m_historyWindows.removeAll(nullptr);
    auto *window = new HistoryWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_historyWindows.append(window);
    window->show();
}

void MainWindow::showFailure(const QString &message)
{
    QMessageBox::warning(this, windowTitle(), message);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        placeWindow();
    }
}

void MainWindow::placeWindow()
{
    // The outer size includes the frame, which the platform only reports
    // once the window exists.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    resize(kWindowOuterSize.shrunkBy(frame));
    move(kWindowPosition);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_refreshLoop->stopAndWait();
    for (const QPointer<QWidget> &window : std::as_const(m_historyWindows)) {
        if (window)
            window->close();
    }
    QMainWindow::closeEvent(event);
}
