#include "platform/raster/Raster.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

// The twelve tics of a clock face: wide lines from the centre to beyond the
// middle band, the way a face is drawn once a minute.
void BM_DrawFaceTics(benchmark::State& state)
{
    const int side = int(state.range(0));
    const int penWidth = int(state.range(1));
    QImage image = NewRasterImage(QSize(side, side), 0x000000);
    const QPoint centre(side / 2, side / 2);
    const double reach = side * 0.31;
    for (auto _ : state) {
        for (int i = -5; i <= 6; ++i) {
            const double angle = i * std::numbers::pi / 6;
            const QPoint end(centre.x() + int(std::lround(reach * std::cos(angle))),
                centre.y() + int(std::lround(reach * std::sin(angle))));
            DrawLine(image, centre, end, 0xFFFFFF, penWidth);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawFaceTics)->Args({ 400, 1 })->Args({ 400, 5 })->Args({ 1000, 5 })->Unit(benchmark::kMicrosecond);

} // namespace
