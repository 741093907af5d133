#pragma once

#include "alarms/AlarmRecord.h"

#include <QString>

// The texts of the alarm list's columns and of the alarm messages.

// "Once", "Daily", "Weekly" or "Monthly"; "" for any other mode.
QString AlarmTypeText(std::int32_t mode);

// The alarm time as "h: nn am/pm" (7: 05 pm) or, for the 24-hour clock,
// "h: nn" (19: 05); "" when the record holds no time.
QString AlarmTimeText(const AlarmRecord& alarm, bool twelveHour);

// The time of day of a moment, as AlarmTimeText writes an alarm time.
QString TimeOfDayText(TDateTime moment, bool twelveHour);

// A pending snooze in the alarm list's next-date column and the tool's
// list: "snoozed until 7: 15 am".
QString SnoozedUntilText(TDateTime due, bool twelveHour);

// A next ring date as "d mmm yyyy" (5 Jan 2004), or "<Expired>" for 0.
QString NextRingDateText(TDateTime date);

// The four cells of an alarm's row in the alarm list at moment now: the
// name (a control character, a tab among them, shows as "?"), the type, the
// alarm time and the next date to ring. `vellamor-tool alarms` prints the
// same cells.
struct AlarmListRow {
    QString name;
    QString type;
    QString time;
    QString nextDate;
};
AlarmListRow AlarmListRowOf(const AlarmRecord& alarm, TDateTime now, bool twelveHour);

// The report of an alarm that should have rung earlier today.
QString MissedAlarmMessage(const AlarmRecord& alarm);

// The report of a snoozed alarm that was due again at moment due while the
// program was not running.
QString MissedSnoozeMessage(const AlarmRecord& alarm, TDateTime due);
