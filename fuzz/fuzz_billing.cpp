// Feeds arbitrary tariffs, elapsed times, patterns and stored texts to the
// duration texts, the fee rule and the bill: no undefined behaviour for any
// 32-bit value, and the invariants the lists and the history rely on.

#include "billing/bill.h"
#include "billing/duration.h"
#include "billing/fee.h"
#include "foundation/numbers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::int32_t nextInt()
    {
        std::uint32_t value = 0;
        const std::size_t n = std::min<std::size_t>(4, m_size);
        std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return std::int32_t(value);
    }
    // Bytes up to the next 0xFF (consumed) or the end.
    QByteArray nextText()
    {
        std::size_t n = 0;
        while (n < m_size && m_data[n] != 0xFF)
            ++n;
        const QByteArray text(reinterpret_cast<const char *>(m_data), qsizetype(n));
        const std::size_t used = std::min(n + 1, m_size);
        m_data += used;
        m_size -= used;
        return text;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
};

void checkDuration(std::int32_t seconds, const QByteArray &pattern, bool padToTwo)
{
    const DurationParts parts = splitDuration(seconds);
    require(std::int64_t(parts.days) * 86400 + std::int64_t(parts.hours) * 3600
                    + parts.minutes * 60 + parts.seconds
            == seconds);
    for (const std::int32_t part : {parts.days, parts.hours, parts.minutes, parts.seconds})
        require(seconds >= 0 ? part >= 0 : part <= 0);
    require(parts.hours > -24 && parts.hours < 24);
    require(parts.minutes > -60 && parts.minutes < 60);

    // Each substitution puts at least one byte in place of one letter.
    const QByteArray text = formatDuration(seconds, pattern, padToTwo);
    require(text.size() >= pattern.size());
    require(!listDurationText(parts).isEmpty());
}

void checkFee(const Tariff &tariff, std::int32_t minutes)
{
    const Fee fee = feeFor(tariff, minutes);
    require(fee.total == double(tariff.initialFee) + fee.overtime);
    if (minutes <= tariff.initialPeriod)
        require(fee.overtime == 0);
    require(feeText(tariff, minutes, kOvertimeFeeMode) == intToText(fee.overtime));
    require(feeText(tariff, minutes, kTotalFeeMode) == realToText(fee.total));
}

void checkBill(Input &input)
{
    const QByteArray name = input.nextText();
    StoredBillTexts stored;
    stored.startTime = input.nextText();
    stored.initialPeriod = input.nextText();
    stored.initialFee = input.nextText();
    stored.minimumUnit = input.nextText();
    stored.overtimePrice = input.nextText();
    // Any whole second from 1601 to 9999.
    const double day = std::uint32_t(input.nextInt()) % 3067670u;
    const double second = std::uint32_t(input.nextInt()) % 86400u;
    const DateTime now = -109205.0 + day + second / 86400.0;
    const HistoryRecord bill = computeBill(name, stored, now);
    require(bill.fields[HistoryRecord::ItemName] == name);
    require(bill.fields[HistoryRecord::StartTime] == stored.startTime);
    require(bill.fields[HistoryRecord::InitialFee].startsWith(stored.initialFee));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input input(data, size);
    const Tariff tariff{input.nextInt(), input.nextInt(), input.nextInt(), input.nextInt()};
    const std::int32_t elapsed = input.nextInt();
    const bool padToTwo = (elapsed & 1) != 0;
    checkFee(tariff, elapsed);
    checkDuration(elapsed, input.nextText(), padToTwo);
    checkBill(input);
    return 0;
}
