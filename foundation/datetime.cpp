#include "foundation/datetime.h"

#include "foundation/numbers.h"
#include "foundation/texts.h"

#include <QDateTime>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to a proleptic Gregorian date, and back (the
// well-known era-based algorithm; exact for every year of the range).
constexpr std::int64_t daysFromCivil(std::int64_t year, int month, int day)
{
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(std::int64_t days, CalendarFields &fields)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    fields.day = int(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    fields.month = int(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    fields.year = int(yearOfEra + era * 400 + (fields.month <= 2));
}

constexpr std::int64_t kEpochDay = daysFromCivil(1899, 12, 30);

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool fieldsInRange(const CalendarFields &f)
{
    return f.year >= 100 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1
           && f.day <= daysInMonth(f.year, f.month) && f.hour >= 0 && f.hour <= 23 && f.minute >= 0
           && f.minute <= 59 && f.second >= 0 && f.second <= 59;
}

// NaN marks "not fixed": one atomic word, so readers on the refresh thread
// never see half of an update.
std::atomic<double> fixedNow{std::numeric_limits<double>::quiet_NaN()};

DateTime systemNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return dateTimeFromFields({date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()})
        .value_or(MinDateTime);
}

// The reader of date-time texts: one pass from left to right over the folded
// text, each field an optional run of digits followed by at most one
// separator.
class DateTimeReader {
public:
    explicit DateTimeReader(QByteArray text) : m_text(std::move(text)) {}

    int number(int maxDigits)
    {
        int value = 0;
        for (int n = 0; n < maxDigits && m_pos < m_text.size() && isDigit(m_text[m_pos]); ++n, ++m_pos)
            value = value * 10 + (m_text[m_pos] - '0');
        return value;
    }

    // Steps over one of the single-byte separators or the GBK word.
    void separator(const char *bytes, const char *word)
    {
        if (m_pos >= m_text.size())
            return;
        if (std::string_view(bytes).find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
        else if (at(word))
            m_pos += qstrlen(word);
    }

    bool atEnd() const { return m_pos == m_text.size(); }
    bool at(const char *word) const { return QByteArrayView(m_text).sliced(m_pos).startsWith(word); }

private:
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    QByteArray m_text;
    qsizetype m_pos = 0;
};

// The GBK words of written-out dates: 年 月 日 时 分 秒.
constexpr char kYearWord[] = "\xc4\xea";
constexpr char kMonthWord[] = "\xd4\xc2";
constexpr char kDayWord[] = "\xc8\xd5";
constexpr char kHourWord[] = "\xca\xb1";
constexpr char kMinuteWord[] = "\xb7\xd6";
constexpr char kSecondWord[] = "\xc3\xeb";
constexpr char kSeparators[] = "/-.:";
constexpr char kDaySeparators[] = " /-.:";

} // namespace

std::optional<DateTime> dateTimeFromFields(const CalendarFields &fields)
{
    if (!fieldsInRange(fields))
        return std::nullopt;
    const std::int64_t day = daysFromCivil(fields.year, fields.month, fields.day) - kEpochDay;
    const double timeOfDay = double(fields.hour * 3600 + fields.minute * 60 + fields.second) / kSecondsPerDay;
    // Before the epoch the fraction still runs forward through the day, so it
    // moves the value away from zero: -1.25 is 1899-12-29 06:00.
    return day >= 0 ? double(day) + timeOfDay : double(day) - timeOfDay;
}

std::optional<CalendarFields> fieldsFromDateTime(DateTime value)
{
    // Rejects NaN and values whose day number could not be a valid year
    // before any arithmetic on them.
    if (!(value > MinDateTime - 1 && value < MaxDateTime + 1))
        return std::nullopt;
    const double dayPart = std::trunc(value);
    std::int64_t day = std::int64_t(dayPart);
    std::int64_t seconds = std::llround(std::fabs(value - dayPart) * kSecondsPerDay);
    if (seconds == kSecondsPerDay) {
        ++day;
        seconds = 0;
    }
    CalendarFields fields;
    civilFromDays(day + kEpochDay, fields);
    fields.hour = int(seconds / 3600);
    fields.minute = int(seconds / 60 % 60);
    fields.second = int(seconds % 60);
    if (fields.year < 100 || fields.year > 9999)
        return std::nullopt;
    return fields;
}

DateTime currentDateTime()
{
    const double fixed = fixedNow.load();
    return std::isnan(fixed) ? systemNow() : fixed;
}

void setFixedCurrentDateTime(std::optional<DateTime> value)
{
    fixedNow.store(value.value_or(std::numeric_limits<double>::quiet_NaN()));
}

DateTime textToDateTime(const QByteArray &s)
{
    DateTimeReader reader(foldFullWidth(s));
    if (reader.atEnd())
        return MinDateTime;
    CalendarFields fields;
    fields.year = reader.number(4);
    reader.separator(kSeparators, kYearWord);
    fields.month = reader.number(2);
    reader.separator(kSeparators, kMonthWord);
    fields.day = reader.number(2);
    reader.separator(kDaySeparators, kDayWord);
    fields.hour = reader.number(2);
    reader.separator(kSeparators, kHourWord);
    fields.minute = reader.number(2);
    reader.separator(kSeparators, kMinuteWord);
    fields.second = reader.number(2);
    if (!reader.atEnd() && !reader.at(kSecondWord))
        return MinDateTime;
    return dateTimeFromFields(fields).value_or(MinDateTime);
}

double timeDifference(DateTime t1, DateTime t2, TimeUnit unit)
{
    const double unitsPerDay = unit == TimeUnit::Seconds ? 86400.0 : 1440.0;
    // The small addend absorbs the rounding error of the subtraction, so a
    // span of whole units never truncates to one unit less.
    return realToInt((t1 - t2) * unitsPerDay + 5.787037037037037e-6);
}
