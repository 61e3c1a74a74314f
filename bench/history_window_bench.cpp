// Opening a month of many records in the history window: reading the file,
// filling the table and drawing its first screen.

#include "foundation/codepage.h"
#include "foundation/files.h"
#include "foundation/storage_paths.h"
#include "history/history_file.h"
#include "history/history_table_model.h"
#include "history/history_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QTableView>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace {

QApplication &application()
{
    static int argc = 1;
    static char name[] = "history_window_bench";
    static char *argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

QByteArray monthOfRecords(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        bytes += gbkFromUtf8("包间") + QByteArray::number(i % 40)
                 + gbkFromUtf8("@2025/07/04 14:03:09@2025/07/04 19:25:40@5 时 22 分 31 秒@4 小时 0 分@"
                               "1 时 22 分@30 分钟@20 元 / 小时@70 元@30 元@￥100 元\r\n");
    }
    return bytes;
}

void BM_OpenMonthInHistoryWindow(benchmark::State &state)
{
    application();
    QTemporaryDir dir;
    startUpIn(unicodeToGbk(dir.path()) + kPathSeparator, 45842.0 /* 2025-07-04 */);
    if (!writeWholeFile(storagePaths().historyFilePath, {monthOfRecords(int(state.range(0)))})) {
        state.SkipWithError("cannot write the month file");
        return;
    }
    HistoryWindow window;
    window.show();
    auto *months = window.findChild<QListWidget *>(QStringLiteral("monthList"));
    auto *table = window.findChild<QTableView *>(QStringLiteral("recordTable"));

    // The longest time the GUI thread went without serving its events while
    // the month opened: what the operator feels as a freeze.
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestStall = qMax(longestStall, sinceTick.restart());
    });

    const int count = int(state.range(0));
    for (auto _ : state) {
        months->clearSelection();
        sinceTick.start();
        ticker.start();
        months->setCurrentRow(0);
        while (table->model()->rowCount() != count)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        benchmark::DoNotOptimize(table->viewport()->grab());
        state.PauseTiming();
        ticker.stop();
        qobject_cast<HistoryTableModel *>(table->model())->setRecords({});
        state.ResumeTiming();
    }
    state.counters["longest_gui_stall_ms"] = double(longestStall);
}
BENCHMARK(BM_OpenMonthInHistoryWindow)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the GUI thread does when the records arrive: fill the table and draw
// its first screen. The rest of the opening runs on a reader thread.
void BM_ShowRecordsInTable(benchmark::State &state)
{
    application();
    QTemporaryDir dir;
    const QByteArray path = unicodeToGbk(dir.path()) + "/202507.WD.txt";
    if (!writeWholeFile(path, {monthOfRecords(int(state.range(0)))})) {
        state.SkipWithError("cannot write the month file");
        return;
    }
    const QList<QList<QByteArray>> records = readHistoryFile(path);
    HistoryTableModel model;
    QTableView table;
    table.resize(1103, 621);
    table.setModel(&model);
    table.show();
    for (auto _ : state) {
        model.setRecords(records);
        benchmark::DoNotOptimize(table.viewport()->grab());
    }
}
BENCHMARK(BM_ShowRecordsInTable)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The share of the file reading in the opening above.
void BM_ReadMonthFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QByteArray path = unicodeToGbk(dir.path()) + "/202507.WD.txt";
    if (!writeWholeFile(path, {monthOfRecords(int(state.range(0)))})) {
        state.SkipWithError("cannot write the month file");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(readHistoryFile(path));
}
BENCHMARK(BM_ReadMonthFile)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace
