// Opening a month of many records in the history window: reading the file,
// filling the table and drawing its first screen.

#include "foundation/codepage.h"
#include "foundation/files.h"
#include "foundation/storage_paths.h"
#include "history/history_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>

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

    for (auto _ : state) {
        months->clearSelection();
        months->setCurrentRow(0);
        benchmark::DoNotOptimize(table->viewport()->grab());
    }
    state.counters["rows"] = table->model()->rowCount();
}
BENCHMARK(BM_OpenMonthInHistoryWindow)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace
