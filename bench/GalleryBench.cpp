// Opening the skin gallery over 100 snapshots, to a painted page: the real
// options window (offscreen) turning to its gallery page, which decodes
// every snapshot at a reduced scale. Beside it, the decoding alone at that
// scale and at full size, the reference for the ratio. And a snapshot of a
// 300-pixel clock, from drawing to the file on disk.
#include "alarms/AlarmStore.h"
#include "app/ClockSnapshot.h"
#include "options/OptionsU.h"
#include "platform/PictureLoader.h"
#include "skins/SkinFile.h"
#include "skins/SkinList.h"
#include "tests/options/OptionsTestSupport.h"
#include "tests/support/TempFolder.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QTabWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSnapshots = 100;
const QDateTime kMoment(QDate(2026, 3, 4), QTime(10, 8, 30));

// Skins of varied colours, shapes and textures, so that their snapshots
// compress as real ones do.
TSkin VariedSkin(int i)
{
    TSkin skin = DefaultSkin();
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
        const TSkin skin = VariedSkin(i);
        TSkin saved = skin;
        SaveSkinFile(home.file(name + ".clk"), saved, home.path());
        files << SnapshotFile(name + ".clk", home.path());
        WriteSnapshot(files.last(), SnapshotPicture(skin, kMoment, QStringLiteral("h:mm:ss"), 96).Image);
    }
    return files;
}

void BM_OpenGalleryWith100Snapshots(benchmark::State& state)
{
    OptionsWindow o([](const TempFolder& home) { WriteSkinsWithSnapshots(home); });
    auto* pages = o.control<QTabWidget>("PageControl1");
    auto* gallery = o.control<QScrollArea>("ScrollBox1");
    for (auto _ : state) {
        pages->setCurrentIndex(0);
        pages->setCurrentIndex(TfrmOptions::kGalleryPage);
        benchmark::DoNotOptimize(gallery->grab());
    }
    if (o.thumbs().size() != kSnapshots)
        state.SkipWithError("the gallery did not show every snapshot");
}
BENCHMARK(BM_OpenGalleryWith100Snapshots)->Unit(benchmark::kMillisecond);

void DecodeAll(benchmark::State& state, std::optional<QSize> atLeast)
{
    TempFolder home;
    const QStringList files = WriteSkinsWithSnapshots(home);
    for (auto _ : state)
        for (const QString& file : files)
            benchmark::DoNotOptimize(LoadPicture(file, atLeast)
                                         .scaled(kThumbSide, kThumbSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// 100 thumbnails decoded at the scale the gallery uses, and at full size.
void BM_ThumbnailsDecodedReduced(benchmark::State& state)
{
    DecodeAll(state, QSize(kThumbSide, kThumbSide));
}
BENCHMARK(BM_ThumbnailsDecodedReduced)->Unit(benchmark::kMillisecond);

void BM_ThumbnailsDecodedFullSize(benchmark::State& state)
{
    DecodeAll(state, std::nullopt);
}
BENCHMARK(BM_ThumbnailsDecodedFullSize)->Unit(benchmark::kMillisecond);

// A snapshot of a round, textured skin: composed, encoded and written.
void BM_Snapshot300(benchmark::State& state)
{
    TempFolder folder;
    const TSkin skin = VariedSkin(3);
    for (auto _ : state)
        WriteSnapshot(folder.file("snapshot.jpg"), SnapshotPicture(skin, kMoment, QStringLiteral("h:mm:ss"), 96).Image);
}
BENCHMARK(BM_Snapshot300)->Unit(benchmark::kMillisecond);

} // namespace
