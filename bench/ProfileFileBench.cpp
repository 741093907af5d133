#include "platform/files/AtomicFile.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/ProfileUpdate.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

namespace {

// A settings file of about 50 MB: the clock's keys, then sections that other
// programs keep in it.
class LargeSettings {
public:
    LargeSettings()
    {
        m_bytes = "[Default]\nSkin=Classic.clk\nOnTop=0\nDigFrm=0\n\n[Position]\nKeepIt=1\nLeft=100\nTop=50\n\n"
                  "[Size]\nKeepIt=1\nLastOne=400\n";
        const QByteArray line = "Entry=" + QByteArray(40, 'x') + '\n';
        for (int section = 0; m_bytes.size() < kSize; ++section)
            m_bytes += "\n[Other" + QByteArray::number(section) + "]\n" + line.repeated(1000);
        m_folder.write(QStringLiteral("vellamor.ini"), m_bytes);
    }

    QString path() const { return m_folder.file(QStringLiteral("vellamor.ini")); }
    const QByteArray& bytes() const { return m_bytes; }

private:
    static constexpr qsizetype kSize = qsizetype(50) << 20;
    TempFolder m_folder;
    QByteArray m_bytes;
};

// The keys the clock reads at the start, one read each.
void ReadSettingsFromLargeFile(benchmark::State& state)
{
    const LargeSettings settings;
    const ProfileFile file(settings.path());
    for (auto _ : state) {
        benchmark::DoNotOptimize(file.ReadString("Default", "Skin", QString()));
        for (const char* key : { "DigFrm", "OnTop" })
            benchmark::DoNotOptimize(file.ReadInteger("Default", key, 0));
        for (const char* key : { "DigFrmAMPM", "DigFrm24M" })
            benchmark::DoNotOptimize(file.ReadString("Default", key, QString()));
        for (const char* key : { "KeepIt", "Left", "Top" })
            benchmark::DoNotOptimize(file.ReadInteger("Position", key, 0));
        for (const char* key : { "KeepIt", "LastOne" })
            benchmark::DoNotOptimize(file.ReadInteger("Size", key, 0));
    }
}
BENCHMARK(ReadSettingsFromLargeFile)->Unit(benchmark::kMillisecond);

// The clock's save: eight keys in one update, one read and one replacement of
// the file.
void SaveSettingsToLargeFile(benchmark::State& state)
{
    const LargeSettings settings;
    int left = 0;
    for (auto _ : state) {
        ProfileUpdate update(settings.path());
        update.WriteString("Default", "Skin", "Classic.clk");
        update.WriteBool("Default", "OnTop", false);
        update.WriteInteger("Default", "DigFrm", 0);
        update.WriteBool("Position", "KeepIt", true);
        update.WriteInteger("Position", "Left", ++left);
        update.WriteInteger("Position", "Top", 50);
        update.WriteBool("Size", "KeepIt", true);
        update.WriteInteger("Size", "LastOne", 400);
        update.Commit();
    }
}
BENCHMARK(SaveSettingsToLargeFile)->Unit(benchmark::kMillisecond);

// Reference: replacing the file with the same bytes once.
void ReplaceLargeFileOnce(benchmark::State& state)
{
    const LargeSettings settings;
    for (auto _ : state)
        WriteFileAtomically(settings.path(), settings.bytes());
}
BENCHMARK(ReplaceLargeFileOnce)->Unit(benchmark::kMillisecond);

} // namespace
