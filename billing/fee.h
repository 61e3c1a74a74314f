#pragma once

#include "foundation/ini.h"
#include "foundation/item_store.h"

#include <QByteArray>

#include <cstdint>

// The fee rule, the one place where money is computed. The initial fee covers
// everything up to and including the initial period; beyond it every whole
// day costs 24 times the overtime price, every whole hour the overtime price,
// and the minutes left over are charged in started minimum units at
// overtimePrice / (60 / minimumUnit) each. The leftover charge is cut to
// whole yuan (toward zero) before it is added, so every fee is whole yuan.
// A minimum unit of 0 charges nothing for the leftover minutes.

// What computeFee returns.
inline constexpr int kTotalFeeMode = 1;     // the total fee
inline constexpr int kOvertimeFeeMode = 0;  // the overtime part (any mode but 1)

struct Fee {
    std::int32_t overtime = 0;  // yuan beyond the initial fee
    double total = 0;           // initial fee + overtime, a whole number
};

// The fee of elapsedMinutes whole minutes under the tariff. Minutes up to
// and including the initial period (negative ones too) cost the initial fee
// alone. Amounts beyond the 32-bit range wrap around.
Fee feeFor(const Tariff &tariff, std::int32_t elapsedMinutes);

// feeFor as the text that the lists and the bill show: plain digits of the
// total for kTotalFeeMode, of the overtime fee for any other mode.
QByteArray feeText(const Tariff &tariff, std::int32_t elapsedMinutes, int mode = kTotalFeeMode);

// feeText with the item's tariff read from the settings snapshot (a missing
// item or key counts as 0, a non-numeric value by its leading number).
QByteArray computeFee(const IniSnapshot &settings, std::int32_t elapsedMinutes,
                      const QByteArray &itemName, int mode = kTotalFeeMode);

// The same, reading the settings file (storagePaths().settingsFilePath)
// afresh.
QByteArray computeFee(std::int32_t elapsedMinutes, const QByteArray &itemName,
                      int mode = kTotalFeeMode);
