#include "billing/bill.h"

#include "billing/duration.h"
#include "billing/fee.h"
#include "foundation/datetime_format.h"
#include "foundation/item_store.h"
#include "foundation/numbers.h"
#include "foundation/storage_paths.h"
#include "foundation/stored_texts.h"

namespace {

// GBK texts of the bill.
const QByteArray kHoursWord(" \xca\xb1 ");                              // " 时 "
const QByteArray kMinutesWord(" \xb7\xd6");                             // " 分"
const QByteArray kSecondsWord(" \xc3\xeb");                             // " 秒"
const QByteArray kPeriodSuffix(" \xd0\xa1\xca\xb1 0 \xb7\xd6");         // " 小时 0 分"
const QByteArray kMinuteUnitSuffix(" \xb7\xd6\xd6\xd3");                // " 分钟"
const QByteArray kHourlyPriceSuffix(" \xd4\xaa / \xd0\xa1\xca\xb1");    // " 元 / 小时"
const QByteArray kYuanSuffix(" \xd4\xaa");                              // " 元"
const QByteArray kYuanSign("\xa3\xa4");                                 // "￥"
const QByteArray kNoOvertime("\xce\xb4\xb3\xac\xca\xb1");               // "未超时"

// The tariff that the fee rule would read from the store for these texts.
Tariff tariffOf(const StoredBillTexts &stored)
{
    return Tariff{textToInt(stored.initialPeriod), textToInt(stored.initialFee),
                  textToInt(stored.minimumUnit), textToInt(stored.overtimePrice)};
}

} // namespace

StoredBillTexts readStoredBillTexts(const IniSnapshot &settings, const QByteArray &itemName)
{
    return StoredBillTexts{
        settings.value(itemName, QByteArray(storedtext::kStartTimeKey)),
        settings.value(itemName, QByteArray(storedtext::kInitialPeriodKey)),
        settings.value(itemName, QByteArray(storedtext::kInitialFeeKey)),
        settings.value(itemName, QByteArray(storedtext::kMinimumUnitKey)),
        settings.value(itemName, QByteArray(storedtext::kOvertimePriceKey)),
    };
}

bool hasReadableStartTime(const StoredBillTexts &stored)
{
    return textToDateTime(stored.startTime) != MinDateTime;
}

HistoryRecord computeBill(const QByteArray &itemName, const StoredBillTexts &stored, DateTime now)
{
    const Tariff tariff = tariffOf(stored);
    const double periodHours = tariff.initialPeriod / 60.0;

    // One reading of the clock for the end time and the elapsed time, so the
    // record never shows an end time a second away from the billed duration.
    const std::int32_t elapsedSeconds = realToInt(
        timeDifference(now, textToDateTime(stored.startTime), TimeUnit::Seconds));
    const DurationParts elapsed = splitDuration(elapsedSeconds);
    const double elapsedHours = elapsed.days * 24.0 + elapsed.hours;
    const std::int32_t elapsedMinutes = realToInt(elapsedHours * 60.0 + elapsed.minutes);

    // The overtime row compares seconds with the period while the fee rule
    // compares whole minutes: up to 59 seconds past the period show an
    // overtime of 0 时 0 分 at no overtime fee.
    const bool inOvertime = realGreater(elapsedSeconds / 60.0 - tariff.initialPeriod, 0.0);

    HistoryRecord record;
    auto &f = record.fields;
    f[HistoryRecord::ItemName] = itemName;
    f[HistoryRecord::StartTime] = stored.startTime;
    f[HistoryRecord::EndTime] = formatDateTime(now, QByteArrayLiteral("yyyy/MM/dd"),
                                               QByteArrayLiteral(" hh:mm:ss"), true);
    f[HistoryRecord::UsedDuration] = realToText(elapsedHours) + kHoursWord
            + intToText(elapsed.minutes) + kMinutesWord + ' ' + intToText(elapsed.seconds)
            + kSecondsWord;
    f[HistoryRecord::InitialPeriod] = realToText(periodHours) + kPeriodSuffix;
    f[HistoryRecord::OvertimeDuration] = inOvertime
            ? realToText(elapsedHours - periodHours) + kHoursWord + intToText(elapsed.minutes)
                    + kMinutesWord
            : kNoOvertime;
    f[HistoryRecord::MinimumUnit] = stored.minimumUnit + kMinuteUnitSuffix;
    f[HistoryRecord::OvertimePrice] = stored.overtimePrice + kHourlyPriceSuffix;
    f[HistoryRecord::InitialFee] = stored.initialFee + kYuanSuffix;
    f[HistoryRecord::OvertimeFee] = feeText(tariff, elapsedMinutes, kOvertimeFeeMode) + kYuanSuffix;
    f[HistoryRecord::TotalFee] = kYuanSign + feeText(tariff, elapsedMinutes, kTotalFeeMode)
            + kYuanSuffix;
    return record;
}

HistoryRecord computeBillFromSettings(const QByteArray &itemName, DateTime now)
{
    const IniSnapshot settings = IniSnapshot::read(storagePaths().settingsFilePath);
    return computeBill(itemName, readStoredBillTexts(settings, itemName), now);
}
