#pragma once

#include "foundation/result.h"

#include <QByteArray>
#include <QList>

#include <array>

// The monthly history files: one line per checkout, eleven fields joined by
// "@", each line ended by CR LF, GBK text. Lines are only ever added at the
// end of a file.

// One checkout, the fields in file order.
struct HistoryRecord {
    enum Field {
        ItemName,          // A01
        StartTime,         // 2025/07/04 14:03:09
        EndTime,           // 2025/07/04 19:25:40
        UsedDuration,      // 5 时 22 分 31 秒
        InitialPeriod,     // 4 小时 0 分
        OvertimeDuration,  // 1 时 22 分, or 未超时
        MinimumUnit,       // 30 分钟
        OvertimePrice,     // 20 元 / 小时
        InitialFee,        // 70 元
        OvertimeFee,       // 30 元
        TotalFee,          // ￥100 元
        FieldCount
    };
    std::array<QByteArray, FieldCount> fields;

    // The fields joined by "@", without line end.
    QByteArray toLine() const;
    bool operator==(const HistoryRecord &) const = default;
};

// True when an entry of that name exists and is not a folder.
bool historyFileExists(const QByteArray &path);

// Appends the line and CR LF at the end of the file, in one write flushed to
// disk before returning; creates the file, and its folder when that has been
// removed. Earlier lines are never touched; when the file does not end with
// CR LF (a line cut short by someone else), a CR LF goes first so that the new
// record stands on a line of its own. A line holding a zero byte, CR or LF is
// refused, since it would not read back as one record. On failure nothing has
// been written and the message names the file and the reason.
Result appendHistoryLineTo(const QByteArray &path, const QByteArray &line);
// appendHistoryLineTo the current month's file, storagePaths().historyFilePath.
Result appendHistoryLine(const QByteArray &line);

// The records of the file in file order, each a list of its fields. The text
// ends at the first zero byte; lines end at CR LF, fields at "@", both found
// by characters so a trail byte never ends one. An empty line is a record
// without fields; an empty last field, and an empty text after the last CR LF,
// are dropped. A missing or unreadable file gives no records.
QList<QList<QByteArray>> readHistoryFile(const QByteArray &path);
