// Opening the skin gallery over 100 snapshots, to a painted page: the real
// options window (offscreen) turning to its gallery page, which decodes
// every snapshot at a reduced scale. Beside it, the decoding alone at that
// scale and at full size, the reference for the ratio. And a snapshot of a
// 300-pixel clock, from drawing to the file on disk. Qt scales pictures on
// worker threads, so the CPU time counted is the whole process's; on a busy
// machine the wall time is larger by the waiting.
#include "alarms/AlarmStore.h"
#include "clock/ClockSnapshot.h"
#include "options/OptionsWindow.h"
#include "platform/pictures/PictureLoader.h"
#include "skins/SkinFile.h"
#include "skins/SkinList.h"
#include "tests/options/OptionsTestSupport.h"
#include "tests/support/TempFolder.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

constexpr int kSnapshots = 100;
const QDateTime kMoment(QDate(2026, 3, 4), QTime(10, 8, 30));

// Skins of varied colours, shapes and textures, so that their snapshots
// compress as real ones do.
Skin VariedSkin(int i)
{
    Skin skin = DefaultSkin();
    skin.Square = i % 3 != 0;
    skin.Rounded = i % 3 == 2;
    skin.HourFirstColor = MakeColor(i * 37, 255 - i * 11, i * 5);
    skin.MinLastColor = MakeColor(i * 13, i * 7, 255 - i * 17);
    skin.Texture.setText(QString::number(i % 20));
    return skin;
}

// 100 skins and their snapshots in a program folder; the snapshots' paths.
QStringList WriteSkinsWithSnapshots(const TempFolder& home)
{
    QDir().mkpath(ScreenshotsFolder(home.path()));
    QStringList files;
    for (int i = 0; i < kSnapshots; ++i) {
        const QString name = QStringLiteral("skin%1").arg(i, 3, 10, QChar(u'0'));
        const Skin skin = VariedSkin(i);
        Skin saved = skin;
        SaveSkinFile(home.file(name + ".clk"), saved, home.path());
        files << SnapshotFile(name + ".clk", home.path());
        WriteSnapshot(files.last(), SnapshotPicture(skin, kMoment, QStringLiteral("h:mm:ss"), 96).Image);
    }
    return files;
}

void BM_OpenGalleryWith100Snapshots(benchmark::State& state)
{
    OptionsFixture o([](const TempFolder& home) { WriteSkinsWithSnapshots(home); });
    auto* pages = o.control<QTabWidget>("PageControl1");
    auto* gallery = o.control<QScrollArea>("ScrollBox1");
    for (auto _ : state) {
        pages->setCurrentIndex(0);
        pages->setCurrentIndex(OptionsWindow::kGalleryPage);
        benchmark::DoNotOptimize(gallery->grab());
    }
    if (o.thumbs().size() != kSnapshots)
        state.SkipWithError("the gallery did not show every snapshot");
}
BENCHMARK(BM_OpenGalleryWith100Snapshots)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// 100 thumbnails as the gallery makes them: decoded, then stretched to their
// square.
void MakeThumbnails(const QStringList& files, std::optional<QSize> atLeast)
{
    for (const QString& file : files)
        benchmark::DoNotOptimize(
            LoadPicture(file, atLeast).scaled(kThumbSide, kThumbSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// The 100 thumbnails decoded at the scale the gallery uses and at full
// size, one of each per iteration, timed in processor time of the whole
// process. The benchmark's time is the reduced one's; full_x says how many
// times more the full-size decoding takes.
void ThumbnailRatios(benchmark::State& state)
{
    TempFolder home;
    const QStringList files = WriteSkinsWithSnapshots(home);
    // Whichever runs first in an iteration pays for the memory the other
    // one gave back, so the two take turns at going first.
    const auto timed = [&](std::optional<QSize> atLeast) {
        const std::clock_t start = std::clock();
        MakeThumbnails(files, atLeast);
        return double(std::clock() - start);
    };
    double reducedTime = 0;
    double fullTime = 0;
    bool reducedFirst = true;
    for (auto _ : state) {
        double reduced = 0;
        if (reducedFirst)
            reduced = timed(QSize(kThumbSide, kThumbSide));
        fullTime += timed(std::nullopt);
        if (!reducedFirst)
            reduced = timed(QSize(kThumbSide, kThumbSide));
        reducedFirst = !reducedFirst;
        state.SetIterationTime(reduced / CLOCKS_PER_SEC);
        reducedTime += reduced;
    }
    state.counters["full_x"] = reducedTime > 0 ? fullTime / reducedTime : 0;
}
BENCHMARK(ThumbnailRatios)->UseManualTime()->Unit(benchmark::kMillisecond);

// A snapshot of a round, textured skin: composed, encoded and written.
void BM_Snapshot300(benchmark::State& state)
{
    TempFolder folder;
    const Skin skin = VariedSkin(3);
    for (auto _ : state)
        WriteSnapshot(folder.file("snapshot.jpg"), SnapshotPicture(skin, kMoment, QStringLiteral("h:mm:ss"), 96).Image);
}
BENCHMARK(BM_Snapshot300)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

} // namespace
