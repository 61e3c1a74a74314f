#pragma once

#include "foundation/datetime.h"
#include "foundation/ini.h"
#include "history/history_file.h"

#include <QByteArray>

// The bill of a checkout: the eleven texts that the checkout window shows and
// that become the item's history record.

// The item's values as the settings file stores them, unconverted.
struct StoredBillTexts {
    QByteArray startTime;      // 开始时间
    QByteArray initialPeriod;  // 初始时段
    QByteArray initialFee;     // 初始费用
    QByteArray minimumUnit;    // 最小单位
    QByteArray overtimePrice;  // 超时单价
};

// The stored texts of the item, read from the snapshot (missing: empty).
StoredBillTexts readStoredBillTexts(const IniSnapshot &settings, const QByteArray &itemName);

// True when the stored start time reads as a date-time. A bill of a start
// time that does not (hand-edited, or "无") counts the time since the year
// 100 and is no bill to show or record.
bool hasReadableStartTime(const StoredBillTexts &stored);

// The bill of the item at the moment now, which is both the end time and the
// end of the elapsed time, so the two always agree. The start time, initial
// fee, minimum unit and overtime price are shown as stored, with their units;
// computations use the leading number of each text. The used duration folds
// days into hours ('26 时 3 分 5 秒'); the overtime duration is the hours
// beyond the initial period, fractional when the period is not whole hours,
// or "未超时" until the elapsed seconds exceed the period. The fees follow
// the fee rule for the elapsed whole minutes.
HistoryRecord computeBill(const QByteArray &itemName, const StoredBillTexts &stored, DateTime now);

// computeBill with the stored texts read from the settings file
// (storagePaths().settingsFilePath) in one read.
HistoryRecord computeBillFromSettings(const QByteArray &itemName, DateTime now);
