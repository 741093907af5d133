// What a designer change costs: the real program's clock window and options
// window (offscreen); a change of a designer control is an edit of the live
// skin, which redraws the whole clock (shape, both faces, marker, texture,
// readout, composition) before it returns. Beside it, an ordinary tick of the
// same clock. One frame at 60 Hz is 16.7 ms.
#include "app/ClockWindow.h"
#include "options/OptionsWindow.h"
#include "platform/text/LocalClock.h"
#include "program/ClockProgram.h"
#include "skins/SkinFile.h"
#include "tests/support/TempFolder.h"
#include "widgets/SpinEdit.h"

#include <QCoreApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

// The program's clock of the given size after its first tick, at 10:14:00.
struct RunningClock {
    TempFolder home;
    QDateTime now { QDate(2026, 3, 4), QTime(10, 14, 0) };
    LocalClockSource previousClock;
    std::unique_ptr<ClockProgram> program;

    explicit RunningClock(int side)
    {
        home.becomeProgramFolder();
        previousClock = SetLocalClockSource([this] { return now; });
        Skin skin = DefaultSkin();
        skin.Square = false;
        skin.ClockSize = side;
        skin.Texture.setText(QStringLiteral("10")); // a pattern tile over the face
        SaveSkinFile(home.file(QStringLiteral("default.clk")), skin, home.path());
        program = std::make_unique<ClockProgram>();
        program->start();
        program->clockWindow().findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        QCoreApplication::processEvents();
        program->clockWindow().tick();
        QCoreApplication::processEvents();
    }
    ~RunningClock()
    {
        program.reset();
        SetLocalClockSource(previousClock);
    }

    SpinEdit* box(const char* name) const
    {
        return program->optionsWindow().findChild<SpinEdit*>(QLatin1String(name));
    }
};

// A step of the hours' middle position: everything is redrawn at the same
// size.
void BM_DesignerChange(benchmark::State& state)
{
    RunningClock running(int(state.range(0)));
    SpinEdit* middle = running.box("seHourMdC");
    int step = 0;
    for (auto _ : state) {
        middle->setValue(++step % 2 ? 55 : 50);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_DesignerChange)->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond);

// A step of the size box (or NumPad + and -): a new size every time.
void BM_DesignerSizeChange(benchmark::State& state)
{
    const int side = int(state.range(0));
    RunningClock running(side);
    SpinEdit* size = running.box("seSize");
    int step = 0;
    for (auto _ : state) {
        size->setValue(++step % 2 ? side - 5 : side);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_DesignerSizeChange)->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond);

// An ordinary tick of the same clock: the marker moves, the readout changes.
void BM_OrdinaryTickOfTheClock(benchmark::State& state)
{
    RunningClock running(int(state.range(0)));
    int second = 0;
    for (auto _ : state) {
        running.now.setTime(QTime(10, 14, ++second % 60));
        running.program->clockWindow().tick();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OrdinaryTickOfTheClock)->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
