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

// The section names of the file in file order: every header line (as the INI
// reader splits lines) whose first byte is "[" names the bytes between it and
// the first "]", whole ("x|y" is one name); empty names are skipped; a name
// that occurs twice is listed twice. A missing or unreadable file gives an
// empty list.
QList<QByteArray> listSectionNames(const QByteArray &path);

// The items and their values from one read of the settings file, for an
// operation that needs both (a list reload, the idle items of the switch).
struct SettingsSnapshot {
    QList<QByteArray> itemNames;  // as listSectionNames lists them
    IniSnapshot values;
};
SettingsSnapshot readSettingsSnapshot(const QByteArray &path);

// Removes the first section whose header line begins with "[" + name + "]",
// from that line up to the next section header line or the end of the file;
// every other byte stays (also after a zero byte). The name matches byte for
// byte, case included. A name with no such header, or a missing file, leaves
// the file untouched (and succeeds). Atomic rewrite.
Result removeSection(const QByteArray &path, const QByteArray &name);
