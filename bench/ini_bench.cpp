#include "foundation/files.h"
#include "foundation/ini.h"
#include "foundation/item_store.h"
#include "foundation/stored_texts.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <array>

namespace {

const std::array<const char *, 6> kKeys = {
    storedtext::kInitialPeriodKey, storedtext::kInitialFeeKey, storedtext::kMinimumUnitKey,
    storedtext::kOvertimePriceKey, storedtext::kStatusKey,     storedtext::kStartTimeKey,
};

QByteArray itemName(int i)
{
    return "R" + QByteArray::number(i);
}

// A settings file of n items as the item editor writes them.
QByteArray settingsContent(int items)
{
    QByteArray content;
    for (int i = 0; i < items; ++i) {
        content += '[' + itemName(i) + "]\r\n";
        const std::array<QByteArray, 6> values = {"240", "70", "30", "20", storedtext::kInUse,
                                                  "2025/07/04 14:03:09"};
        for (size_t k = 0; k < kKeys.size(); ++k)
            content += kKeys[k] + QByteArray("=") + values[k] + "\r\n";
    }
    return content;
}

// The settings file in a folder of the benchmark's own.
class SettingsOnDisk {
public:
    explicit SettingsOnDisk(int items) : m_path(QFile::encodeName(m_dir.path()) + "/ROOMSETTING.ini")
    {
        if (!writeWholeFile(m_path, {settingsContent(items)}))
            qFatal("cannot write the settings file");
    }
    const QByteArray &path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

// What a list reload costs: read the file once, list the items, look up all
// six keys of every item.
void BM_ReloadFromSnapshot(benchmark::State &state)
{
    const int items = int(state.range(0));
    const SettingsOnDisk settings(items);
    for (auto _ : state) {
        const SettingsSnapshot snapshot = readSettingsSnapshot(settings.path());
        for (const QByteArray &name : snapshot.itemNames) {
            for (const char *key : kKeys)
                benchmark::DoNotOptimize(snapshot.values.value(name, key));
        }
    }
    state.SetItemsProcessed(state.iterations() * items * qsizetype(kKeys.size()));
}
BENCHMARK(BM_ReloadFromSnapshot)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same look-ups as separate reads of the file, one per value. Grows with
// the square of the number of items, so 10,000 items (60,000 reads of a
// 1.2 MB file) is left out.
void BM_ReloadBySeparateReads(benchmark::State &state)
{
    const int items = int(state.range(0));
    const SettingsOnDisk settings(items);
    for (auto _ : state) {
        const QList<QByteArray> names = listSectionNames(settings.path());
        for (const QByteArray &name : names) {
            for (const char *key : kKeys)
                benchmark::DoNotOptimize(readIniValue(settings.path(), name, key));
        }
    }
    state.SetItemsProcessed(state.iterations() * items * qsizetype(kKeys.size()));
}
BENCHMARK(BM_ReloadBySeparateReads)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// One value of the last item read afresh: the cost of a single command's read.
void BM_SingleRead(benchmark::State &state)
{
    const int items = int(state.range(0));
    const SettingsOnDisk settings(items);
    const QByteArray last = itemName(items - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(readIniValue(settings.path(), last, storedtext::kStartTimeKey));
}
BENCHMARK(BM_SingleRead)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// One value written: read, change one line, atomic rewrite with the flush to
// disk.
void BM_SingleWrite(benchmark::State &state)
{
    const int items = int(state.range(0));
    const SettingsOnDisk settings(items);
    const QByteArray last = itemName(items - 1);
    int n = 0;
    for (auto _ : state) {
        const Result written =
                writeIniValue(settings.path(), last, storedtext::kStatusKey, QByteArray::number(n++ % 2));
        if (!written)
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_SingleWrite)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
