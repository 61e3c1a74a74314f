#include "billing/fee.h"

#include "billing/duration.h"
#include "foundation/numbers.h"
#include "foundation/storage_paths.h"

namespace {

// The charge for the minutes after the last whole hour: started minimum
// units, each worth the hourly price shared out over the units of an hour.
// A unit of 0 makes both quotients infinite, which counts as no unit at a
// price of 0; the 0.999999 (rather than a true ceiling) is part of the rule.
double leftoverMinutesCharge(const Tariff &tariff, std::int32_t minutes)
{
    const double unit = tariff.minimumUnit;
    const std::int32_t units = floorToInt(minutes / unit + 0.999999);
    const double unitPrice = tariff.overtimePrice / (60.0 / unit);
    return units * unitPrice;
}

std::int32_t overtimeFee(const Tariff &tariff, std::int32_t overtimeSeconds)
{
    const DurationParts overtime = splitDuration(overtimeSeconds);
    std::int32_t fee = 0;
    // Each step is cut to whole yuan before the next is added, in this order.
    if (overtime.days > 0)
        fee = realToInt(fee + overtime.days * static_cast<double>(tariff.overtimePrice) * 24.0);
    if (overtime.hours > 0)
        fee = realToInt(fee + overtime.hours * static_cast<double>(tariff.overtimePrice));
    if (overtime.minutes > 0)
        fee = realToInt(fee + leftoverMinutesCharge(tariff, overtime.minutes));
    return fee;
}

} // namespace

Fee feeFor(const Tariff &tariff, std::int32_t elapsedMinutes)
{
    if (elapsedMinutes <= tariff.initialPeriod)
        return Fee{0, static_cast<double>(tariff.initialFee)};
    // On reals: elapsed minus period may exceed the 32-bit range.
    const double overtimeMinutes = static_cast<double>(elapsedMinutes) - tariff.initialPeriod;
    const std::int32_t fee = overtimeFee(tariff, realToInt(overtimeMinutes * 60.0));
    return Fee{fee, static_cast<double>(tariff.initialFee) + fee};
}

QByteArray feeText(const Tariff &tariff, std::int32_t elapsedMinutes, int mode)
{
    const Fee fee = feeFor(tariff, elapsedMinutes);
    return mode == kTotalFeeMode ? realToText(fee.total) : intToText(fee.overtime);
}

QByteArray computeFee(const IniSnapshot &settings, std::int32_t elapsedMinutes,
                      const QByteArray &itemName, int mode)
{
    return feeText(readTariff(settings, itemName), elapsedMinutes, mode);
}

QByteArray computeFee(std::int32_t elapsedMinutes, const QByteArray &itemName, int mode)
{
    return computeFee(IniSnapshot::read(storagePaths().settingsFilePath), elapsedMinutes, itemName,
                      mode);
}
