#include "app/FaceRenderer.h"

#include "app/ClockAngles.h"
#include "app/FaceColors.h"
#include "app/FaceGeometry.h"
#include "platform/Raster.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

constexpr int kTics = 12;
constexpr int kTwelveOClockTic = -3;
constexpr int kHandPosition = 3142; // half a turn from the hand
// A computed position whose fraction lies this close to one half is redone in
// extended precision; the fast path's error is below 1e-11.
constexpr double kBoundaryMargin = 1e-7;
// Adding and subtracting 1.5 * 2^52 rounds a double of magnitude below 2^51
// to an integer, halves to even, in the default rounding mode, without a call
// into the maths library.
constexpr double kRoundingShift = 6755399441055744.0;

using GradientTable = std::array<std::array<std::uint8_t, 3>, kTurnLength>;

GradientTable BandGradient(TColor first, TColor last, int middle)
{
    GradientTable table;
    for (int position = 0; position < kTurnLength; ++position) {
        const TColor colour = GradientColor(first, last, kTurnLength, position, middle);
        table[position] = { std::uint8_t(RedOf(colour)), std::uint8_t(GreenOf(colour)), std::uint8_t(BlueOf(colour)) };
    }
    return table;
}

// Which band gives a pixel its colour, as the bands are painted: the minute
// colour goes over the hour colour.
enum Region : std::uint8_t { Background, Hours, Minutes };

struct Band {
    double turnOffset; // A + pi, for the fast path
    double angle;      // A, for the exact path
    const GradientTable* colours;

    // Paints the pixels first..last of a row, all of this band.
    void PaintRun(std::uint8_t* row, const double* directions, int first, int last, double cx, double dy,
        std::vector<int>& positions) const
    {
        const int count = last - first + 1;
        positions.resize(std::size_t(count));
        int* out = positions.data();
        const double* in = directions + first;
        // Positions and whether any lies near a rounding boundary; written
        // as a plain loop over arrays so the compiler can vectorise it.
        int nearBoundary = 0;
        for (int i = 0; i < count; ++i) {
            const double scaled = (in[i] + turnOffset) * 1000;
            const double rounded = (scaled + kRoundingShift) - kRoundingShift;
            const double distanceFromHalf = std::fabs(std::fabs(scaled - rounded) - 0.5);
            nearBoundary |= distanceFromHalf < kBoundaryMargin;
            int position = int(rounded);
            // Directions and hand angles keep the scaled sum within 0..3 turns.
            position -= position >= kTurnLength ? kTurnLength : 0;
            position -= position >= kTurnLength ? kTurnLength : 0;
            out[i] = position;
        }
        if (nearBoundary) {
            for (int i = 0; i < count; ++i) {
                const double scaled = (in[i] + turnOffset) * 1000;
                const double rounded = (scaled + kRoundingShift) - kRoundingShift;
                if (std::fabs(std::fabs(scaled - rounded) - 0.5) < kBoundaryMargin)
                    out[i] = BandPosition(first + i - cx, dy, angle);
            }
        }
        std::uint8_t* pixel = row + 3 * first;
        for (int i = 0; i < count; ++i, pixel += 3) {
            const auto& colour = (*colours)[std::size_t(out[i])];
            pixel[0] = colour[0];
            pixel[1] = colour[1];
            pixel[2] = colour[2];
        }
    }
};

struct BandJob {
    QImage* bitmap;
    const FaceGeometry* face;
    const double* directions;
    Band hours;
    Band minutes;

    Region RegionAt(double dx, double dy, double inscribed2, double outer2, double inner2) const
    {
        const FaceGeometry& f = *face;
        if (f.square) {
            if (std::fabs(dx) > f.outerEdge || std::fabs(dy) > f.outerEdge)
                return Minutes;
            return std::fabs(dx) < f.innerEdge && std::fabs(dy) < f.innerEdge ? Hours : Background;
        }
        const double d2 = dx * dx + dy * dy;
        if (d2 > inscribed2 || (d2 > outer2 && d2 < inner2))
            return Background;
        if (d2 > outer2)
            return Minutes;
        return d2 < inner2 ? Hours : Background;
    }

    void PaintRows(int firstRow, int endRow) const
    {
        const int width = bitmap->width();
        const FaceGeometry& f = *face;
        const double inscribed2 = f.inscribed * f.inscribed;
        const double outer2 = f.outerEdge * f.outerEdge;
        const double inner2 = f.innerEdge * f.innerEdge;
        std::vector<int> positions;
        for (int y = firstRow; y < endRow; ++y) {
            std::uint8_t* row = bitmap->scanLine(y);
            const double* rowDirections = directions + std::size_t(y) * std::size_t(width);
            const double dy = y - f.cy;
            // Runs of pixels of one band, each painted in one go.
            int runStart = 0;
            Region runRegion = RegionAt(0 - f.cx, dy, inscribed2, outer2, inner2);
            for (int x = 1; x <= width; ++x) {
                const Region region = x < width ? RegionAt(x - f.cx, dy, inscribed2, outer2, inner2) : Background;
                if (region == runRegion && x < width)
                    continue;
                if (runRegion != Background)
                    (runRegion == Hours ? hours : minutes)
                        .PaintRun(row, rowDirections, runStart, x - 1, f.cx, dy, positions);
                runStart = x;
                runRegion = region;
            }
        }
    }
};

} // namespace

int BandPosition(double dx, double dy, double handAngle)
{
    const long double w = dx == 0 ? (dy > 0 ? kPiExtended / 2 : -kPiExtended / 2)
                                  : std::atan2(static_cast<long double>(dy), static_cast<long double>(dx));
    const double sum = double(w + handAngle + kPiExtended);
    return int(RoundHalfEven(sum * 1000) % kTurnLength);
}

void TFaceRenderer::PrepareDirections(QSize size)
{
    if (size == m_directionsSize)
        return;
    m_directions.resize(std::size_t(size.width()) * std::size_t(size.height()));
    const double cx = size.width() / 2.0;
    const double cy = size.height() / 2.0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const double dx = x - cx;
            const double dy = y - cy;
            m_directions[std::size_t(y) * std::size_t(size.width()) + std::size_t(x)]
                = dx == 0 ? (dy > 0 ? M_PI / 2 : -M_PI / 2) : std::atan2(dy, dx);
        }
    m_directionsSize = size;
}

void TFaceRenderer::DrawFace(QImage& bitmap, const TSkin& skin, double hourAngle, double minuteAngle)
{
    if (bitmap.format() != kRasterFormat)
        bitmap = QImage(bitmap.size(), kRasterFormat);
    if (bitmap.isNull())
        return;
    const FaceGeometry face = FaceGeometry::Of(bitmap.size(), skin);

    FillRect(bitmap, bitmap.rect(), ResolveSystemColor(skin.TicsBandColor));
    const QPoint centre(int(RoundHalfEven(face.cx)), int(RoundHalfEven(face.cy)));
    const TColor ticsColour = ResolveSystemColor(skin.TicsColor);
    // Below 1 every pen draws a thin line, and from twice the bitmap's extent
    // on a pen from the centre covers all of it: the bound changes no picture.
    const int ticsWidth = std::clamp(skin.TicsWidth, -1, 2 * (bitmap.width() + bitmap.height()));
    for (int i = -5; i <= kTics - 6; ++i) {
        const int penWidth = i == kTwelveOClockTic ? ticsWidth + 2 : ticsWidth;
        DrawLine(bitmap, centre, FacePoint(face, face.outerEdge + 2, i * kPiExtended / 6), ticsColour, penWidth);
    }

    PrepareDirections(bitmap.size());
    const GradientTable hourColours = BandGradient(skin.HourFirstColor, skin.HourLastColor, skin.HourMiddlePos);
    const GradientTable minuteColours = BandGradient(skin.MinFirstColor, skin.MinLastColor, skin.MinMiddlePos);
    const BandJob job { &bitmap, &face, m_directions.data(),
        { double(hourAngle + kPiExtended), hourAngle, &hourColours },
        { double(minuteAngle + kPiExtended), minuteAngle, &minuteColours } };
    bitmap.bits(); // detach once, before the rows are shared out
    const int height = bitmap.height();
    const int workers = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    {
        std::vector<std::jthread> threads;
        for (int worker = 1; worker < workers; ++worker)
            threads.emplace_back([&job, worker, workers, height] {
                job.PaintRows(height * worker / workers, height * (worker + 1) / workers);
            });
        job.PaintRows(0, height / workers);
    }

    DrawLine(bitmap, centre, FacePoint(face, face.innerEdge, kPiExtended - hourAngle),
        GradientColor(skin.HourFirstColor, skin.HourLastColor, kTurnLength, kHandPosition, skin.HourMiddlePos));
    DrawLine(bitmap, FacePoint(face, face.outerEdge, kPiExtended - minuteAngle),
        FacePoint(face, (face.cx + face.cy) / 2, kPiExtended - minuteAngle),
        GradientColor(skin.MinFirstColor, skin.MinLastColor, kTurnLength, kHandPosition, skin.MinMiddlePos));
}
