#pragma once

#include "foundation/result.h"

#include <QByteArray>

// Records in the settings file that an item is in use since startTime (the
// text of startTimeText): "状态" = "使用中", then "开始时间" = startTime.
// When the start time cannot be written after the status was, the status is
// put back to "空闲中" so the file never holds a running item without a start;
// the failure names the file and the reason either way.
Result recordStartTiming(const QByteArray &settingsPath, const QByteArray &itemName,
                         const QByteArray &startTime);
