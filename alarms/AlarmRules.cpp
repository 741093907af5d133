#include "alarms/AlarmRules.h"

#include <cmath>

namespace {

constexpr double kMillisecondInDays = 1.0 / 86400000.0;
constexpr int kLastNthWeekday = 5;
constexpr int kDaysInWeek = 7;

enum class TimeRule { None, RingMoment, AlreadyPast };

double TimeOfDayFraction(TDateTime value)
{
    return std::fabs(value - std::trunc(value));
}

bool IsCalendarDateTime(TDateTime value)
{
    return DateOf(value).isValid();
}

// The day of the month of the nth weekday (1 Monday .. 7 Sunday); n = 5,
// "last", gives the fifth such day when the month has one, else the fourth.
int NthWeekdayOfMonth(int year, int month, int n, int weekday)
{
    const QDate first(year, month, 1);
    const int firstWeekday = first.dayOfWeek();
    const int weeks = kDaysInWeek * (n - 1);
    int day = firstWeekday <= weekday ? (weekday - firstWeekday + 1) + weeks : (8 - firstWeekday) + weekday + weeks;
    if (day > first.daysInMonth())
        day -= kDaysInWeek;
    return day;
}

bool IsMonthlyRingDay(const AlarmRecord& alarm, const QDate& day)
{
    if (!AlarmRecord::FlagIsOn(alarm.Months[std::size_t(day.month())]))
        return false;
    if (!alarm.MonthlyThe)
        return day.day() == alarm.MonthlyDay;
    if (alarm.MonthlyTheN < 1 || alarm.MonthlyTheN > kLastNthWeekday || alarm.MonthlyTheDay < 1
        || alarm.MonthlyTheDay > kDaysInWeek)
        return false;
    return day.day() == NthWeekdayOfMonth(day.year(), day.month(), alarm.MonthlyTheN, alarm.MonthlyTheDay);
}

bool HoldsTimeRule(const AlarmRecord& alarm, TimeRule rule, TDateTime moment)
{
    switch (rule) {
    case TimeRule::None:
        return true;
    case TimeRule::RingMoment: {
        const QTime alarmTime = TimeOf(alarm.AlarmTime);
        const QTime time = TimeOf(moment);
        return time.hour() == alarmTime.hour() && time.minute() == alarmTime.minute()
            && (time.second() == 4 || time.second() == 5);
    }
    case TimeRule::AlreadyPast:
        return TimeOfDayIsEarlier(alarm.AlarmTime, moment);
    }
    return false;
}

bool IsDue(const AlarmRecord& alarm, TimeRule rule, TDateTime moment)
{
    return alarm.Enabled && !IsSameDay(alarm.LastRung, moment) && IsCalendarDateTime(alarm.AlarmTime)
        && HoldsTimeRule(alarm, rule, moment) && IsRingDay(alarm, DateOf(moment));
}

} // namespace

bool IsSameDay(TDateTime a, TDateTime b)
{
    return std::isfinite(a) && std::isfinite(b) && std::trunc(a) == std::trunc(b);
}

bool TimeOfDayIsEarlier(TDateTime a, TDateTime b)
{
    const double first = TimeOfDayFraction(a);
    const double second = TimeOfDayFraction(b);
    return std::fabs(first - second) >= kMillisecondInDays && first < second;
}

bool IsRingDay(const AlarmRecord& alarm, const QDate& day)
{
    if (!day.isValid())
        return false;
    switch (alarm.Mode) {
    case AlarmRecord::Once:
        return DateOf(alarm.OnceDate) == day;
    case AlarmRecord::Daily: {
        const QDate start = DateOf(alarm.DailyStart);
        if (alarm.EveryNdays <= 0 || !start.isValid())
            return false;
        const qint64 days = start.daysTo(day);
        return days >= 0 && days % alarm.EveryNdays == 0;
    }
    case AlarmRecord::Weekly: {
        // The rhythm follows the difference of ISO week numbers, not the
        // weeks elapsed, as stored alarms have always rung that way.
        const QDate start = DateOf(alarm.WeeklyStart);
        if (alarm.EveryNweeks <= 0 || !start.isValid() || day < start
            || !AlarmRecord::FlagIsOn(alarm.Weekdays[std::size_t(day.dayOfWeek())]))
            return false;
        return (day.weekNumber() - start.weekNumber()) % alarm.EveryNweeks == 0;
    }
    case AlarmRecord::Monthly:
        return IsMonthlyRingDay(alarm, day);
    default:
        return false;
    }
}

int FindDueAlarm(const std::vector<AlarmRecord>& alarms, bool missedCheck, int index, TDateTime moment)
{
    if (index >= 0) {
        const bool due = std::size_t(index) < alarms.size() && IsDue(alarms[std::size_t(index)], TimeRule::None, moment);
        return due ? index : -1;
    }
    const TimeRule rule = missedCheck ? TimeRule::AlreadyPast : TimeRule::RingMoment;
    for (std::size_t i = 0; i < alarms.size(); ++i)
        if (IsDue(alarms[i], rule, moment))
            return int(i);
    return -1;
}

bool IsDueOnDay(const AlarmRecord& alarm, TDateTime moment)
{
    return IsDue(alarm, TimeRule::None, moment);
}

TDateTime NextRingDate(const AlarmRecord& alarm, TDateTime now)
{
    const QDate today = DateOf(now);
    if (!today.isValid())
        return 0;
    const bool startTomorrow = IsSameDay(alarm.LastRung, now) || TimeOfDayIsEarlier(alarm.AlarmTime, now);
    const QDate start = startTomorrow ? today.addDays(1) : today;
    const QDate last(start.year() + 1, 12, 31);
    for (QDate day = start; day <= last; day = day.addDays(1)) {
        const TDateTime midnight = EncodeDate(day);
        if (IsDueOnDay(alarm, midnight))
            return midnight;
    }
    return 0;
}
