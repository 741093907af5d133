#include "alarms/AlarmRules.h"
#include "tests/alarms/AlarmFixtures.h"

#include <benchmark/benchmark.h>

namespace {

const TDateTime kNow = Moment(2004, 3, 10, 12, 0);

// The rebuilt list's "Next date to ring" column: one NextRingDate per alarm.
void NextRingDateOfHundredAlarms(benchmark::State& state)
{
    const std::vector<AlarmRecord> alarms = MixedAlarms(100);
    for (auto _ : state)
        for (const AlarmRecord& alarm : alarms)
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
