#include "clock/FaceRenderer.h"

#include "clock/ClockAngles.h"
#include "clock/FaceColors.h"
#include "clock/FaceGeometry.h"
#include "platform/raster/Raster.h"
#include "platform/raster/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kTics = 12;
constexpr int kTwelveOClockTic = -3;
constexpr int kHandPosition = 3142; // half a turn from the hand
// Scaled positions in fixed point, as the direction table keeps its angles.
constexpr int kFractionBits = 18;
static_assert(1 << kFractionBits == FaceDirections::kStepsPerMilliradian);
constexpr std::uint32_t kHalfStep = 1u << (kFractionBits - 1);
// A position whose scaled value lies this many steps or fewer from a rounding
// boundary is redone in extended precision; the table's angles and the band's
// offset are within 1.6 steps of the exact values.
constexpr std::uint32_t kBoundaryMargin = 8;
// A band's scaled positions are offset into this many milliradians and one
// turn more before a pixel's direction (at most a quarter turn either way) is
// added, so that they stay positive, below two turns and within the 32 bits
// of fixed point.
constexpr long double kLowestOffset = 1600;

// A band's colours by position as the image's pixels, for two turns, so that
// a scaled position needs no reduction to one turn.
using ColourTable = std::vector<QRgb>;

ColourTable BandColours(TColor first, TColor last, int middle)
{
    const std::vector<TColor> gradient = GradientColors(first, last, kTurnLength, middle);
    ColourTable colours(2 * gradient.size());
    std::transform(gradient.begin(), gradient.end(), colours.begin(), ToQRgb);
    std::copy(colours.begin(), colours.begin() + std::ptrdiff_t(gradient.size()), colours.begin() + std::ptrdiff_t(gradient.size()));
    return colours;
}

// Writes count pixels from pixel on, left to right, colour by colour.
template <typename ColourOf>
void WritePixels(QRgb* pixel, int count, ColourOf colourOf)
{
    for (int i = 0; i < count; ++i)
        pixel[i] = colourOf(i);
}

// The four quarters around the centre, which mirror the direction table:
// a pixel's direction is sign * tableAngle + turn.
struct Quarter {
    int sign;
    long double turn;
};
constexpr std::array<Quarter, 4> kQuarters { {
    { 1, 0 },             // below right
    { -1, 0 },            // above right
    { -1, kPiExtended },  // below left
    { 1, -kPiExtended },  // above left
} };

struct Band {
    double angle; // A
    const ColourTable* colours;
    // Per quarter, the scaled position (w + A + pi) * 1000 of a pixel, less
    // whole turns, in steps: offset + (tableAngle ^ flip), where flip is all
    // ones for the quarters that take the table's angle negated
    // (-a = (a ^ ~0) + 1, the 1 being in the offset). low and high are the
    // offset with half a step for the rounding, less and plus the margin.
    std::array<std::uint32_t, 4> flip;
    std::array<std::uint32_t, 4> low;
    std::array<std::uint32_t, 4> high;

    Band(double handAngle, const ColourTable& table) : angle(handAngle), colours(&table)
    {
        for (std::size_t quarter = 0; quarter < kQuarters.size(); ++quarter) {
            const Quarter& q = kQuarters[quarter];
            long double offset = std::fmod(1000 * (q.turn + angle + kPiExtended) - kLowestOffset, kTurnLength);
            if (!(offset >= 0))
                offset = offset < 0 ? offset + kTurnLength : 0; // not a number: 0
            const std::uint32_t steps = std::uint32_t(std::llround((offset + kLowestOffset) * (1 << kFractionBits)))
                + kHalfStep + (q.sign < 0 ? 1 : 0);
            flip[quarter] = q.sign < 0 ? ~0u : 0u;
            low[quarter] = steps - kBoundaryMargin;
            high[quarter] = steps + kBoundaryMargin;
        }
    }

    // The positions of count pixels from their table angles, each rounded a
    // margin below and a margin above: the two agree unless a rounding
    // boundary lies between them, and a pixel where they do not is redone.
    template <typename ExactPosition>
    void Positions(const std::int32_t* angles, int count, std::size_t quarter, int* positions,
        ExactPosition exactPosition) const
    {
        const std::uint32_t flipMask = flip[quarter];
        const std::uint32_t lowBase = low[quarter];
        const std::uint32_t highBase = high[quarter];
        const auto rounded = [=](std::int32_t angle, std::uint32_t base) {
            return (base + (std::uint32_t(angle) ^ flipMask)) >> kFractionBits;
        };
        // A plain loop over arrays, so that the compiler vectorises it.
        std::uint32_t boundaries = 0;
        for (int i = 0; i < count; ++i) {
            const std::uint32_t position = rounded(angles[i], lowBase);
            boundaries |= position ^ rounded(angles[i], highBase);
            positions[i] = int(position);
        }
        if (boundaries != 0)
            for (int i = 0; i < count; ++i)
                if (rounded(angles[i], lowBase) != rounded(angles[i], highBase))
                    positions[i] = exactPosition(i);
    }
};

// The pixels of a row on one side of the centre, by their index in the
// direction table (|dx| = index + column offset).
struct HalfRow {
    std::size_t quarter;
    int origin;    // the column of index 0
    int direction; // +1 rightwards, -1 leftwards
    int first;     // the indices on this side
    int end;

    int ColumnOf(int index) const { return origin + direction * index; }
    // The leftmost column of the indices first..end - 1.
    int LeftColumn(int from, int to) const { return direction > 0 ? ColumnOf(from) : ColumnOf(to - 1); }
};

// The bands of a row by table index, the same on both sides of the centre:
// hours before hoursEnd, minutes from minutesBegin to minutesEnd, background
// elsewhere.
struct RowBands {
    int hoursEnd;
    int minutesBegin;
    int minutesEnd;
};

// The first index in 0..count at which the condition holds, for a condition
// that is false and then true along the indices; guess is a close estimate.
template <typename Condition>
int FirstWhere(double guess, int count, Condition holds)
{
    int index = guess > 0 ? int(std::min(guess, double(count))) : 0;
    while (index > 0 && holds(index - 1))
        --index;
    while (index < count && !holds(index))
        ++index;
    return index;
}

class BandPainter {
public:
    BandPainter(QImage& bitmap, const FaceGeometry& face, const FaceDirections& directions)
        : m_bitmap(bitmap), m_face(face), m_directions(directions)
    {
        const int width = bitmap.width();
        m_right = { 0, (width + 1) / 2, 1, 0, width - (width + 1) / 2 };
        m_left = { 2, width / 2, -1, width % 2 ? 0 : 1, width / 2 + 1 };
        m_positions.resize(std::size_t(directions.Columns()));
    }

    // Which band each pixel of a row shows, as the bands are painted: the
    // minutes over the hours.
    RowBands BandsOf(int y) const
    {
        const FaceGeometry& f = m_face;
        const double dy = std::fabs(y - f.cy);
        const double offset = m_directions.ColumnOffset();
        const int count = m_directions.Columns();
        const auto dx = [offset](int index) { return index + offset; };
        RowBands bands {};
        if (f.square) {
            // Rows beyond an edge start with the band beyond it.
            const bool hoursRow = dy < f.innerEdge && dy <= f.outerEdge;
            const bool minutesRow = dy > f.outerEdge;
            bands.hoursEnd = FirstWhere(hoursRow ? std::min(f.innerEdge, f.outerEdge) - offset : 0, count,
                [&](int i) { return !(hoursRow && dx(i) < f.innerEdge && dx(i) <= f.outerEdge); });
            bands.minutesBegin = FirstWhere(minutesRow ? 0 : f.outerEdge - offset, count,
                [&](int i) { return minutesRow || dx(i) > f.outerEdge; });
            bands.minutesEnd = count;
            return bands;
        }
        const double inscribed2 = f.inscribed * f.inscribed;
        const double outer2 = f.outerEdge * f.outerEdge;
        const double inner2 = f.innerEdge * f.innerEdge;
        const auto d2 = [&](int index) { return dx(index) * dx(index) + dy * dy; };
        // About the index where the circle of squared radius radius2 meets the row.
        const auto meeting = [&](double radius2) { return std::sqrt(std::max(radius2 - dy * dy, 0.0)) - offset; };
        bands.hoursEnd = FirstWhere(meeting(std::min({ inner2, outer2, inscribed2 })), count,
            [&](int i) { return !(d2(i) < inner2 && d2(i) <= outer2 && d2(i) <= inscribed2); });
        bands.minutesBegin = FirstWhere(meeting(std::max(outer2, inner2)), count,
            [&](int i) { return d2(i) > outer2 && d2(i) >= inner2; });
        bands.minutesEnd = std::max(bands.minutesBegin,
            FirstWhere(meeting(inscribed2), count, [&](int i) { return d2(i) > inscribed2; }));
        return bands;
    }

    // The background runs of a row, copied from a row of the background
    // colour.
    void FillBackground(int y, const RowBands& bands, const QRgb* background) const
    {
        QRgb* row = Row(y);
        for (const HalfRow& half : { m_right, m_left })
            for (const auto& [from, to] : { std::pair(bands.hoursEnd, bands.minutesBegin),
                     std::pair(bands.minutesEnd, half.end) }) {
                const int first = std::max(from, half.first);
                const int end = std::min(to, half.end);
                if (first < end) {
                    const std::size_t left = std::size_t(half.LeftColumn(first, end));
                    std::memcpy(row + left, background + left, sizeof(QRgb) * std::size_t(end - first));
                }
            }
    }

    void PaintBands(int y, const RowBands& bands, const Band& hours, const Band& minutes)
    {
        QRgb* row = Row(y);
        const double dy = y - m_face.cy;
        const std::int32_t* angles = m_directions.Row(int(std::fabs(dy) - m_directions.RowOffset()));
        for (HalfRow half : { m_right, m_left }) {
            half.quarter += dy < 0 ? 1 : 0;
            PaintRun(row, half, angles, half.first, std::min(bands.hoursEnd, half.end), dy, hours);
            PaintRun(row, half, angles, std::max(bands.minutesBegin, half.first), std::min(bands.minutesEnd, half.end),
                dy, minutes);
        }
    }

private:
    QRgb* Row(int y) const { return reinterpret_cast<QRgb*>(m_bitmap.scanLine(y)); }

    void PaintRun(QRgb* row, const HalfRow& half, const std::int32_t* angles, int first, int end, double dy,
        const Band& band)
    {
        const int count = end - first;
        if (count <= 0)
            return;
        int* positions = m_positions.data();
        band.Positions(angles + first, count, half.quarter, positions, [&](int i) {
            return BandPosition(half.direction * (first + i + m_directions.ColumnOffset()), dy, band.angle);
        });
        const QRgb* colours = band.colours->data(); // a local pointer, which the stores cannot change
        QRgb* leftmost = row + half.LeftColumn(first, end);
        if (half.direction > 0)
            WritePixels(leftmost, count, [&](int i) { return colours[positions[i]]; });
        else
            WritePixels(leftmost, count, [&](int i) { return colours[positions[count - 1 - i]]; });
    }

    QImage& m_bitmap;
    const FaceGeometry& m_face;
    const FaceDirections& m_directions;
    HalfRow m_right;
    HalfRow m_left;
    std::vector<int> m_positions;
};

// A tic from the centre, where the hours cover the disc of radius hidden
// around the centre and paint over the part of the tic inside it: only the
// rows of the rest are drawn, on a view of those rows of the bitmap, and in
// them the pixels are the ones the whole line gives.
void DrawTic(QImage& bitmap, QPoint centre, QPoint end, TColor colour, int penWidth, double hidden)
{
    // The pen's pixels lie within penWidth / 2 + 1 of the line, and the
    // centre is rounded by up to 0.71 pixels.
    const double reach = std::max(penWidth, 1) / 2.0 + 2;
    const QPoint along = end - centre;
    const double length = std::hypot(along.x(), along.y());
    const double covered = length > 0 ? std::clamp((hidden - reach) / length, 0.0, 1.0) : 0.0;
    const double shownFromY = centre.y() + covered * along.y();
    const int top = std::max(int(std::floor(std::min(shownFromY, double(end.y())) - reach)), 0);
    const int bottom = std::min(int(std::ceil(std::max(shownFromY, double(end.y())) + reach)), bitmap.height() - 1);
    if (top > bottom)
        return;
    QImage rows(bitmap.scanLine(top), bitmap.width(), bottom - top + 1, bitmap.bytesPerLine(), bitmap.format());
    DrawLine(rows, centre - QPoint(0, top), end - QPoint(0, top), colour, penWidth);
}

} // namespace

int BandPosition(double dx, double dy, double handAngle)
{
    const long double w = dx == 0 ? (dy > 0 ? kPiExtended / 2 : -kPiExtended / 2)
                                  : std::atan2(static_cast<long double>(dy), static_cast<long double>(dx));
    const double scaled = double(w + handAngle + kPiExtended) * 1000;
    if (!std::isfinite(scaled))
        return 0;
    // The rounded value modulo a turn, kept within 0..6282 for any angle.
    const int position = int(std::fmod(std::nearbyint(scaled), kTurnLength));
    return position < 0 ? position + kTurnLength : position;
}

void FaceRenderer::DrawFace(QImage& bitmap, const Skin& skin, double hourAngle, double minuteAngle)
{
    if (bitmap.format() != kRasterFormat)
        bitmap = QImage(bitmap.size(), kRasterFormat);
    if (bitmap.isNull())
        return;
    const FaceGeometry face = FaceGeometry::Of(bitmap.size(), skin);

    m_directions.Prepare(bitmap.size());
    bitmap.bits(); // detach once, before the rows are written
    BandPainter painter(bitmap, face, m_directions);
    std::vector<RowBands> rows(std::size_t(bitmap.height()));
    const TColor background = ResolveSystemColor(skin.TicsBandColor);
    const std::vector<QRgb> backgroundRow(std::size_t(bitmap.width()), ToQRgb(background));
    for (int y = 0; y < bitmap.height(); ++y) {
        rows[std::size_t(y)] = painter.BandsOf(y);
        painter.FillBackground(y, rows[std::size_t(y)], backgroundRow.data());
    }

    const QPoint centre(int(RoundHalfEven(face.cx)), int(RoundHalfEven(face.cy)));
    const TColor ticsColour = ResolveSystemColor(skin.TicsColor);
    // Below 1 every pen draws a thin line, and from twice the bitmap's extent
    // on a pen from the centre covers all of it: the bound changes no picture.
    const int ticsWidth = std::clamp(skin.TicsWidth, -1, 2 * (bitmap.width() + bitmap.height()));
    for (int i = -5; i <= kTics - 6; ++i) {
        const int penWidth = i == kTwelveOClockTic ? ticsWidth + 2 : ticsWidth;
        DrawTic(bitmap, centre, FacePoint(face, face.outerEdge + 2, i * kPiExtended / 6), ticsColour, penWidth,
            std::min({ face.innerEdge, face.outerEdge, face.inscribed }));
    }

    const ColourTable hourColours = BandColours(skin.HourFirstColor, skin.HourLastColor, skin.HourMiddlePos);
    const ColourTable minuteColours = BandColours(skin.MinFirstColor, skin.MinLastColor, skin.MinMiddlePos);
    const Band hours(hourAngle, hourColours);
    const Band minutes(minuteAngle, minuteColours);
    for (int y = 0; y < bitmap.height(); ++y)
        painter.PaintBands(y, rows[std::size_t(y)], hours, minutes);

    DrawLine(bitmap, centre, FacePoint(face, face.innerEdge, kPiExtended - hourAngle),
        GradientColor(skin.HourFirstColor, skin.HourLastColor, kTurnLength, kHandPosition, skin.HourMiddlePos));
    DrawLine(bitmap, FacePoint(face, face.outerEdge, kPiExtended - minuteAngle),
        FacePoint(face, (face.cx + face.cy) / 2, kPiExtended - minuteAngle),
        GradientColor(skin.MinFirstColor, skin.MinLastColor, kTurnLength, kHandPosition, skin.MinMiddlePos));
}
