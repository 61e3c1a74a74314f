#include "billing/start_timing.h"

#include "foundation/ini.h"
#include "foundation/stored_texts.h"

#include <QString>

Result recordStartTiming(const QByteArray &settingsPath, const QByteArray &itemName,
                         const QByteArray &startTime)
{
    const Result status =
        writeIniValue(settingsPath, itemName, storedtext::kStatusKey, storedtext::kInUse);
    if (!status)
        return status;
    const Result start = writeIniValue(settingsPath, itemName, storedtext::kStartTimeKey, startTime);
    if (start)
        return start;
    // A running item whose start cannot be read would be billed from year 100.
    const Result restore =
        writeIniValue(settingsPath, itemName, storedtext::kStatusKey, storedtext::kIdle);
    if (restore)
        return start;
    return Result::failure(start.message() + QStringLiteral("\n")
                           + QStringLiteral("状态也未能改回“空闲中”：") + restore.message());
}
