#pragma once

#include "alarms/AlarmRecord.h"

#include <QDate>

#include <vector>

// When alarms ring. Moments are the shared date-time: the integer part is the
// day, the fraction the time of day.
//
// A rule that cannot hold never gives a ring day: an interval of 0 or less, a
// nth-weekday rule whose MonthlyTheN lies outside 1..5 or MonthlyTheDay
// outside 1..7, a date or an alarm time that is not a calendar date-time
// (not a number, infinite, outside years 1..9999), or an unknown Mode. Such
// an alarm is never due and has no next ring date.

// Whether two moments fall on the same day (equal integer parts).
bool IsSameDay(TDateTime a, TDateTime b);

// Whether the time of day of a is earlier than that of b. Times less than a
// millisecond apart are equal.
bool TimeOfDayIsEarlier(TDateTime a, TDateTime b);

// Whether day is a ring day of the alarm by the rule of its Mode.
bool IsRingDay(const AlarmRecord& alarm, const QDate& day);

// The index of the first alarm due at moment, or -1. With index -1 every
// alarm is considered and a time rule applies: the ring check (missedCheck
// false) wants the alarm's hour and minute with second 4 or 5; the missed
// check wants an alarm time earlier in the day than moment. With an index of
// one alarm only that alarm is tested, for the day of moment, with no time
// rule. Disabled alarms, and alarms that already rang on moment's day, are
// never due.
int FindDueAlarm(const std::vector<AlarmRecord>& alarms, bool missedCheck, int index, TDateTime moment);

// The next day (at midnight) on which the alarm rings, looking from today
// (or tomorrow, when it rang today or its time has passed) to the end of
// next year; 0 when there is none.
TDateTime NextRingDate(const AlarmRecord& alarm, TDateTime now);

// Whether the alarm is due on moment's day with no time rule (the
// single-day test of FindDueAlarm).
bool IsDueOnDay(const AlarmRecord& alarm, TDateTime moment);
