// The face renderer against the literal step-by-step definition and against
// memset of the same image, at the sizes a clock shows. Compare the times of
// one run: the ratios are what counts, and FaceRatios measures them in one
// loop, the three interleaved, so that they hold on a busy machine.
#include "clock/ClockAngles.h"
#include "clock/FaceRenderer.h"
#include "platform/raster/Raster.h"
#include "tests/support/LiteralFaceRenderer.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>

namespace {

Skin SkinOfShape(bool square)
{
    Skin skin = DefaultSkin();
    skin.Square = square;
    return skin;
}

void DrawFace(FaceRenderer& renderer, QImage& face, const Skin& skin)
{
    renderer.DrawFace(face, skin, HourAngle(10, 14), MinuteAngle(15));
    benchmark::DoNotOptimize(face.constBits());
}

void DrawLiteralFace(QImage& face, const Skin& skin)
{
    DrawFaceLiterally(face, skin, HourAngle(10, 14), MinuteAngle(15));
    benchmark::DoNotOptimize(face.constBits());
}

// Every byte of the image written once: the least a face can cost.
void FillBytes(QImage& face, int value)
{
    std::memset(face.bits(), value, std::size_t(face.sizeInBytes()));
    benchmark::DoNotOptimize(face.constBits());
}

void Literal(benchmark::State& state)
{
    const int size = int(state.range(0));
    const Skin skin = SkinOfShape(state.range(1) != 0);
    QImage face(size, size, kRasterFormat);
    for (auto _ : state)
        DrawLiteralFace(face, skin);
}

// A renderer kept across faces, as the clock keeps one: the pixel directions
// of the size are computed once.
void Production(benchmark::State& state)
{
    const int size = int(state.range(0));
    const Skin skin = SkinOfShape(state.range(1) != 0);
    QImage face(size, size, kRasterFormat);
    FaceRenderer renderer;
    for (auto _ : state)
        DrawFace(renderer, face, skin);
}

// A new renderer for every face: the cost of the first face of a size.
void ProductionFirstFaceOfASize(benchmark::State& state)
{
    const int size = int(state.range(0));
    const Skin skin = SkinOfShape(state.range(1) != 0);
    QImage face(size, size, kRasterFormat);
    for (auto _ : state) {
        FaceRenderer renderer;
        DrawFace(renderer, face, skin);
    }
}

void Memset(benchmark::State& state)
{
    const int size = int(state.range(0));
    QImage face(size, size, kRasterFormat);
    int value = 0;
    for (auto _ : state)
        FillBytes(face, ++value);
}

// The kept renderer's face, the literal face and memset, one of each per
// iteration, timed in processor time of the whole process (every thread
// counts). The benchmark's time is the renderer's; literal_x says how many
// times faster the renderer is than the literal face, memset_x how many
// times slower it is than memset.
void FaceRatios(benchmark::State& state)
{
    const int size = int(state.range(0));
    const Skin skin = SkinOfShape(state.range(1) != 0);
    QImage face(size, size, kRasterFormat);
    FaceRenderer renderer;
    DrawFace(renderer, face, skin);
    double rendererTime = 0;
    double literalTime = 0;
    double memsetTime = 0;
    int value = 0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        DrawFace(renderer, face, skin);
        const std::clock_t rendered = std::clock();
        DrawLiteralFace(face, skin);
        const std::clock_t drawnLiterally = std::clock();
        FillBytes(face, ++value);
        const std::clock_t filled = std::clock();
        state.SetIterationTime(double(rendered - start) / CLOCKS_PER_SEC);
        rendererTime += double(rendered - start);
        literalTime += double(drawnLiterally - rendered);
        memsetTime += double(filled - drawnLiterally);
    }
    state.counters["literal_x"] = rendererTime > 0 ? literalTime / rendererTime : 0;
    state.counters["memset_x"] = memsetTime > 0 ? rendererTime / memsetTime : 0;
}

void Sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({ "size", "square" });
    for (int size : { 400, 1000 })
        for (int square : { 0, 1 })
            benchmark->Args({ size, square });
    benchmark->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(Literal)->Apply(Sizes)->UseRealTime();
BENCHMARK(Production)->Apply(Sizes)->UseRealTime();
BENCHMARK(ProductionFirstFaceOfASize)->Apply(Sizes)->UseRealTime();
BENCHMARK(Memset)->ArgName("size")->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
// A fixed number of iterations: left to itself, the benchmark would run until
// the renderer's share alone reached its minimum time.
BENCHMARK(FaceRatios)->Apply(Sizes)->UseManualTime()->Iterations(30);
