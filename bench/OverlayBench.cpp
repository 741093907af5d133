#include "overlay/OverlayComposer.h"
#include "platform/raster/Raster.h"
#include "skins/PatternTiles.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

// A clock as the tick loop leaves it: a face picture of the surface's size,
// the band in a pattern tile at 80 %, a circular marker on the middle band
// and the readout in the middle.
OverlayScene ClockScene(int side)
{
    OverlayScene scene;
    scene.Size = QSize(side, side);
    QImage face = NewRasterImage(scene.Size, MakeColor(0, 0, 0));
    DrawEllipse(face, QRect(side / 5, side / 5, side * 3 / 5, side * 3 / 5), MakeColor(255, 255, 255), MakeColor(166, 202, 240));
    DrawEllipse(face, QRect(side / 4, side / 4, side / 2, side / 2), MakeColor(0, 0, 128), MakeColor(255, 251, 240));
    scene.FacePicture = face;
    LoadPatternTile(2, scene.ColorBand.Brush.Image);
    scene.ColorBand.Brush.Color = MakeColor(255, 0, 0);
    scene.ColorBand.Transparency = 80;
    scene.srsSec.MarkerShape = msCircle;
    scene.srsSec.Radius = 5;
    scene.srsSec.FillColor = MakeColor(255, 0, 0);
    scene.srsDigit.Text = QStringLiteral("12:34:56 AM");
    scene.srsDigit.FontName = QStringLiteral("Arial");
    scene.srsDigit.FontSize = int(std::lround(side * 0.3 / 11));
    scene.srsDigit.Offset = -8;
    scene.srsDigit.FillColor = MakeColor(200, 200, 200);
    return scene;
}

// Where the marker and the readout stand at a given second.
void MoveToSecond(OverlayScene& scene, int second)
{
    const double angle = 3 * std::numbers::pi / 2 - second * std::numbers::pi / 30 + std::numbers::pi;
    scene.srsSec.X = 55 * std::cos(angle);
    scene.srsSec.Y = 55 * std::sin(angle);
    scene.srsDigit.Text = QStringLiteral("10:14:%1 AM").arg(second, 2, 10, QLatin1Char('0'));
}

// Everything composed from nothing, as at a skin change.
void BM_FullComposition(benchmark::State& state)
{
    OverlayScene scene = ClockScene(int(state.range(0)));
    int second = 0;
    for (auto _ : state) {
        MoveToSecond(scene, second++ % 60);
        benchmark::DoNotOptimize(OverlayComposer::ComposeAll(scene).constBits());
    }
}
BENCHMARK(BM_FullComposition)->Arg(400)->Arg(1000)->Unit(benchmark::kMicrosecond);

// An ordinary tick: the marker moves and the readout text changes over the
// kept face, frame and band.
void BM_TickRecomposition(benchmark::State& state)
{
    OverlayScene scene = ClockScene(int(state.range(0)));
    OverlayComposer composer;
    composer.Compose(scene);
    int second = 0;
    for (auto _ : state) {
        MoveToSecond(scene, second++ % 60);
        benchmark::DoNotOptimize(composer.Compose(scene).constBits());
        benchmark::DoNotOptimize(composer.TakeChangedRegion());
    }
}
BENCHMARK(BM_TickRecomposition)->Arg(400)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A minute change: a new face picture under the kept composer.
void BM_MinuteChange(benchmark::State& state)
{
    OverlayScene scene = ClockScene(int(state.range(0)));
    const QImage faces[2] = { scene.FacePicture, scene.FacePicture.copy() };
    OverlayComposer composer;
    int minute = 0;
    for (auto _ : state) {
        scene.FacePicture = faces[minute++ % 2];
        benchmark::DoNotOptimize(composer.Compose(scene).constBits());
    }
}
BENCHMARK(BM_MinuteChange)->Arg(400)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
