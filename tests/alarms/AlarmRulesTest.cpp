#include "alarms/AlarmListText.h"
#include "alarms/AlarmRules.h"
#include "tests/alarms/AlarmFixtures.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The ring days of an alarm from first to last.
std::vector<QDate> RingDays(const AlarmRecord& alarm, const QDate& first, const QDate& last)
{
    std::vector<QDate> days;
    for (QDate day = first; day <= last; day = day.addDays(1))
        if (IsRingDay(alarm, day))
            days.push_back(day);
    return days;
}

std::set<int> MonthsWithARingDay(const AlarmRecord& alarm, int year)
{
    std::set<int> months;
    for (const QDate& day : RingDays(alarm, QDate(year, 1, 1), QDate(year, 12, 31)))
        months.insert(day.month());
    return months;
}

} // namespace

TEST(AlarmRules, DailyEveryTwoDaysRingsFromItsStartDate)
{
    const AlarmRecord alarm = DailyAlarm(2, QDate(2004, 3, 10), 7, 5);
    EXPECT_EQ(RingDays(alarm, QDate(2004, 3, 1), QDate(2004, 3, 16)),
        (std::vector<QDate> { QDate(2004, 3, 10), QDate(2004, 3, 12), QDate(2004, 3, 14), QDate(2004, 3, 16) }));

    EXPECT_EQ(NextRingDate(alarm, Moment(2004, 3, 1, 12, 0)), Day(2004, 3, 10));
    // Its time has passed on the 10th: the next day that fits the interval.
    EXPECT_EQ(NextRingDate(alarm, Moment(2004, 3, 10, 7, 6)), Day(2004, 3, 12));
}

TEST(AlarmRules, MonthlyDayRingsOnlyInMonthsThatHaveThatDay)
{
    EXPECT_EQ(MonthsWithARingDay(MonthlyDayAlarm(31, 7, 0), 2004), (std::set<int> { 1, 3, 5, 7, 8, 10, 12 }));
    EXPECT_EQ(RingDays(MonthlyDayAlarm(29, 7, 0), QDate(2004, 2, 1), QDate(2004, 2, 29)),
        std::vector<QDate> { QDate(2004, 2, 29) });
    EXPECT_EQ(NextRingDate(MonthlyDayAlarm(29, 7, 0), Moment(2005, 2, 1, 0, 0)), Day(2005, 3, 29));

    AlarmRecord onlyJune = MonthlyDayAlarm(1, 7, 0);
    onlyJune.Months.fill(kFlagOff);
    onlyJune.Months[6] = kFlagOn;
    EXPECT_EQ(MonthsWithARingDay(onlyJune, 2004), std::set<int> { 6 });
}

TEST(AlarmRules, MonthlyNthWeekdayFindsItsDay)
{
    struct Case {
        int n, weekday, year, month, day;
    };
    const Case cases[] = {
        { 5, 5, 2004, 1, 30 }, // last Friday, a month with five
        { 5, 5, 2004, 2, 27 }, // last Friday, a month with four
        { 1, 1, 2004, 3, 1 },  // first Monday on the 1st
        { 2, 7, 2004, 2, 8 },  // second Sunday, the month starting on a Sunday
        { 4, 3, 2004, 1, 28 }, // fourth Wednesday, the month starting on a Thursday
        { 1, 3, 2004, 1, 7 },  // first Wednesday, the weekday before the 1st's
    };
    for (const Case& c : cases) {
        const QDate first(c.year, c.month, 1);
        EXPECT_EQ(RingDays(MonthlyNthAlarm(c.n, c.weekday, 7, 0), first, first.addMonths(1).addDays(-1)),
            std::vector<QDate> { QDate(c.year, c.month, c.day) })
            << c.n << " " << c.weekday << " " << c.year << "-" << c.month;
    }
}

TEST(AlarmRules, WeeklyFollowsItsWeekdaysAndTheIsoWeekDifference)
{
    const AlarmRecord mondayAndWednesday = WeeklyAlarm(1, QDate(2004, 1, 5), { 1, 3 }, 7, 0);
    EXPECT_EQ(RingDays(mondayAndWednesday, QDate(2004, 1, 1), QDate(2004, 1, 11)),
        (std::vector<QDate> { QDate(2004, 1, 5), QDate(2004, 1, 7) }));

    const AlarmRecord sunday = WeeklyAlarm(1, QDate(2004, 1, 5), { 7 }, 7, 0);
    EXPECT_EQ(RingDays(sunday, QDate(2004, 1, 5), QDate(2004, 1, 11)), std::vector<QDate> { QDate(2004, 1, 11) });

    // 2004 has 53 ISO weeks: 20 December is week 52, 3 January 2005 week 1
    // (difference -51) and 10 January week 2 (difference -50).
    const AlarmRecord everyOtherMonday = WeeklyAlarm(2, QDate(2004, 12, 20), { 1 }, 7, 0);
    EXPECT_EQ(RingDays(everyOtherMonday, QDate(2004, 12, 1), QDate(2005, 1, 17)),
        (std::vector<QDate> { QDate(2004, 12, 20), QDate(2005, 1, 10) }));
}

TEST(AlarmRules, OnceAlarmsInsideAndBeyondTheHorizon)
{
    const AlarmRecord newYearsEve = OnceAlarm(QDate(2004, 12, 31), 7, 5);
    EXPECT_EQ(NextRingDate(newYearsEve, Moment(2004, 6, 1, 12, 0)), Day(2004, 12, 31));
    EXPECT_EQ(NextRingDate(newYearsEve, Moment(2003, 1, 1, 12, 0)), Day(2004, 12, 31));
    // The horizon ends with the year after the start day's.
    EXPECT_EQ(NextRingDate(newYearsEve, Moment(2002, 12, 30, 12, 0)), 0);
    EXPECT_EQ(NextRingDate(newYearsEve, Moment(2002, 12, 31, 12, 0)), Day(2004, 12, 31));
    EXPECT_EQ(NextRingDate(newYearsEve, Moment(2004, 12, 31, 7, 6)), 0);
    EXPECT_EQ(NextRingDateText(NextRingDate(newYearsEve, Moment(2004, 6, 1, 12, 0))), u"31 Dec 2004");
    EXPECT_EQ(NextRingDateText(0), u"<Expired>");
}

TEST(AlarmRules, NextRingDateStartsTomorrowWhenTodayIsDone)
{
    AlarmRecord alarm = DailyAlarm(1, QDate(2004, 1, 1), 7, 5);
    EXPECT_EQ(NextRingDate(alarm, Moment(2004, 3, 10, 7, 4)), Day(2004, 3, 10));
    EXPECT_EQ(NextRingDate(alarm, Moment(2004, 3, 10, 7, 5)), Day(2004, 3, 10));
    EXPECT_EQ(NextRingDate(alarm, Moment(2004, 3, 10, 7, 6)), Day(2004, 3, 11));
    // Less than a millisecond later counts as the same time.
    EXPECT_EQ(NextRingDate(alarm, Moment(2004, 3, 10, 7, 5) + 0.0004 / 86400), Day(2004, 3, 10));

    alarm.LastRung = Day(2004, 3, 10);
    EXPECT_EQ(NextRingDate(alarm, Moment(2004, 3, 10, 6, 0)), Day(2004, 3, 11));
    // Editing clears LastRung, and the alarm can ring again today.
    alarm.LastRung = 0;
    EXPECT_EQ(NextRingDate(alarm, Moment(2004, 3, 10, 6, 0)), Day(2004, 3, 10));

    alarm.Enabled = false;
    EXPECT_EQ(NextRingDate(alarm, Moment(2004, 3, 10, 6, 0)), 0);
}

TEST(AlarmRules, RingCheckFiresAtSecondsFourAndFiveOfTheAlarmsMinute)
{
    const std::vector<AlarmRecord> alarms { DailyAlarm(1, QDate(2004, 1, 1), 7, 5) };
    for (const auto& [second, expected] : std::vector<std::pair<int, int>> { { 3, -1 }, { 4, 0 }, { 5, 0 }, { 6, -1 } })
        EXPECT_EQ(FindDueAlarm(alarms, false, -1, Moment(2004, 3, 10, 7, 5, second)), expected) << second;
    EXPECT_EQ(FindDueAlarm(alarms, false, -1, Moment(2004, 3, 10, 7, 6, 4)), -1);
    EXPECT_EQ(FindDueAlarm(alarms, false, -1, Moment(2004, 3, 10, 19, 5, 4)), -1);
    // Before the start date the day rule fails.
    EXPECT_EQ(FindDueAlarm(alarms, false, -1, Moment(2003, 12, 31, 7, 5, 4)), -1);
}

TEST(AlarmRules, TheFirstDueAlarmInIndexOrderWins)
{
    std::vector<AlarmRecord> alarms { AlarmAt(AlarmRecord::Daily, 7, 5, "A"), AlarmAt(AlarmRecord::Daily, 7, 5, "B"),
        AlarmAt(AlarmRecord::Daily, 7, 5, "C") };
    const TDateTime ringMoment = Moment(2004, 3, 10, 7, 5, 4);
    EXPECT_EQ(FindDueAlarm(alarms, false, -1, ringMoment), 0);

    alarms[0].Enabled = false;
    alarms[1].LastRung = Day(2004, 3, 10);
    EXPECT_EQ(FindDueAlarm(alarms, false, -1, ringMoment), 2);
    alarms[1].LastRung = Day(2004, 3, 9) + 0.9;
    EXPECT_EQ(FindDueAlarm(alarms, false, -1, ringMoment), 1);
    alarms[1].LastRung = kNaN;
    EXPECT_EQ(FindDueAlarm(alarms, false, -1, ringMoment), 1);

    EXPECT_EQ(FindDueAlarm({}, false, -1, ringMoment), -1);
}

TEST(AlarmRules, MissedCheckAndSingleDayTest)
{
    const std::vector<AlarmRecord> alarms { AlarmAt(AlarmRecord::Daily, 9, 0, "Later"), AlarmAt(AlarmRecord::Daily, 7, 5, "Wake") };
    EXPECT_EQ(FindDueAlarm(alarms, true, -1, Moment(2004, 3, 10, 7, 5)), -1);
    EXPECT_EQ(FindDueAlarm(alarms, true, -1, Moment(2004, 3, 10, 7, 6)), 1);
    EXPECT_EQ(FindDueAlarm(alarms, true, -1, Moment(2004, 3, 10, 9, 1)), 0);

    // With an index only that alarm is tested, whatever the time of day.
    EXPECT_EQ(FindDueAlarm(alarms, true, 1, Day(2004, 3, 10)), 1);
    EXPECT_EQ(FindDueAlarm(alarms, false, 1, Day(2004, 3, 10)), 1);
    EXPECT_EQ(FindDueAlarm(alarms, true, 2, Day(2004, 3, 10)), -1);
}

TEST(AlarmRules, RulesThatCannotHoldNeverRing)
{
    struct Case {
        const char* what;
        AlarmRecord alarm;
    };
    auto with = [](AlarmRecord alarm, auto change) {
        change(alarm);
        return alarm;
    };
    const AlarmRecord daily = DailyAlarm(1, QDate(2004, 1, 1), 7, 5);
    const AlarmRecord weekly = WeeklyAlarm(1, QDate(2004, 1, 1), { 1, 2, 3, 4, 5, 6, 7 }, 7, 5);
    const AlarmRecord nth = MonthlyNthAlarm(1, 1, 7, 5);
    const Case cases[] = {
        { "mode 9", with(daily, [](AlarmRecord& a) { a.Mode = 9; }) },
        { "mode -1", with(daily, [](AlarmRecord& a) { a.Mode = -1; }) },
        { "every 0 days", with(daily, [](AlarmRecord& a) { a.EveryNdays = 0; }) },
        { "every -7 days", with(daily, [](AlarmRecord& a) { a.EveryNdays = -7; }) },
        { "every 0 weeks", with(weekly, [](AlarmRecord& a) { a.EveryNweeks = 0; }) },
        { "every -7 weeks", with(weekly, [](AlarmRecord& a) { a.EveryNweeks = -7; }) },
        { "MonthlyTheN 0", with(nth, [](AlarmRecord& a) { a.MonthlyTheN = 0; }) },
        { "MonthlyTheN 8", with(nth, [](AlarmRecord& a) { a.MonthlyTheN = 8; }) },
        { "MonthlyTheDay 12", with(nth, [](AlarmRecord& a) { a.MonthlyTheDay = 12; }) },
        { "MonthlyTheDay 0", with(nth, [](AlarmRecord& a) { a.MonthlyTheDay = 0; }) },
        { "MonthlyDay 0", MonthlyDayAlarm(0, 7, 5) },
        { "MonthlyDay 32", MonthlyDayAlarm(32, 7, 5) },
        { "NaN once date", with(OnceAlarm(QDate(2004, 3, 10), 7, 5), [](AlarmRecord& a) { a.OnceDate = kNaN; }) },
        { "huge start", with(daily, [](AlarmRecord& a) { a.DailyStart = -1e300; }) },
        { "infinite start", with(weekly, [](AlarmRecord& a) { a.WeeklyStart = -kInfinity; }) },
        { "NaN alarm time", with(daily, [](AlarmRecord& a) { a.AlarmTime = kNaN; }) },
        { "huge alarm time", with(daily, [](AlarmRecord& a) { a.AlarmTime = 1e300; }) },
    };
    for (const Case& c : cases) {
        const std::vector<AlarmRecord> alarms { c.alarm };
        bool rang = false;
        for (QDate day(2004, 1, 1); day <= QDate(2004, 12, 31); day = day.addDays(1))
            rang = rang || FindDueAlarm(alarms, false, -1, EncodeDateTime(day, QTime(7, 5, 4))) >= 0
                || FindDueAlarm(alarms, true, -1, EncodeDateTime(day, QTime(23, 0))) >= 0;
        EXPECT_FALSE(rang) << c.what;
        EXPECT_EQ(NextRingDate(c.alarm, Moment(2004, 1, 1, 0, 0)), 0) << c.what;
    }
}

TEST(AlarmRules, RandomRecordsNeverFailTheChecks)
{
    std::mt19937 random(11);
    for (int n = 0; n < 300; ++n) {
        AlarmRecordBytes bytes {};
        for (std::uint8_t& byte : bytes)
            byte = std::uint8_t(random());
        // Mostly small modes and intervals, so that every rule gets exercised.
        bytes[16] = std::uint8_t(random() % 6);
        bytes[17] = bytes[18] = bytes[19] = 0;
        const AlarmRecord alarm = ReadAlarmRecord(bytes);
        const std::vector<AlarmRecord> alarms { alarm };
        const TDateTime now = Moment(2004, 3, 10, 7, 5, 4);
        FindDueAlarm(alarms, false, -1, now);
        FindDueAlarm(alarms, true, -1, now);
        const TDateTime next = NextRingDate(alarm, now);
        EXPECT_TRUE(next == 0 || (next >= Day(2004, 3, 10) && next <= Day(2005, 12, 31)));
        AlarmTypeText(alarm.Mode);
        AlarmTimeText(alarm, true);
        NextRingDateText(next);
    }
}

TEST(AlarmRules, ListTexts)
{
    const AlarmRecord evening = AlarmAt(AlarmRecord::Weekly, 19, 5, "Wake");
    EXPECT_EQ(AlarmTimeText(evening, true), u"7: 05 pm");
    EXPECT_EQ(AlarmTimeText(evening, false), u"19: 05");
    EXPECT_EQ(AlarmTimeText(AlarmAt(AlarmRecord::Daily, 0, 30), true), u"12: 30 am");
    EXPECT_EQ(AlarmTimeText(AlarmAt(AlarmRecord::Daily, 0, 30), false), u"0: 30");
    EXPECT_EQ(NextRingDateText(Day(2004, 1, 5)), u"5 Jan 2004");
    EXPECT_EQ(AlarmTypeText(AlarmRecord::Once), u"Once");
    EXPECT_EQ(AlarmTypeText(AlarmRecord::Monthly), u"Monthly");
    EXPECT_EQ(AlarmTypeText(9), u"");
    EXPECT_EQ(MissedAlarmMessage(AlarmAt(AlarmRecord::Daily, 7, 5, "Wake")),
        u"Alarm \"Wake\" should've rung earlier(at 7: 05 am) today.");
}
