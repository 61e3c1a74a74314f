#pragma once

#include "foundation/ini.h"
#include "foundation/result.h"

#include <QByteArray>
#include <QList>

// The item settings file: one section per item, named by the item; keys for
// status, start time and the four tariff values (see storedtext).

// The four tariff values of an item, as whole numbers.
struct Tariff {
    int initialPeriod = 0;  // minutes covered by the initial fee
    int initialFee = 0;     // yuan
    int minimumUnit = 0;    // minutes, overtime is charged in started units
    int overtimePrice = 0;  // yuan per hour
    bool operator==(const Tariff &) const = default;
};

// The tariff the item editor proposes for a new item: 240, 70, 30, 20.
inline constexpr Tariff kDefaultTariff{240, 70, 30, 20};

// The tariff of an item read without defaults (a missing key reads as 0).
Tariff readTariff(const IniSnapshot &settings, const QByteArray &itemName);

// The section names of the file in file order: every line whose first byte is
// "[" and that has a "]" names the bytes between them; empty names are
// skipped. The scan stops at a zero byte or 0x1A at the start of a line.
// A missing file gives an empty list.
QList<QByteArray> listSectionNames(const QByteArray &path);

// Removes the first section whose header line begins with "[" + name + "]",
// from that line up to the next section header line or the end of the file;
// every other byte stays. A name with no such header leaves the file
// untouched (and succeeds). Atomic rewrite.
Result removeSection(const QByteArray &path, const QByteArray &name);
