#include "history/history_file.h"

#include "foundation/codepage.h"
#include "foundation/files.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// The 5.1 example record, with a different item name per line.
QByteArray monthContent(int records)
{
    const QByteArray rest =
            "@2025/07/04 14:03:09@2025/07/04 19:25:40@5 \xca\xb1 22 \xb7\xd6 31 \xc3\xeb"
            "@4 \xd0\xa1\xca\xb1 0 \xb7\xd6@1 \xca\xb1 22 \xb7\xd6@30 \xb7\xd6\xd6\xd3"
            "@20 \xd4\xaa / \xd0\xa1\xca\xb1@70 \xd4\xaa@30 \xd4\xaa@\xa3\xa4" "100 \xd4\xaa\r\n";
    QByteArray content;
    content.reserve(qsizetype(records) * (rest.size() + 12));
    for (int i = 0; i < records; ++i)
        content += "\xb0\xfc\xbc\xe4" + QByteArray::number(i % 200) + rest;  // 包间n
    return content;
}

void BM_ReadHistoryFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("202507.WD.txt"));
    const QByteArray content = monthContent(int(state.range(0)));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        state.SkipWithError("cannot write the month file");
        return;
    }
    file.close();
    const QByteArray gbkPath = unicodeToGbk(path);
    for (auto _ : state) {
        const QList<QList<QByteArray>> records = readHistoryFile(gbkPath);
        if (records.size() != state.range(0))
            state.SkipWithError("wrong record count");
        benchmark::DoNotOptimize(records);
    }
    state.SetBytesProcessed(state.iterations() * content.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadHistoryFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AppendHistoryLine(benchmark::State &state)
{
    QTemporaryDir dir;
    const QByteArray path = unicodeToGbk(dir.filePath(QStringLiteral("202507.WD.txt")));
    const QByteArray line = monthContent(1).chopped(2);
    for (auto _ : state) {
        if (!appendHistoryLineTo(path, line).ok())
            state.SkipWithError("append failed");
    }
}
BENCHMARK(BM_AppendHistoryLine)->Unit(benchmark::kMicrosecond);

} // namespace
