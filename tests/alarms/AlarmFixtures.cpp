#include "tests/alarms/AlarmFixtures.h"

TDateTime Day(int year, int month, int day)
{
    return EncodeDate(QDate(year, month, day));
}

TDateTime Moment(int year, int month, int day, int hour, int minute, int second)
{
    return EncodeDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

AlarmRecord AlarmAt(std::int32_t mode, int hour, int minute, const char* name)
{
    AlarmRecord alarm {};
    alarm.Enabled = true;
    alarm.Mode = mode;
    // The editor stores the time with the date it was set on.
    alarm.AlarmTime = EncodeDateTime(QDate(2004, 1, 5), QTime(hour, minute));
    alarm.EveryNdays = 1;
    alarm.EveryNweeks = 1;
    alarm.Weekdays.fill(kFlagOff);
    alarm.Months.fill(kFlagOn);
    alarm.MonthlyDay = 1;
    alarm.MonthlyTheN = 1;
    alarm.MonthlyTheDay = 1;
    alarm.Name.setText(QString::fromLatin1(name));
    alarm.AudioPic = true;
    alarm.Sound = true;
    return alarm;
}

AlarmRecord Named(AlarmRecord alarm, const QString& name)
{
    alarm.Name.setText(name);
    return alarm;
}

AlarmRecord OnceAlarm(const QDate& date, int hour, int minute)
{
    AlarmRecord alarm = AlarmAt(AlarmRecord::Once, hour, minute);
    alarm.OnceDate = EncodeDate(date);
    return alarm;
}

AlarmRecord DailyAlarm(int everyNdays, const QDate& start, int hour, int minute)
{
    AlarmRecord alarm = AlarmAt(AlarmRecord::Daily, hour, minute);
    alarm.EveryNdays = everyNdays;
    alarm.DailyStart = EncodeDate(start);
    return alarm;
}

AlarmRecord WeeklyAlarm(int everyNweeks, const QDate& start, std::initializer_list<int> weekdays, int hour, int minute)
{
    AlarmRecord alarm = AlarmAt(AlarmRecord::Weekly, hour, minute);
    alarm.EveryNweeks = everyNweeks;
    alarm.WeeklyStart = EncodeDate(start);
    for (const int weekday : weekdays)
        alarm.Weekdays[std::size_t(weekday)] = kFlagOn;
    return alarm;
}

AlarmRecord MonthlyDayAlarm(int day, int hour, int minute)
{
    AlarmRecord alarm = AlarmAt(AlarmRecord::Monthly, hour, minute);
    alarm.MonthlyThe = false;
    alarm.MonthlyDay = day;
    return alarm;
}

AlarmRecord MonthlyNthAlarm(int n, int weekday, int hour, int minute)
{
    AlarmRecord alarm = AlarmAt(AlarmRecord::Monthly, hour, minute);
    alarm.MonthlyThe = true;
    alarm.MonthlyTheN = n;
    alarm.MonthlyTheDay = weekday;
    return alarm;
}

std::vector<AlarmRecord> MixedAlarms(int count)
{
    std::vector<AlarmRecord> alarms;
    for (int i = 0; i < count / 4; ++i) {
        const int hour = i % 24;
        alarms.push_back(OnceAlarm(QDate(2004, 1, 1).addDays(i % 25 * 40), hour, 5)); // some passed, some ahead
        alarms.push_back(DailyAlarm(1 + i % 7, QDate(2004, 3, 1).addDays(i % 25), hour, 30));
        alarms.push_back(WeeklyAlarm(1 + i % 3, QDate(2004, 1, 5), { 1 + i % 7 }, hour, 0));
        AlarmRecord monthly = i % 2 ? MonthlyDayAlarm(28 + i % 4, hour, 15) : MonthlyNthAlarm(1 + i % 5, 1 + i % 7, hour, 15);
        if (i % 5 == 0) {
            monthly.Months.fill(kFlagOff);
            monthly.Months[std::size_t(1 + i % 12)] = kFlagOn;
        }
        alarms.push_back(monthly);
    }
    return alarms;
}

QByteArray StoreBytes(const std::vector<AlarmRecord>& alarms)
{
    QByteArray bytes;
    for (const AlarmRecord& alarm : alarms) {
        const AlarmRecordBytes record = WriteAlarmRecord(alarm);
        bytes.append(reinterpret_cast<const char*>(record.data()), qsizetype(record.size()));
    }
    return bytes;
}
