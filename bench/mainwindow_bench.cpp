// The main window's work per refresh pass and per reload, for lists where
// every item is running. The GUI thread's share of a pass is taking the rows
// and applying the results; the computation runs on the refresh thread.

#include "billing/refresh_pass.h"
#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/datetime_format.h"
#include "foundation/files.h"
#include "foundation/ini.h"
#include "foundation/storage_paths.h"
#include "foundation/stored_texts.h"
#include "mainwindow/item_list_model.h"
#include "mainwindow/main_window.h"
#include "mainwindow/ui_fonts.h"

#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const DateTime kNow = *dateTimeFromFields({2025, 7, 4, 20, 0, 0});

QApplication &application()
{
    static int argc = 1;
    static char name[] = "mainwindow_bench";
    static char *argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    (void)offscreen;
    static QApplication app(argc, argv);
    static const bool fonts = (installFontSubstitutions(), true);
    (void)fonts;
    return app;
}

// A storage folder whose settings file holds `count` running items started
// at different times.
class RunningItems {
public:
    explicit RunningItems(int count)
    {
        const QByteArray folder = unicodeToGbk(m_dir.path()) + kPathSeparator;
        startUpIn(folder, kNow);
        QByteArray content;
        for (int i = 0; i < count; ++i) {
            const QByteArray start = startTimeText(kNow - (i * 37 + 50) / 1440.0);
            content += "[Item" + QByteArray::number(i) + "]\r\n";
            content += gbkFromUtf8("初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n");
            content += gbkFromUtf8("状态=使用中\r\n开始时间=") + start + "\r\n";
        }
        QFile file(platformPath(storagePaths().settingsFilePath));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            std::abort();
    }

private:
    QTemporaryDir m_dir;
};

// A list window as the operator sees it, loaded from the file.
struct LoadedWindow {
    explicit LoadedWindow(int count) : items(count)
    {
        application();
        window = std::make_unique<MainWindow>();
        window->show();
    }
    RunningItems items;
    std::unique_ptr<MainWindow> window;
};

void RefreshCompute(benchmark::State &state)
{
    LoadedWindow loaded(int(state.range(0)));
    const RefreshRows rows = loaded.window->itemListModel()->refreshRows();
    for (auto _ : state) {
        const IniSnapshot settings = IniSnapshot::read(storagePaths().settingsFilePath);
        benchmark::DoNotOptimize(computeRefreshPass(rows.rows, settings, kNow));
    }
}

// Take the rows, then write results that change every running row's two
// cells, as a pass does while the durations are below an hour.
void RefreshGuiThread(benchmark::State &state)
{
    LoadedWindow loaded(int(state.range(0)));
    ItemListModel *model = loaded.window->itemListModel();
    const RefreshRows rows = model->refreshRows();
    const IniSnapshot settings = IniSnapshot::read(storagePaths().settingsFilePath);
    const RefreshPassResult results[] = {computeRefreshPass(rows.rows, settings, kNow),
                                         computeRefreshPass(rows.rows, settings, kNow + 1.0)};
    int pass = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(model->refreshRows());
        model->applyRefresh(rows.generation, results[pass++ % 2]);
        // The repaint that the changed cells ask for.
        QCoreApplication::processEvents();
    }
}

void Reload(benchmark::State &state)
{
    LoadedWindow loaded(int(state.range(0)));
    for (auto _ : state) {
        loaded.window->reloadItemList();
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(RefreshCompute)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RefreshGuiThread)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Reload)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
