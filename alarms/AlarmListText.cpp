#include "alarms/AlarmListText.h"

#include "alarms/AlarmRules.h"
#include "platform/text/DateTimeFormat.h"

#include <cmath>

namespace {

// The alarm time is a time of day; the day it is shown on plays no part.
// Texts are built in UTC, where every day has every time of day.
const QDate kAnyDay(1899, 12, 30);

QString PrintableName(const QString& name)
{
    QString printable = name;
    for (QChar& c : printable)
        if (c.category() == QChar::Other_Control)
            c = u'?';
    return printable;
}

} // namespace

QString AlarmTypeText(std::int32_t mode)
{
    switch (mode) {
    case AlarmRecord::Once:
        return QStringLiteral("Once");
    case AlarmRecord::Daily:
        return QStringLiteral("Daily");
    case AlarmRecord::Weekly:
        return QStringLiteral("Weekly");
    case AlarmRecord::Monthly:
        return QStringLiteral("Monthly");
    default:
        return QString();
    }
}

QString AlarmTimeText(const AlarmRecord& alarm, bool twelveHour)
{
    return TimeOfDayText(alarm.AlarmTime, twelveHour);
}

QString SnoozedUntilText(TDateTime due, bool twelveHour)
{
    return QStringLiteral("snoozed until ") + TimeOfDayText(due, twelveHour);
}

QString TimeOfDayText(TDateTime moment, bool twelveHour)
{
    const QTime time = TimeOf(moment);
    if (!time.isValid())
        return QString();
    return FormatDateTime(twelveHour ? QStringLiteral("h: nn am/pm") : QStringLiteral("h: nn"), QDateTime(kAnyDay, time, Qt::UTC));
}

QString NextRingDateText(TDateTime date)
{
    if (date == 0)
        return QStringLiteral("<Expired>");
    return FormatDateTime(QStringLiteral("d mmm yyyy"), QDateTime(DateOf(date), QTime(0, 0), Qt::UTC));
}

AlarmListRow AlarmListRowOf(const AlarmRecord& alarm, TDateTime now, bool twelveHour)
{
    return { PrintableName(alarm.Name.text()), AlarmTypeText(alarm.Mode), AlarmTimeText(alarm, twelveHour),
        NextRingDateText(NextRingDate(alarm, now)) };
}

QString MissedAlarmMessage(const AlarmRecord& alarm)
{
    return QStringLiteral("Alarm \"%1\" should've rung earlier(at %2) today.")
        .arg(alarm.Name.text(), AlarmTimeText(alarm, true));
}

QString MissedSnoozeMessage(const AlarmRecord& alarm, TDateTime due)
{
    return QStringLiteral("Snoozed alarm \"%1\" should've rung again earlier(at %2 on %3).")
        .arg(alarm.Name.text(), TimeOfDayText(due, true), NextRingDateText(std::trunc(due)));
}
