// Filling the alarm editor's list for a heavy user's store of 1,000 alarms
// (the goal: under 100 ms), beside the part of each row that is the
// schedule's, NextRingDate alone.
#include "alarms/AlarmRules.h"
#include "alarms/AlarmStore.h"
#include "alarms/ui/AlarmEditor.h"
#include "platform/text/LocalClock.h"
#include "tests/alarms/AlarmFixtures.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kHeavyUsersAlarms = 1000;
const TDateTime kNow = Moment(2004, 3, 10, 12, 0);

// The editor on a store of the heavy user's alarms, at a fixed moment.
class ListOfThousandAlarms {
public:
    ListOfThousandAlarms()
        : m_previousClock(SetLocalClockSource([] { return LocalFromDateTime(kNow); }))
    {
        m_store.replaceAll(MixedAlarms(kHeavyUsersAlarms));
    }
    ~ListOfThousandAlarms() { SetLocalClockSource(m_previousClock); }

    AlarmStore& store() { return m_store; }
    AlarmEditor& editor() { return m_editor; }

private:
    LocalClockSource m_previousClock;
    AlarmStore m_store { QStringLiteral("unused.cfg") };
    AlarmEditor m_editor { m_store };
};

// Every row rewritten from its record, as the 12/24-hour switch does.
void RefreshRowOfThousandAlarms(benchmark::State& state)
{
    ListOfThousandAlarms list;
    for (auto _ : state)
        list.editor().setTimeFormat(false);
}
BENCHMARK(RefreshRowOfThousandAlarms)->Unit(benchmark::kMillisecond);

// The whole list built again, as when the store is read at start.
void FillTheListOfThousandAlarms(benchmark::State& state)
{
    ListOfThousandAlarms list;
    const std::vector<AlarmRecord> alarms = MixedAlarms(kHeavyUsersAlarms);
    for (auto _ : state)
        list.store().replaceAll(alarms);
}
BENCHMARK(FillTheListOfThousandAlarms)->Unit(benchmark::kMillisecond);

// Reference: the next ring date of each alarm, with no list.
void NextRingDateOfThousandAlarms(benchmark::State& state)
{
    const std::vector<AlarmRecord> alarms = MixedAlarms(kHeavyUsersAlarms);
    for (auto _ : state)
        for (const AlarmRecord& alarm : alarms)
            benchmark::DoNotOptimize(NextRingDate(alarm, kNow));
}
BENCHMARK(NextRingDateOfThousandAlarms)->Unit(benchmark::kMillisecond);

} // namespace
