// One use of the program from the operator's seat: two items added with the
// default tariff, one started, moved to the other after 5 h 22 min 31 s,
// checked out there, and the record found in the month file and the history
// window.

#include "billing/checkout_window.h"
#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/ini.h"
#include "foundation/storage_paths.h"
#include "foundation/stored_texts.h"
#include "history/history_window.h"
#include "items/item_editor_window.h"
#include "items/switch_window.h"
#include "mainwindow/item_list_model.h"
#include "mainwindow/main_window.h"
#include "mainwindow/ui_fonts.h"
#include "tests/items/gui_test_helpers.h"
#include "tests/support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// 2025/07/04 14:03:09.
constexpr DateTime kStart = 45842.0 + (14 * 3600 + 3 * 60 + 9) / 86400.0;
constexpr int kUsedSeconds = 5 * 3600 + 22 * 60 + 31;

// Runs the operator's steps on the modal window of type W as soon as it is
// open; the window's own event loop calls them.
template <typename W>
class WhenModalOpens {
public:
    explicit WhenModalOpens(std::function<void(W *)> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *window = qobject_cast<W *>(QApplication::activeModalWidget());
            if (!window || m_done)
                return;
            m_done = true;
            m_timer.stop();
            m_steps(window);
        });
        m_timer.start();
    }
    bool done() const { return m_done; }

private:
    std::function<void(W *)> m_steps;
    QTimer m_timer;
    bool m_done = false;
};

QPushButton *buttonWithText(QWidget *window, const QString &text)
{
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void addTimeSwitchAndCheckOut();

private:
    void addItemWithDefaults(const QString &name);
    int rowOf(const QByteArray &name) const;
    void chooseFromListMenu(const QByteArray &item, MainWindow::MenuCommand command);
    QByteArray statusOf(const QByteArray &name) const;

    std::unique_ptr<TestStorage> m_storage;
    std::unique_ptr<MainWindow> m_main;
};

void TestEndToEnd::initTestCase()
{
    installFontSubstitutions();
}

void TestEndToEnd::cleanup()
{
    m_main.reset();
    m_storage.reset();
    setFixedCurrentDateTime(std::nullopt);
}

void TestEndToEnd::addItemWithDefaults(const QString &name)
{
    WhenModalOpens<ItemEditorWindow> fillIn([&](ItemEditorWindow *editor) {
        typeText(editor->findChild<QLineEdit *>(QStringLiteral("nameEdit")), name);
        QTest::mouseClick(buttonWithText(editor, QStringLiteral("默认")), Qt::LeftButton);
        QTest::mouseClick(buttonWithText(editor, QStringLiteral("添加项目")), Qt::LeftButton);
    });
    QTest::mouseClick(buttonWithText(m_main.get(), QStringLiteral("增加项目")), Qt::LeftButton);
    QVERIFY(fillIn.done());
    QVERIFY(rowOf(unicodeToGbk(name)) >= 0);
}

int TestEndToEnd::rowOf(const QByteArray &name) const
{
    const ItemListModel *model = m_main->itemListModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->cellText(row, ItemListModel::Name) == name)
            return row;
    }
    return -1;
}

QByteArray TestEndToEnd::statusOf(const QByteArray &name) const
{
    return m_main->itemListModel()->cellText(rowOf(name), ItemListModel::Status);
}

void TestEndToEnd::chooseFromListMenu(const QByteArray &item, MainWindow::MenuCommand command)
{
    QTableView *view = m_main->itemListView();
    const QRect cell = view->visualRect(m_main->itemListModel()->index(rowOf(item), ItemListModel::Name));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    m_main->popUpListMenu(view->viewport()->mapToGlobal(cell.center()));
    QAction *action = m_main->menuAction(command);
    QVERIFY2(action->isEnabled(), qPrintable(action->text()));
    m_main->listMenu()->hide();
    action->trigger();
}

void TestEndToEnd::addTimeSwitchAndCheckOut()
{
    setFixedCurrentDateTime(kStart);
    m_storage = std::make_unique<TestStorage>(kStart);
    m_main = std::make_unique<MainWindow>();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));

    addItemWithDefaults(QStringLiteral("A01"));
    addItemWithDefaults(QStringLiteral("B02"));

    chooseFromListMenu("A01", MainWindow::StartTimingCommand);
    QCOMPARE(statusOf("A01"), QByteArray(storedtext::kInUse));

    setFixedCurrentDateTime(kStart + kUsedSeconds / 86400.0);

    WhenModalOpens<SwitchWindow> moveToB02([](SwitchWindow *window) {
        auto *combo = window->findChild<QComboBox *>(QStringLiteral("targetCombo"));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), QStringLiteral("B02"));
        QTest::mouseClick(buttonWithText(window, QStringLiteral("确认切换")), Qt::LeftButton);
    });
    chooseFromListMenu("A01", MainWindow::SwitchCommand);
    QVERIFY(moveToB02.done());
    QCOMPARE(statusOf("A01"), QByteArray(storedtext::kIdle));
    QCOMPARE(statusOf("B02"), QByteArray(storedtext::kInUse));

    WhenModalOpens<CheckoutWindow> confirm([](CheckoutWindow *window) {
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("value%1").arg(int(HistoryRecord::TotalFee)))->text(),
                 QStringLiteral("￥100 元"));
        QTest::mouseClick(buttonWithText(window, QStringLiteral("确定结账")), Qt::LeftButton);
    });
    chooseFromListMenu("B02", MainWindow::CheckoutCommand);
    QVERIFY(confirm.done());

    QCOMPARE(readFileBytes(m_storage->historyPath()),
             gbk("B02@2025/07/04 14:03:09@2025/07/04 19:25:40@5 时 22 分 31 秒@4 小时 0 分@1 时 22 分@"
                 "30 分钟@20 元 / 小时@70 元@30 元@￥100 元\r\n"));
    QCOMPARE(statusOf("A01"), QByteArray(storedtext::kIdle));
    QCOMPARE(statusOf("B02"), QByteArray(storedtext::kIdle));
    QCOMPARE(IniSnapshot::read(m_storage->settingsPath()).value("B02", storedtext::kStartTimeKey),
             QByteArray(storedtext::kNone));

    QTest::mouseClick(buttonWithText(m_main.get(), QStringLiteral("历史记录")), Qt::LeftButton);
    HistoryWindow *history = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<HistoryWindow *>(window); found && found->isVisible())
            history = found;
    }
    QVERIFY(history);
    auto *months = history->findChild<QListWidget *>(QStringLiteral("monthList"));
    QCOMPARE(months->count(), 1);
    QTest::mouseClick(months->viewport(), Qt::LeftButton, {}, months->visualItemRect(months->item(0)).center());
    QTRY_COMPARE(history->findChild<QLabel *>(QStringLiteral("countLabel"))->text(), QStringLiteral("共 1 条记录"));
    QCOMPARE(history->findChild<QTableView *>()->model()->index(0, 10).data().toString(), QStringLiteral("￥100 元"));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
