#include "billing/bill.h"
#include "billing/fee.h"
#include "foundation/ini.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

namespace {

// A settings file of n items with the default tariff, all running.
QByteArray settingsContent(int items)
{
    QByteArray content;
    for (int i = 0; i < items; ++i) {
        content += "[R" + QByteArray::number(i) + "]\r\n";
        content += "\xb3\xf5\xca\xbc\xca\xb1\xb6\xce=240\r\n"  // 初始时段
                   "\xb3\xf5\xca\xbc\xb7\xd1\xd3\xc3=70\r\n"   // 初始费用
                   "\xd7\xee\xd0\xa1\xb5\xa5\xce\xbb=30\r\n"   // 最小单位
                   "\xb3\xac\xca\xb1\xb5\xa5\xbc\xdb=20\r\n"   // 超时单价
                   "\xd7\xb4\xcc\xac=\xca\xb9\xd3\xc3\xd6\xd0\r\n"  // 状态=使用中
                   "\xbf\xaa\xca\xbc\xca\xb1\xbc\xe4=2025/07/04 14:03:09\r\n";  // 开始时间
    }
    return content;
}

// The fee rule alone: what the refresh pass pays per running item besides
// the look-up.
void BM_FeeRule(benchmark::State &state)
{
    std::int32_t minutes = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(feeText(kDefaultTariff, 241 + (minutes++ % 3000)));
    }
}
BENCHMARK(BM_FeeRule);

// computeFee for one item of a snapshot holding range(0) items, the item
// looked up being the last one (the slowest look-up).
void BM_ComputeFeeFromSnapshot(benchmark::State &state)
{
    const int items = int(state.range(0));
    const IniSnapshot settings = IniSnapshot::fromContent(settingsContent(items));
    const QByteArray name = "R" + QByteArray::number(items - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(computeFee(settings, 1681, name));
}
BENCHMARK(BM_ComputeFeeFromSnapshot)->Arg(1)->Arg(100)->Arg(1000);

void BM_ComputeBill(benchmark::State &state)
{
    const StoredBillTexts stored{"2025/07/04 14:03:09", "240", "70", "30", "20"};
    const DateTime now = 45842.0 + 19.0 / 24;
    for (auto _ : state)
        benchmark::DoNotOptimize(computeBill("A01", stored, now));
}
BENCHMARK(BM_ComputeBill);

} // namespace
