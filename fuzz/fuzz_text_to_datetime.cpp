// Reads arbitrary bytes as a date-time text and checks what a reading
// promises: either MinDateTime, or a whole-second date-time in range that
// the stored form writes back to the same text reading.

#include "foundation/datetime.h"
#include "foundation/datetime_format.h"
#include "foundation/texts.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const DateTime value = textToDateTime(text);

    // Full-width folding is part of reading; folding twice changes nothing.
    require(textToDateTime(foldFullWidth(text)) == value);

    if (value == MinDateTime)
        return 0;
    const std::optional<CalendarFields> fields = fieldsFromDateTime(value);
    require(fields.has_value());
    require(dateTimeFromFields(*fields) == value);

    const QByteArray stored = startTimeText(value);
    if (fields->year >= 1601) {
        require(stored.size() == 19);
        require(textToDateTime(stored) == value);
    } else {
        require(stored.size() == 8);
    }
    return 0;
}
