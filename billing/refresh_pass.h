#pragma once

#include "foundation/datetime.h"
#include "foundation/ini.h"

#include <QByteArray>
#include <QList>

#include <cstdint>

// One pass of the live refresh, without any window: from what the item list
// shows and the settings file, the texts of the running rows and the counts.

// What a pass reads of one row of the item list (GBK texts).
struct RefreshRow {
    QByteArray name;
    QByteArray status;
    QByteArray startTime;
};

// The rows a pass works from, tagged with the generation of the list they
// were taken from (the list changes it whenever it replaces its rows).
struct RefreshRows {
    std::uint64_t generation = 0;
    QList<RefreshRow> rows;
};

// What a pass writes into one row. A row that is not running keeps its
// duration and fee cells as they are.
struct RefreshRowTexts {
    bool running = false;
    QByteArray duration;  // listDurationText of the elapsed time
    QByteArray fee;       // total fee of the elapsed whole minutes
    bool operator==(const RefreshRowTexts &) const = default;
};

struct RefreshPassResult {
    QList<RefreshRowTexts> rows;  // one per row read, in the same order
    QByteArray itemCount;         // number of rows
    QByteArray idleCount;         // rows whose status is idle
    QByteArray inUseCount;        // all the other rows, unknown statuses included
};

// A row is running when its status is "使用中" byte for byte; its elapsed
// time runs from its start-time text to `now` (a text that does not parse
// starts at MinDateTime, and the 32-bit seconds then wrap). Duration and fee
// describe the same moment: the fee is that of the elapsed whole minutes.
// The tariff of each running row is read from `settings` by the row's name.
RefreshPassResult computeRefreshPass(const QList<RefreshRow> &rows, const IniSnapshot &settings,
                                     DateTime now);
