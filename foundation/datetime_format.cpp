#include "foundation/datetime_format.h"

#include "foundation/texts.h"

namespace {

// The formatted parts share the room of the platform's formatting
// functions: 50 bytes including the terminator.
constexpr qsizetype kPartRoom = 49;
// The platform's date formatting knows no earlier dates.
constexpr int kFirstFormattableYear = 1601;

struct PictureElement {
    const char *name;
    int (*value)(const CalendarFields &, bool force24Hour);
    int digits;
};

int twelveHourClock(int hour)
{
    return hour % 12 == 0 ? 12 : hour % 12;
}

constexpr PictureElement kDateElements[] = {
    {"yyyy", [](const CalendarFields &f, bool) { return f.year; }, 4},
    {"MM", [](const CalendarFields &f, bool) { return f.month; }, 2},
    {"dd", [](const CalendarFields &f, bool) { return f.day; }, 2},
};

constexpr PictureElement kTimeElements[] = {
    {"hh", [](const CalendarFields &f, bool force24Hour) {
         return force24Hour ? f.hour : twelveHourClock(f.hour);
     }, 2},
    {"mm", [](const CalendarFields &f, bool) { return f.minute; }, 2},
    {"ss", [](const CalendarFields &f, bool) { return f.second; }, 2},
};

template<std::size_t N>
QByteArray formatPart(const QByteArray &picture, const PictureElement (&elements)[N],
                      const CalendarFields &fields, bool force24Hour)
{
    QByteArray part;
    for (qsizetype i = 0; i < picture.size();) {
        const QByteArrayView rest = QByteArrayView(picture).sliced(i);
        const PictureElement *element = nullptr;
        for (const PictureElement &candidate : elements) {
            if (rest.startsWith(candidate.name))
                element = &candidate;
        }
        if (element != nullptr) {
            part.append(QByteArray::number(element->value(fields, force24Hour))
                            .rightJustified(element->digits, '0'));
            i += qstrlen(element->name);
        } else {
            // A two-byte character is copied whole, so that a trail byte
            // never reads as a picture letter.
            const qsizetype width = characterWidth(picture, i);
            part.append(picture.sliced(i, width));
            i += width;
        }
    }
    return part.size() > kPartRoom ? QByteArray() : part;
}

} // namespace

QByteArray formatDateTime(DateTime value, const QByteArray &datePicture, const QByteArray &timePicture,
                          bool force24Hour)
{
    const std::optional<CalendarFields> fields = fieldsFromDateTime(value);
    if (!fields)
        return {};
    const QByteArray datePart = fields->year < kFirstFormattableYear
                                    ? QByteArray()
                                    : formatPart(datePicture, kDateElements, *fields, force24Hour);
    return datePart + formatPart(timePicture, kTimeElements, *fields, force24Hour);
}

QByteArray startTimeText(DateTime value)
{
    return formatDateTime(value, QByteArrayLiteral("yyyy/MM/dd "), QByteArrayLiteral("hh:mm:ss"), true);
}
