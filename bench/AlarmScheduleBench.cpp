#include "alarms/AlarmRules.h"
#include "tests/alarms/AlarmFixtures.h"

#include <benchmark/benchmark.h>

namespace {

const TDateTime kNow = Moment(2004, 3, 10, 12, 0);

// A list of 100 alarms of every mode, a quarter of them expired, so that
// many walks go through the whole horizon of two years.
std::vector<TAlarmRec> MixedAlarms()
{
    std::vector<TAlarmRec> alarms;
    for (int i = 0; i < 25; ++i) {
        const int hour = i % 24;
        alarms.push_back(OnceAlarm(QDate(2004, 1, 1).addDays(i * 40), hour, 5)); // some passed, some ahead
        alarms.push_back(DailyAlarm(1 + i % 7, QDate(2004, 3, 1).addDays(i), hour, 30));
        alarms.push_back(WeeklyAlarm(1 + i % 3, QDate(2004, 1, 5), { 1 + i % 7 }, hour, 0));
        TAlarmRec monthly = i % 2 ? MonthlyDayAlarm(28 + i % 4, hour, 15) : MonthlyNthAlarm(1 + i % 5, 1 + i % 7, hour, 15);
        if (i % 5 == 0) {
            monthly.Months.fill(kFlagOff);
            monthly.Months[std::size_t(1 + i % 12)] = kFlagOn;
        }
        alarms.push_back(monthly);
    }
    return alarms;
}

// The rebuilt list's "Next date to ring" column: one NextRingDate per alarm.
void NextRingDateOfHundredAlarms(benchmark::State& state)
{
    const std::vector<TAlarmRec> alarms = MixedAlarms();
    for (auto _ : state)
        for (const TAlarmRec& alarm : alarms)
            benchmark::DoNotOptimize(NextRingDate(alarm, kNow));
}
BENCHMARK(NextRingDateOfHundredAlarms)->Unit(benchmark::kMillisecond);

// Reference: only walking the days of the horizon, for each of 100 alarms,
// without testing a rule.
void WalkTheHorizonHundredTimes(benchmark::State& state)
{
    const QDate today = DateOf(kNow);
    const QDate last(today.year() + 1, 12, 31);
    for (auto _ : state)
        for (int alarm = 0; alarm < 100; ++alarm)
            for (QDate day = today; day <= last; day = day.addDays(1))
                benchmark::DoNotOptimize(DateOf(EncodeDate(day)));
}
BENCHMARK(WalkTheHorizonHundredTimes)->Unit(benchmark::kMillisecond);

} // namespace
