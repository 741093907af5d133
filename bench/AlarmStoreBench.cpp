#include "alarms/AlarmStore.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <QFile>

namespace {

// A store of count alarms of every mode, written once per size.
class StoreOnDisk {
public:
    explicit StoreOnDisk(int count)
    {
        std::vector<AlarmRecord> alarms;
        alarms.reserve(std::size_t(count));
        for (int i = 0; i < count; ++i) {
            const int hour = i % 24;
            const AlarmRecord kinds[] = { OnceAlarm(QDate(2004, 1, 1).addDays(i % 700), hour, 5),
                DailyAlarm(1 + i % 7, QDate(2004, 3, 1), hour, 30), WeeklyAlarm(1 + i % 3, QDate(2004, 1, 5), { 1 + i % 7 }, hour, 0),
                MonthlyDayAlarm(1 + i % 31, hour, 15) };
            alarms.push_back(kinds[i % 4]);
        }
        m_folder.write(QStringLiteral("Alarms.cfg"), StoreBytes(alarms));
    }

    QString path() const { return m_folder.file(QStringLiteral("Alarms.cfg")); }

private:
    TempFolder m_folder;
};

// LoadAlarms of 1,000 / 10,000 / 100,000 alarms into a fresh store: linear in
// the count, apart from what the memory itself costs (see TakeRecordMemory).
void LoadAlarmStore(benchmark::State& state)
{
    const StoreOnDisk store(int(state.range(0)));
    for (auto _ : state) {
        // A fresh store, as at the start of a run.
        AlarmStore alarms(store.path());
        alarms.LoadAlarms();
        benchmark::DoNotOptimize(alarms.records().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LoadAlarmStore)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Reference: reading the same file's bytes in one piece.
void ReadStoreBytes(benchmark::State& state)
{
    const StoreOnDisk store(int(state.range(0)));
    for (auto _ : state) {
        QFile file(store.path());
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadStoreBytes)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Reference: only taking the memory that count records hold in the store.
// Above a few megabytes this is fresh memory from the system at every load.
void TakeRecordMemory(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<AlarmRecord> alarms(std::size_t(state.range(0)));
        benchmark::DoNotOptimize(alarms.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(TakeRecordMemory)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
