#include "billing/refresh_pass.h"

#include "billing/duration.h"
#include "billing/fee.h"
#include "foundation/numbers.h"
#include "foundation/stored_texts.h"

namespace {

RefreshRowTexts runningRowTexts(const RefreshRow &row, const IniSnapshot &settings, DateTime now)
{
    const DateTime start = textToDateTime(row.startTime);
    const double seconds = timeDifference(now, start, TimeUnit::Seconds);
    const QByteArray duration = listDurationText(splitDuration(realToInt(seconds)));
    // Minutes are truncated from the same difference as the seconds, so the
    // fee never runs ahead of the duration shown beside it.
    const std::int32_t minutes = realToInt(seconds / 60.0);
    return {true, duration, computeFee(settings, minutes, row.name)};
}

} // namespace

RefreshPassResult computeRefreshPass(const QList<RefreshRow> &rows, const IniSnapshot &settings,
                                     DateTime now)
{
    RefreshPassResult result;
    result.rows.reserve(rows.size());
    std::int32_t idle = 0;
    for (const RefreshRow &row : rows) {
        if (row.status == storedtext::kIdle)
            ++idle;
        if (row.status == storedtext::kInUse)
            result.rows.append(runningRowTexts(row, settings, now));
        else
            result.rows.append(RefreshRowTexts{});
    }
    const auto count = std::int32_t(rows.size());
    result.itemCount = intToText(count);
    result.idleCount = intToText(idle);
    result.inUseCount = realToText(double(count) - double(idle));
    return result;
}
