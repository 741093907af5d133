#include "alarms/AlarmEditorValues.h"
#include "alarms/AlarmRules.h"
#include "tests/alarms/AlarmFixtures.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

const QDate kToday(2004, 3, 10);

using OnceDay = AlarmEditorValues::OnceDay;

} // namespace

TEST(AlarmEditorValues, StaysOnListMapsToMinutesAndBack)
{
    const std::int32_t minutes[] = { 0, 1, 3, 5, 10, 30, 60, 9999 };
    for (int index = 0; index < 8; ++index) {
        EXPECT_EQ(StaysOnMinutes(index), minutes[index]);
        EXPECT_EQ(StaysOnIndex(minutes[index]), index);
    }
    for (const std::int32_t other : { -1, 2, 7, 61, 10000 })
        EXPECT_EQ(StaysOnIndex(other), 0) << other;
    EXPECT_EQ(StaysOnMinutes(-1), std::nullopt);
    EXPECT_EQ(StaysOnMinutes(8), std::nullopt);
}

TEST(AlarmEditorValues, LoadingFillsOnlyTheAlarmsPageAndTheShowGroup)
{
    AlarmRecord weekly = WeeklyAlarm(2, QDate(2004, 1, 5), { 2, 7 }, 19, 5);
    weekly.Name.setText(QStringLiteral("Gym"));
    weekly.VisualFile.setText(QStringLiteral("/home/me/Alarm/gym.jpg"));
    weekly.SoundFile.setText(QStringLiteral("C:\\Alarm\\bell.wav"));
    weekly.DocFile.setText(QStringLiteral("/home/me/plan.txt"));
    weekly.StaysOn = 30;
    weekly.Sound = false;
    AlarmEditorValues editor;
    editor.daily.everyNdays = 9;
    editor.once.time = QTime(6, 0);

    LoadAlarmIntoEditor(weekly, kToday, editor);
    EXPECT_EQ(editor.page, AlarmRecord::Weekly);
    EXPECT_EQ(editor.weekly.time, QTime(19, 5));
    EXPECT_EQ(editor.weekly.everyNweeks, 2);
    EXPECT_EQ(editor.weekly.start, QDate(2004, 1, 5));
    EXPECT_EQ(editor.weekly.weekdays, (std::array<bool, 7> { false, true, false, false, false, false, true }));
    EXPECT_EQ(editor.daily.everyNdays, 9);
    EXPECT_EQ(editor.once.time, QTime(6, 0));
    EXPECT_EQ(editor.name, u"Gym");
    EXPECT_EQ(editor.visualFileCaption, u"gym.jpg");
    EXPECT_EQ(editor.soundFileCaption, u"bell.wav");
    EXPECT_EQ(editor.docFileCaption, u"/home/me/plan.txt");
    EXPECT_EQ(editor.staysOnIndex, 5);
    EXPECT_FALSE(editor.sound);
}

TEST(AlarmEditorValues, LoadingBringsStoredValuesIntoTheControlsRanges)
{
    AlarmRecord monthly = MonthlyNthAlarm(9, 0, 7, 0);
    monthly.MonthlyDay = 40;
    monthly.Mode = 7;
    monthly.AlarmTime = std::numeric_limits<double>::quiet_NaN();
    AlarmEditorValues editor;
    editor.monthly.time = QTime(6, 30);
    LoadAlarmIntoEditor(monthly, kToday, editor);
    EXPECT_EQ(editor.page, AlarmRecord::Monthly);
    EXPECT_EQ(editor.monthly.nthIndex, 4);
    EXPECT_EQ(editor.monthly.weekdayIndex, 0);
    EXPECT_EQ(editor.monthly.day, 31);
    EXPECT_EQ(editor.monthly.time, QTime(6, 30)) << "a time that is no time leaves the picker";

    for (const auto& [stored, shown] : { std::pair(0, 1), std::pair(-5, 1), std::pair(356, 356), std::pair(1000, 356) }) {
        LoadAlarmIntoEditor(DailyAlarm(stored, QDate(2004, 1, 1), 7, 0), kToday, editor);
        EXPECT_EQ(editor.daily.everyNdays, shown) << stored;
    }
}

TEST(AlarmEditorValues, OnceDayIsTodayTomorrowOrTheDate)
{
    const struct {
        QDate date;
        OnceDay day;
    } cases[] = {
        { kToday, OnceDay::Today },
        { kToday.addDays(1), OnceDay::Tomorrow },
        { kToday.addDays(2), OnceDay::Other },
        { kToday.addDays(-1), OnceDay::Other },
    };
    for (const auto& c : cases) {
        AlarmEditorValues editor;
        LoadAlarmIntoEditor(OnceAlarm(c.date, 7, 0), kToday, editor);
        EXPECT_EQ(editor.once.day, c.day) << c.date.toString().toStdString();
        EXPECT_EQ(editor.once.date, c.date);
    }
}

TEST(AlarmEditorValues, StoringWritesTheShownPageAndKeepsTheRest)
{
    AlarmRecord alarm = DailyAlarm(3, QDate(2004, 1, 1), 7, 5);
    alarm.LastRung = Day(2004, 3, 10);
    alarm.Enabled = false;
    alarm.VisualFile.setText(QStringLiteral("/pics/sun.jpg"));
    alarm.SoundFile.setText(QStringLiteral("/sounds/bell.wav"));
    alarm.StaysOn = 10;
    const AlarmRecord before = alarm;

    AlarmEditorValues editor;
    LoadAlarmIntoEditor(alarm, kToday, editor);
    editor.page = AlarmRecord::Once;
    editor.once = { QTime(21, 30, 45), OnceDay::Tomorrow, QDate(2005, 1, 1), false, true };
    editor.name = QStringLiteral("Утро");
    editor.docFileCaption = QStringLiteral("/home/jö/Документы/план.odt");
    editor.staysOnIndex = -1;
    StoreEditorIntoAlarm(editor, kToday, alarm);

    EXPECT_EQ(alarm.Mode, AlarmRecord::Once);
    EXPECT_EQ(alarm.LastRung, 0);
    EXPECT_EQ(alarm.AlarmTime, Moment(2004, 3, 10, 21, 30)) << "to the minute, on the day it was set";
    EXPECT_EQ(alarm.OnceDate, Day(2004, 3, 11));
    EXPECT_FALSE(alarm.DeleteAfterPlaying);
    EXPECT_TRUE(alarm.DeleteAfterExpiration);
    EXPECT_EQ(alarm.Name.text(), QStringLiteral("Утро"));
    EXPECT_EQ(alarm.DocFile.text(), QStringLiteral("/home/jö/Документы/план.odt"));
    // The editor's fields refuse what does not fit; should such a text come
    // here still, the stored one stays instead of being cut.
    editor.name = QStringLiteral("A name longer than twelve");
    StoreEditorIntoAlarm(editor, kToday, alarm);
    EXPECT_EQ(alarm.Name.text(), QStringLiteral("Утро"));
    // Not the editor's to write here.
    EXPECT_EQ(alarm.StaysOn, 10);
    EXPECT_EQ(alarm.Enabled, before.Enabled);
    EXPECT_EQ(alarm.VisualFile, before.VisualFile);
    EXPECT_EQ(alarm.SoundFile, before.SoundFile);
    EXPECT_EQ(alarm.EveryNdays, 3);
    EXPECT_EQ(alarm.DailyStart, before.DailyStart);
}

TEST(AlarmEditorValues, StoredOnceDatesAndIntervalsAreWhatTheScheduleCanUse)
{
    const struct {
        OnceDay day;
        TDateTime stored;
    } days[] = {
        { OnceDay::Today, Day(2004, 3, 10) },
        { OnceDay::Tomorrow, Day(2004, 3, 11) },
        { OnceDay::Other, Day(2004, 2, 29) },
    };
    for (const auto& c : days) {
        AlarmRecord alarm = OnceAlarm(QDate(2004, 1, 1), 7, 0);
        AlarmEditorValues editor;
        editor.once = { QTime(7, 0), c.day, QDate(2004, 2, 29), true, false };
        StoreEditorIntoAlarm(editor, kToday, alarm);
        EXPECT_EQ(alarm.OnceDate, c.stored);
    }
    for (const auto& [typed, stored] : { std::pair(0, 1), std::pair(357, 356), std::pair(12, 12) }) {
        AlarmRecord alarm = WeeklyAlarm(1, QDate(2004, 1, 5), { 1 }, 7, 0);
        AlarmEditorValues editor;
        editor.page = AlarmRecord::Weekly;
        editor.weekly.everyNweeks = typed;
        editor.weekly.start = kToday;
        editor.weekly.time = QTime(7, 0);
        StoreEditorIntoAlarm(editor, kToday, alarm);
        EXPECT_EQ(alarm.EveryNweeks, stored) << typed;
        EXPECT_EQ(alarm.Weekdays, (std::array<std::uint8_t, 8> { 'F', 'N', 'N', 'N', 'N', 'N', 'F', 'F' }));
    }
}

TEST(AlarmEditorValues, MonthlyRoundTrip)
{
    AlarmRecord alarm = MonthlyNthAlarm(5, 5, 18, 45);
    alarm.MonthlyDay = 29;
    alarm.Months.fill(kFlagOff);
    alarm.Months[2] = kFlagOn;
    const AlarmRecord before = alarm;
    AlarmEditorValues editor;
    LoadAlarmIntoEditor(alarm, kToday, editor);
    StoreEditorIntoAlarm(editor, kToday, alarm);
    EXPECT_TRUE(alarm.MonthlyThe);
    EXPECT_EQ(alarm.MonthlyTheN, 5);
    EXPECT_EQ(alarm.MonthlyTheDay, 5);
    EXPECT_EQ(alarm.MonthlyDay, 29);
    EXPECT_EQ(alarm.Months, before.Months);
    EXPECT_EQ(TimeOf(alarm.AlarmTime), QTime(18, 45));
}

TEST(AlarmEditorValues, CreateCopiesTheSelectedAlarmWithoutItsFiles)
{
    AlarmRecord daily = DailyAlarm(3, QDate(2004, 3, 1), 7, 5);
    daily.Enabled = false;
    daily.VisualFile.setText(QStringLiteral("/pics/sun.jpg"));
    daily.SoundFile.setText(QStringLiteral("/sounds/bell.wav"));
    daily.DocFile.setText(QStringLiteral("/docs/plan.txt"));
    const AlarmRecord created = NewAlarmRecord(&daily, QDateTime(kToday, QTime(8, 0)), false, false);
    EXPECT_EQ(created.Mode, AlarmRecord::Daily);
    EXPECT_EQ(created.EveryNdays, 3);
    EXPECT_EQ(created.DailyStart, daily.DailyStart);
    EXPECT_EQ(created.AlarmTime, daily.AlarmTime);
    EXPECT_EQ(created.Name.text(), u"New Alarm");
    EXPECT_TRUE(created.Enabled);
    EXPECT_FALSE(created.Sound);
    EXPECT_FALSE(created.AudioPic);
    EXPECT_EQ(created.VisualFile.length() + created.SoundFile.length() + created.DocFile.length(), 0u);
}

TEST(AlarmEditorValues, CreateWithoutASelectionRingsOnceTomorrowAtThisMinute)
{
    const QDateTime now(kToday, QTime(8, 17, 42));
    const AlarmRecord created = NewAlarmRecord(nullptr, now, true, true);
    EXPECT_EQ(created.Mode, AlarmRecord::Once);
    EXPECT_EQ(created.AlarmTime, Moment(2004, 3, 10, 8, 17));
    EXPECT_EQ(created.OnceDate, Day(2004, 3, 11));
    EXPECT_EQ(NextRingDate(created, DateTimeFromLocal(now)), Day(2004, 3, 11));
    EXPECT_TRUE(created.DeleteAfterPlaying);
    EXPECT_FALSE(created.DeleteAfterExpiration);
    EXPECT_EQ(created.EveryNdays, 1);
    EXPECT_EQ(created.DailyStart, Day(2004, 3, 10));
    EXPECT_EQ(created.EveryNweeks, 1);
    EXPECT_EQ(created.WeeklyStart, Day(2004, 3, 10));
    EXPECT_EQ(created.Weekdays, (std::array<std::uint8_t, 8> { 'F', 'N', 'N', 'N', 'N', 'N', 'F', 'F' }));
    EXPECT_FALSE(created.MonthlyThe);
    EXPECT_EQ(created.MonthlyDay, 1);
    EXPECT_EQ(created.MonthlyTheN, 1);
    EXPECT_EQ(created.MonthlyTheDay, 1);
    for (int month = 1; month <= 12; ++month)
        EXPECT_TRUE(AlarmRecord::FlagIsOn(created.Months[std::size_t(month)]));
    EXPECT_EQ(created.StaysOn, 0);
    EXPECT_EQ(created.LastRung, 0);
    EXPECT_TRUE(created.Enabled && created.Sound && created.AudioPic);
}
