#include "platform/text/DateTime.h"

#include <cmath>

namespace {

constexpr qint64 kJulianDayOfEpoch = 2415019; // 30 December 1899
constexpr double kMillisecondsPerDay = 86400000.0;
// Years 1..9999, the range the shared date-time is used for.
constexpr double kFirstDay = -693593.0;
constexpr double kLastDay = 2958465.0;

} // namespace

TDateTime EncodeDate(const QDate& date)
{
    return double(date.toJulianDay() - kJulianDayOfEpoch);
}

TDateTime EncodeDateTime(const QDate& date, const QTime& time)
{
    const double days = EncodeDate(date);
    const double fraction = time.msecsSinceStartOfDay() / kMillisecondsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

TDateTime DateTimeFromLocal(const QDateTime& local)
{
    return EncodeDateTime(local.date(), local.time());
}

QDate DateOf(TDateTime value)
{
    if (!std::isfinite(value) || value < kFirstDay || value >= kLastDay + 1)
        return QDate();
    return QDate::fromJulianDay(qint64(std::trunc(value)) + kJulianDayOfEpoch);
}

QTime TimeOf(TDateTime value)
{
    if (!std::isfinite(value))
        return QTime();
    const double fraction = std::fabs(value - std::trunc(value));
    // Round to the millisecond, as the fraction of a stored time rarely is exact.
    const qint64 ms = std::min<qint64>(qint64(std::llround(fraction * kMillisecondsPerDay)), qint64(kMillisecondsPerDay) - 1);
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

QDateTime LocalFromDateTime(TDateTime value)
{
    return QDateTime(DateOf(value), TimeOf(value));
}
