// The face renderer against the literal step-by-step definition, at the sizes
// a clock shows. Compare the times of one run: the ratio is what counts.
#include "app/ClockAngles.h"
#include "app/FaceRenderer.h"
#include "platform/Raster.h"
#include "tests/support/LiteralFaceRenderer.h"

#include <benchmark/benchmark.h>

namespace {

TSkin SkinOfShape(bool square)
{
    TSkin skin = DefaultSkin();
    skin.Square = square;
    return skin;
}

void Literal(benchmark::State& state)
{
    const int size = int(state.range(0));
    const TSkin skin = SkinOfShape(state.range(1) != 0);
    QImage face(size, size, kRasterFormat);
    for (auto _ : state) {
        DrawFaceLiterally(face, skin, HourAngle(10, 14), MinuteAngle(15));
        benchmark::DoNotOptimize(face.constBits());
    }
}

// A renderer kept across faces, as the clock keeps one: the pixel directions
// of the size are computed once.
void Production(benchmark::State& state)
{
    const int size = int(state.range(0));
    const TSkin skin = SkinOfShape(state.range(1) != 0);
    QImage face(size, size, kRasterFormat);
    TFaceRenderer renderer;
    for (auto _ : state) {
        renderer.DrawFace(face, skin, HourAngle(10, 14), MinuteAngle(15));
        benchmark::DoNotOptimize(face.constBits());
    }
}

// A new renderer for every face: the cost of the first face of a size.
void ProductionFirstFaceOfASize(benchmark::State& state)
{
    const int size = int(state.range(0));
    const TSkin skin = SkinOfShape(state.range(1) != 0);
    QImage face(size, size, kRasterFormat);
    for (auto _ : state) {
        TFaceRenderer renderer;
        renderer.DrawFace(face, skin, HourAngle(10, 14), MinuteAngle(15));
        benchmark::DoNotOptimize(face.constBits());
    }
}

void Sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({ "size", "square" });
    for (int size : { 400, 1000 })
        for (int square : { 0, 1 })
            benchmark->Args({ size, square });
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(Literal)->Apply(Sizes);
BENCHMARK(Production)->Apply(Sizes);
BENCHMARK(ProductionFirstFaceOfASize)->Apply(Sizes);
