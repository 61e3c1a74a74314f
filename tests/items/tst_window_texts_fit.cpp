// Every window, filled with realistic data, shows each of its texts whole:
// nothing is cut off by its control or by the window. With
// KORAVEL_SCREENSHOT_DIR set, each window is also saved there as a picture.

#include "billing/checkout_window.h"
#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/storage_paths.h"
#include "history/history_window.h"
#include "items/item_editor_window.h"
#include "items/switch_window.h"
#include "mainwindow/ui_fonts.h"
#include "tests/items/gui_test_helpers.h"
#include "tests/support/test_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// 2025/07/04 14:03:09.
constexpr DateTime kStart = 45842.0 + (14 * 3600 + 3 * 60 + 9) / 86400.0;

const char kSettings[] =
        "[A01]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=使用中\r\n开始时间=2025/07/03 10:02:37\r\n"
        "[大厅1号]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=空闲中\r\n开始时间=无\r\n"
        "[包间-豪华]\r\n初始时段=120\r\n初始费用=50\r\n最小单位=15\r\n超时单价=40\r\n状态=空闲中\r\n开始时间=无\r\n"
        "[VIP贵宾房8]\r\n初始时段=180\r\n初始费用=128\r\n最小单位=30\r\n超时单价=60\r\n状态=空闲中\r\n开始时间=无\r\n";

QByteArray monthOfRecords()
{
    const char *records[] = {
        "A01@2025/07/04 14:03:09@2025/07/04 19:25:40@5 时 22 分 31 秒@4 小时 0 分@1 时 22 分@"
        "30 分钟@20 元 / 小时@70 元@30 元@￥100 元\r\n",
        "大厅1号@2025/07/04 15:10:02@2025/07/04 16:20:07@1 时 10 分 5 秒@4 小时 0 分@未超时@"
        "30 分钟@20 元 / 小时@70 元@0 元@￥70 元\r\n",
        "包间-豪华@2025/07/04 18:00:00@2025/07/04 20:10:00@2 时 10 分 0 秒@2 小时 0 分@0 时 10 分@"
        "15 分钟@40 元 / 小时@50 元@10 元@￥60 元\r\n",
        "VIP贵宾房8@2025/07/04 13:02:10@2025/07/05 17:03:09@28 时 0 分 59 秒@3 小时 0 分@25 时 0 分@"
        "30 分钟@60 元 / 小时@128 元@1500 元@￥1628 元\r\n",
    };
    QByteArray bytes;
    for (int i = 0; i < 40; ++i)
        bytes += gbk(records[i % 4]);
    return bytes;
}

} // namespace

class TestWindowTextsFit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyTextFitsItsControl_data();
    void everyTextFitsItsControl();

private:
    std::unique_ptr<QWidget> openWindow(const QString &which);
    void saveScreenshot(QWidget *window, const QString &which);

    std::unique_ptr<TestStorage> m_storage;
};

void TestWindowTextsFit::initTestCase()
{
    installFontSubstitutions();
}

void TestWindowTextsFit::init()
{
    m_storage = std::make_unique<TestStorage>(kStart);
    m_storage->writeSettings(gbk(kSettings));
    writeFileBytes(m_storage->historyPath(), monthOfRecords());
    writeFileBytes(directoryOfPath(m_storage->historyPath()) + "202506.WD.txt", monthOfRecords());
    setFixedCurrentDateTime(kStart);
}

void TestWindowTextsFit::cleanup()
{
    m_storage.reset();
    setFixedCurrentDateTime(std::nullopt);
    targetItemName().clear();
}

std::unique_ptr<QWidget> TestWindowTextsFit::openWindow(const QString &which)
{
    if (which == QStringLiteral("editor")) {
        targetItemName().clear();
        auto editor = std::make_unique<ItemEditorWindow>();
        typeText(editor->findChild<QLineEdit *>(QStringLiteral("nameEdit")), QStringLiteral("VIP贵宾房9"));
        QTest::mouseClick(editor->findChild<QAbstractButton *>(QStringLiteral("defaultsButton")), Qt::LeftButton);
        return editor;
    }
    if (which == QStringLiteral("editor-modify")) {
        targetItemName() = gbk("包间-豪华");
        return std::make_unique<ItemEditorWindow>();
    }
    if (which == QStringLiteral("checkout")) {
        selectedItemName() = "A01";  // running 28 hours
        return std::make_unique<CheckoutWindow>(nullptr);
    }
    if (which == QStringLiteral("switch")) {
        targetItemName() = "A01";
        auto window = std::make_unique<SwitchWindow>(nullptr);
        auto *combo = window->findChild<QComboBox *>(QStringLiteral("targetCombo"));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        return window;
    }
    auto history = std::make_unique<HistoryWindow>();
    history->findChild<QListWidget *>(QStringLiteral("monthList"))->setCurrentRow(1);
    return history;
}

void TestWindowTextsFit::saveScreenshot(QWidget *window, const QString &which)
{
    const QString folder = qEnvironmentVariable("KORAVEL_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(window->grab().save(folder + QStringLiteral("/") + which + QStringLiteral(".png")));
}

void TestWindowTextsFit::everyTextFitsItsControl_data()
{
    QTest::addColumn<QString>("which");
    for (const char *which : {"editor", "editor-modify", "checkout", "switch", "history"})
        QTest::newRow(which) << QString::fromLatin1(which);
}

void TestWindowTextsFit::everyTextFitsItsControl()
{
    QFETCH(QString, which);
    const std::unique_ptr<QWidget> window = openWindow(which);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    if (const auto *records = window->findChild<QTableView *>())
        QTRY_COMPARE(records->model()->rowCount(), 40);  // read off the GUI thread

    const QRect windowRect = window->rect();
    for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        QVERIFY2(windowRect.contains(child->geometry()), qPrintable(child->objectName()));
        QString text;
        int room = 0;
        if (auto *label = qobject_cast<QLabel *>(child)) {
            text = label->text();
            room = label->contentsRect().width();
        } else if (auto *button = qobject_cast<QAbstractButton *>(child)) {
            text = button->text();
            room = button->width() - 8;  // the frame of the button
        } else {
            continue;
        }
        const QFontMetrics metrics(child->font());
        QVERIFY2(metrics.horizontalAdvance(text) <= room,
                 qPrintable(QStringLiteral("%1: %2 > %3").arg(text).arg(metrics.horizontalAdvance(text)).arg(room)));
        QVERIFY2(metrics.height() <= child->height(), qPrintable(text));
    }
    saveScreenshot(window.get(), which);
}

QTEST_MAIN(TestWindowTextsFit)
#include "tst_window_texts_fit.moc"
