#pragma once

#include "foundation/result.h"
#include "history/history_file.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The item-store operations behind the item editor and the switch window.
// Each reads the settings file when it runs and writes every changed value at
// once; every write is checked, and the first one that fails ends the
// operation with a message naming the file, the item and the reason.

// The four tariff texts of an item as the operator typed them (GBK), in the
// order they are stored.
struct TariffTexts {
    QByteArray initialPeriod;
    QByteArray initialFee;
    QByteArray minimumUnit;
    QByteArray overtimePrice;
};

// Refuses a name that the settings file cannot hold faithfully: empty, with
// leading or trailing blanks, containing "[", "]", "|", "@", "=", a line break
// or a character GBK cannot encode. The message names the character.
Result checkItemName(const QString &name);

// Refuses a tariff text that is not a whole number: an optional "-" followed
// by decimal digits, within the signed 32-bit range. The message names the
// key of the value.
Result checkTariffTexts(const TariffTexts &tariff);

// Refuses what addItem refuses, without writing: a name checkItemName
// refuses, a name that already exists (matched as section look-ups match,
// without regard to ASCII case) and tariff texts checkTariffTexts refuses.
Result checkNewItem(const QByteArray &settingsPath, const QString &name, const TariffTexts &tariff);

// Creates the item with the tariff, idle, after checkNewItem; nothing is
// written when that refuses.
Result addItem(const QByteArray &settingsPath, const QString &name, const TariffTexts &tariff);

// Rewrites the tariff of an existing item and leaves it idle. Refuses tariff
// texts checkTariffTexts refuses; nothing is written then.
Result modifyItem(const QByteArray &settingsPath, const QByteArray &name, const TariffTexts &tariff);

// Writes the four tariff keys, then status idle, then start time "无".
Result writeIdleItem(const QByteArray &settingsPath, const QByteArray &name, const TariffTexts &tariff);

// Writes status idle, then start time "无": the end of a use.
Result returnItemToIdle(const QByteArray &settingsPath, const QByteArray &name);

// The names of the items whose status is exactly "空闲中", in file order.
QList<QByteArray> listIdleItems(const QByteArray &settingsPath);

// Moves a running use from source to target: the target takes the source's
// four tariff values, status and start time; the source takes the target's
// former tariff and goes back to idle. Writes in that order.
Result switchItem(const QByteArray &settingsPath, const QByteArray &source, const QByteArray &target);

// How far a checkout got.
enum class CheckoutStep {
    Done,                  // the record is stored and the item is idle
    RecordNotStored,       // nothing changed: the item is still running
    RecordStoredItemBusy,  // the record is stored but the item is still marked running
};
struct CheckoutOutcome {
    CheckoutStep step = CheckoutStep::Done;
    QString message;  // for the operator; empty when Done
};

// Ends the use of the item: appends the record to the history file first and
// only when it is stored puts the item back to idle, so that no checkout is
// ever lost and no running item turns idle without its record.
CheckoutOutcome checkOutItem(const QByteArray &settingsPath, const QByteArray &historyPath,
                             const QByteArray &itemName, const HistoryRecord &record);
