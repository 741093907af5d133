#include "app/FaceRenderer.h"

#include "app/ClockAngles.h"
#include "app/FaceColors.h"
#include "app/FaceGeometry.h"
#include "platform/Raster.h"
#include "platform/Rounding.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <thread>

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

struct Band {
    double turnOffset; // A + pi, for the fast path
    double angle;      // A, for the exact path
    const GradientTable* colours;

    void Paint(std::uint8_t* pixel, double direction, double dx, double dy) const
    {
        const double scaled = (direction + turnOffset) * 1000;
        const double shifted = scaled + kRoundingShift;
        const double rounded = shifted - kRoundingShift;
        int position;
        if (std::fabs(std::fabs(scaled - rounded) - 0.5) < kBoundaryMargin) {
            position = BandPosition(dx, dy, angle);
        } else {
            // Directions and hand angles keep the scaled sum within 0..3 turns.
            position = int(rounded);
            while (position >= kTurnLength)
                position -= kTurnLength;
        }
        const auto& colour = (*colours)[position];
        pixel[0] = colour[0];
        pixel[1] = colour[1];
        pixel[2] = colour[2];
    }
};

struct BandJob {
    QImage* bitmap;
    const FaceGeometry* face;
    const double* directions;
    Band hours;
    Band minutes;

    void PaintRows(int firstRow, int endRow) const
    {
        const int width = bitmap->width();
        const FaceGeometry& f = *face;
        const double inscribed2 = f.inscribed * f.inscribed;
        const double outer2 = f.outerEdge * f.outerEdge;
        const double inner2 = f.innerEdge * f.innerEdge;
        for (int y = firstRow; y < endRow; ++y) {
            std::uint8_t* row = bitmap->scanLine(y);
            const double* rowDirections = directions + std::size_t(y) * std::size_t(width);
            const double dy = y - f.cy;
            for (int x = 0; x < width; ++x) {
                const double dx = x - f.cx;
                std::uint8_t* pixel = row + 3 * x;
                if (f.square) {
                    if (std::fabs(dx) < f.innerEdge && std::fabs(dy) < f.innerEdge)
                        hours.Paint(pixel, rowDirections[x], dx, dy);
                    if (std::fabs(dx) > f.outerEdge || std::fabs(dy) > f.outerEdge)
                        minutes.Paint(pixel, rowDirections[x], dx, dy);
                    continue;
                }
                const double d2 = dx * dx + dy * dy;
                if (d2 > inscribed2 || (d2 > outer2 && d2 < inner2))
                    continue;
                if (d2 < inner2)
                    hours.Paint(pixel, rowDirections[x], dx, dy);
                if (d2 > outer2)
                    minutes.Paint(pixel, rowDirections[x], dx, dy);
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
    for (int i = -5; i <= kTics - 6; ++i) {
        const int penWidth = i == kTwelveOClockTic ? skin.TicsWidth + 2 : skin.TicsWidth;
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
