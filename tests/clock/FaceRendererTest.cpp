#include "clock/ClockAngles.h"
#include "clock/FaceColors.h"
#include "clock/FaceDirections.h"
#include "clock/FaceGeometry.h"
#include "clock/FaceRenderer.h"
#include "platform/raster/Raster.h"
#include "tests/support/LiteralFaceRenderer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

namespace {

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

QImage Render(const Skin& skin, int size, int hour, int minute)
{
    QImage face(size, size, QImage::Format_RGB888); // made the raster format
    FaceRenderer renderer;
    renderer.DrawFace(face, skin, HourAngle(hour % 12, minute), MinuteAngle(minute));
    return face;
}

Skin Circular()
{
    Skin skin = DefaultSkin();
    skin.Square = false;
    return skin;
}

TEST(FaceColors, MixColorRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MixColor(kBlack, kWhite, 100, 30), MakeColor(77, 77, 77));
    EXPECT_EQ(MixColor(kWhite, kBlack, 100, 30), MakeColor(178, 178, 178)); // 255 - 76.5
    EXPECT_EQ(MixColor(MakeColor(10, 20, 30), MakeColor(200, 100, 0), 6283, 0), MakeColor(10, 20, 30));
    EXPECT_EQ(MixColor(MakeColor(10, 20, 30), MakeColor(200, 100, 0), 6283, 6283), MakeColor(200, 100, 0));
}

TEST(FaceColors, GradientMiddlePositions)
{
    const TColor first = MakeColor(255, 0, 0);
    const TColor last = MakeColor(0, 0, 255);
    for (int pos : { 0, 1, 1000, 3141, 3142, 3143, 6282 }) {
        EXPECT_EQ(GradientColor(first, last, 6283, pos, 0), GradientColor(first, last, 6283, pos, 50)) << pos;
        EXPECT_EQ(GradientColor(first, last, 6283, pos, 100), GradientColor(first, last, 6283, pos, 99)) << pos;
        EXPECT_EQ(GradientColor(first, last, 6283, pos, -20), GradientColor(first, last, 6283, pos, 1)) << pos;
    }
    EXPECT_EQ(GradientColor(first, last, 6283, 0, 30), first);
    // With the middle at 50 the hand is drawn in the mean colour, 3141/6283 of the way.
    EXPECT_EQ(GradientColor(first, last, 6283, 3142, 50), MixColor(first, last, 6283, 3141));
}

TEST(FaceColors, GradientColorsEqualGradientColorAtEveryPosition)
{
    struct Case {
        TColor first;
        TColor last;
        int total;
        int mid;
    };
    const Case cases[] = {
        { MakeColor(255, 0, 0), MakeColor(0, 0, 255), 6283, 50 },
        { kBlack, kWhite, 6283, 1 },
        { kWhite, kBlack, 6283, 99 },
        { MakeColor(10, 200, 30), MakeColor(250, 3, 31), 6283, 0 },
        { MakeColor(10, 200, 30), MakeColor(250, 3, 31), 6283, 100 },
        { MakeColor(10, 200, 30), MakeColor(250, 3, 31), 6283, -20 },
        { MakeColor(0, 255, 7), MakeColor(255, 0, 8), 100, 37 },
        { kBlack, kWhite, 7, 50 },
        { kBlack, kWhite, 2, 99 },
        { kWhite, kBlack, 1, 1 },
    };
    for (const Case& c : cases) {
        const std::vector<TColor> colours = GradientColors(c.first, c.last, c.total, c.mid);
        ASSERT_EQ(int(colours.size()), c.total);
        for (int pos = 0; pos < c.total; ++pos)
            ASSERT_EQ(colours[std::size_t(pos)], GradientColor(c.first, c.last, c.total, pos, c.mid))
                << "total " << c.total << " mid " << c.mid << " pos " << pos;
    }
}

TEST(FaceDirections, EveryAngleWithinItsErrorOfTheArcTangent)
{
    constexpr long double kStepsPerRadian = 1000.0L * FaceDirections::kStepsPerMilliradian;
    FaceDirections directions;
    for (const QSize size : { QSize(1, 1), QSize(2, 2), QSize(3, 3), QSize(2, 3), QSize(51, 50), QSize(400, 400),
             QSize(401, 401), QSize(300, 181), QSize(64, 500), QSize(1000, 1000) }) {
        directions.Prepare(size);
        ASSERT_EQ(directions.Columns(), size.width() / 2 + 1);
        long double worst = 0;
        for (int row = 0; row <= size.height() / 2; ++row)
            for (int column = 0; column < directions.Columns(); ++column) {
                const long double dx = column + directions.ColumnOffset();
                const long double dy = row + directions.RowOffset();
                const long double exact = dx == 0 ? (dy > 0 ? kPiExtended / 2 : -kPiExtended / 2) : std::atan2(dy, dx);
                worst = std::max(worst, std::fabs(directions.Row(row)[column] - exact * kStepsPerRadian));
            }
        EXPECT_LE(worst, FaceDirections::kMaxError) << size.width() << " x " << size.height();
    }
}

TEST(FaceGeometry, PositionsAtNoonOnA400PixelFace)
{
    // At 12:00 the minute hand is at 12 and the hour hand half a degree past it.
    const double minuteAngle = MinuteAngle(0);
    const double hourAngle = HourAngle(0, 0);
    EXPECT_EQ(BandPosition(0, -150, minuteAngle), 0);    // pixel (200, 50)
    EXPECT_EQ(BandPosition(-1, -150, minuteAngle), 6277); // pixel (199, 50)
    EXPECT_EQ(BandPosition(1, -150, minuteAngle), 7);     // pixel (201, 50)
    EXPECT_EQ(BandPosition(0, -80, hourAngle), 6275);     // pixel (200, 120)

    const QImage face = Render(Circular(), 400, 0, 0);
    const Skin skin = Circular();
    EXPECT_EQ(PixelAt(face, 200, 50), GradientColor(skin.MinFirstColor, skin.MinLastColor, 6283, 3142, 50)); // the hand
    EXPECT_EQ(PixelAt(face, 199, 50), GradientColor(skin.MinFirstColor, skin.MinLastColor, 6283, 6277, 50));
    EXPECT_EQ(PixelAt(face, 201, 50), GradientColor(skin.MinFirstColor, skin.MinLastColor, 6283, 7, 50));
    EXPECT_EQ(PixelAt(face, 200, 120), GradientColor(skin.HourFirstColor, skin.HourLastColor, 6283, 6275, 50));
}

TEST(FaceGeometry, FacePointOnCircleAndSquare)
{
    FaceGeometry face { 200, 200, 120, 100, 200, false };
    EXPECT_EQ(FacePoint(face, 122, -kPiExtended / 2), QPoint(200, 78));
    EXPECT_EQ(FacePoint(face, 122, kPiExtended / 4), QPoint(286, 286));
    face.square = true;
    EXPECT_EQ(FacePoint(face, 122, -kPiExtended / 2), QPoint(200, 78));
    EXPECT_EQ(FacePoint(face, 122, kPiExtended / 4), QPoint(322, 322));   // the square's corner
    EXPECT_EQ(FacePoint(face, 122, kPiExtended / 6), QPoint(322, 270));   // vertical edge: tan(30°) * 122
    EXPECT_EQ(FacePoint(face, 122, -kPiExtended / 3), QPoint(270, 78));   // horizontal edge
}

TEST(DrawFace, CircularBandsLeaveTheTicsBandAndCornersInBackground)
{
    const QImage face = Render(Circular(), 400, 3, 40);
    EXPECT_EQ(face.format(), kRasterFormat);
    EXPECT_EQ(PixelAt(face, 0, 0), kBlack);     // corner beyond the inscribed circle
    EXPECT_EQ(PixelAt(face, 399, 399), kBlack);
    EXPECT_EQ(PixelAt(face, 306, 228), kBlack); // d = 110, in the tics band, between tics
    EXPECT_EQ(PixelAt(face, 200, 85), kWhite);  // d = 115 on the 12 o'clock tic
    EXPECT_NE(PixelAt(face, 200, 30), kBlack);  // minute ring
    EXPECT_NE(PixelAt(face, 250, 200), kBlack); // hour disc
}

TEST(DrawFace, TwelveOClockTicIsTwoPixelsWider)
{
    const QImage face = Render(Circular(), 400, 0, 30);
    auto inkAcross = [&](int fixed, bool horizontal) {
        int ink = 0;
        for (int i = 150; i <= 250; ++i)
            ink += PixelAt(face, horizontal ? i : fixed, horizontal ? fixed : i) == kWhite;
        return ink;
    };
    EXPECT_EQ(inkAcross(90, true), 5);    // across the 12 o'clock tic, row 90
    EXPECT_EQ(inkAcross(310, false), 3);  // across the 3 o'clock tic, column 310
    EXPECT_EQ(inkAcross(310, true), 3);   // across the 6 o'clock tic, row 310
}

TEST(DrawFace, SquareBandsAndCrossedEdges)
{
    Skin skin = DefaultSkin(); // square
    QImage face = Render(skin, 400, 0, 30);
    EXPECT_NE(PixelAt(face, 0, 0), kBlack);      // the corners are minute ring
    EXPECT_EQ(PixelAt(face, 85, 170), kBlack);   // between the squares of half sides 100 and 120
    EXPECT_NE(PixelAt(face, 250, 250), kBlack);  // inside the hour square

    // Inner edge one above the outer edge: a circle keeps the thin ring in the
    // background colour, a square paints it with the minute colours.
    skin.InnerEdge = 61;
    skin.OuterEdge = 60;
    skin.TicsBandColor = MakeColor(1, 2, 3);
    face = Render(skin, 400, 0, 30);
    EXPECT_NE(PixelAt(face, 317, 231), MakeColor(1, 2, 3)); // d = 121, between the edges 120 and 122
    skin.Square = false;
    face = Render(skin, 400, 0, 30);
    EXPECT_EQ(PixelAt(face, 317, 231), MakeColor(1, 2, 3));
}

struct HostileCase {
    const char* name;
    std::int32_t Skin::*field;
    std::int32_t value;
    bool ticsBandShows; // else the whole inscribed disc is the hour band
    TColor betweenTics;
};

TEST(DrawFace, HostileSkinValuesStillDrawAFace)
{
    // A 400-pixel circular face, default inner edge (Ri = 100): the 3 o'clock
    // tic crosses (340, 200) and (335, 236) lies between tics. A negative
    // edge counts by its size.
    const HostileCase cases[] = {
        { "OuterEdge", &Skin::OuterEdge, INT_MAX, true, kBlack },
        { "OuterEdge", &Skin::OuterEdge, INT_MIN, true, kBlack },
        { "InnerEdge", &Skin::InnerEdge, INT_MAX, false, kBlack },
        { "InnerEdge", &Skin::InnerEdge, INT_MIN, false, kBlack },
        { "TicsWidth", &Skin::TicsWidth, INT_MAX, true, kWhite },
        { "TicsWidth", &Skin::TicsWidth, INT_MIN, true, kBlack },
    };
    for (const HostileCase& c : cases) {
        Skin skin = Circular();
        skin.OuterEdge = 200; // no minute ring on the face
        skin.*c.field = c.value;
        const QImage face = Render(skin, 400, 3, 40);
        const TColor onTic = PixelAt(face, 340, 200);
        if (c.ticsBandShows) {
            EXPECT_EQ(onTic, kWhite) << c.name << " " << c.value;
            EXPECT_EQ(PixelAt(face, 335, 236), c.betweenTics) << c.name << " " << c.value;
        } else {
            EXPECT_NE(onTic, kWhite) << c.name << " " << c.value;
            EXPECT_NE(onTic, kBlack) << c.name << " " << c.value;
        }
    }
}

struct SweepCase {
    int width;
    int height;
    bool square;
    int innerEdge;
    int outerEdge;
    int middle;
    int hour;
    int minute;
    int ticsWidth;
};

TEST(DrawFace, EqualsTheLiteralDefinitionOnEveryPixel)
{
    const SweepCase cases[] = {
        { 50, 50, false, 50, 60, 50, 0, 0, 1 },
        { 51, 51, true, 50, 60, 0, 3, 59, 2 },
        { 99, 99, false, 80, 20, 5, 11, 15, 5 },
        { 100, 100, true, 61, 60, 95, 6, 30, 1 },
        { 257, 257, false, 10, 90, 100, 9, 45, 3 },
        { 400, 400, false, 50, 60, 50, 0, 0, 1 },
        { 400, 400, true, 50, 60, 50, 10, 14, 1 },
        { 401, 401, false, 45, 70, 95, 7, 7, 2 },
        { 640, 640, true, 80, 81, 5, 1, 1, 1 },
        { 999, 999, false, 50, 60, 50, 4, 20, 5 },
        { 1000, 1000, true, 30, 50, 0, 2, 44, 1 },
        // Sides of either parity, thin pens and faces a few pixels across.
        { 300, 181, false, 50, 60, 50, 8, 52, 0 },
        { 181, 300, true, 61, 60, 5, 5, 5, -4 },
        { 64, 500, false, 100, 100, 50, 11, 59, 7 },
        { 1, 1, false, 50, 60, 50, 0, 0, 1 },
        { 2, 3, true, 50, 60, 50, 0, 0, 1 },
        { 3, 2, false, 50, 60, 50, 6, 30, 2 },
    };
    FaceRenderer renderer; // one renderer across sizes, as the clock keeps one
    for (const SweepCase& c : cases) {
        Skin skin = DefaultSkin();
        skin.Square = c.square;
        skin.InnerEdge = c.innerEdge;
        skin.OuterEdge = c.outerEdge;
        skin.HourMiddlePos = c.middle;
        skin.MinMiddlePos = 100 - c.middle;
        skin.MinFirstColor = MakeColor(255, 0, 0);
        skin.MinLastColor = MakeColor(0, 255, 64);
        skin.TicsWidth = c.ticsWidth;
        const double hourAngle = HourAngle(c.hour, c.minute);
        const double minuteAngle = MinuteAngle(c.minute + c.width % 2);
        QImage fast(c.width, c.height, kRasterFormat);
        QImage literal(c.width, c.height, kRasterFormat);
        renderer.DrawFace(fast, skin, hourAngle, minuteAngle);
        DrawFaceLiterally(literal, skin, hourAngle, minuteAngle);
        ASSERT_EQ(fast.size(), literal.size());
        int differing = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                differing += PixelAt(fast, x, y) != PixelAt(literal, x, y);
        EXPECT_EQ(differing, 0) << c.width << " x " << c.height << (c.square ? " square" : " circular") << " at "
                                << c.hour << ":" << c.minute;
    }
}

// A minute angle that puts the direction (dx, dy) exactly on a rounding tie:
// (w + A + pi) * 1000, as the face computes it, is m + 0.5 for an even m one
// turn above a position k whose colour differs from that of k + 1. The
// position there is k.
std::optional<std::pair<double, int>> MinuteAngleOnATie(const Skin& skin, long double dx, long double dy)
{
    const long double w = std::atan2(dy, dx);
    for (int k = 3001; k < 3400; k += 2) {
        if (GradientColor(skin.MinFirstColor, skin.MinLastColor, kTurnLength, k, skin.MinMiddlePos)
            == GradientColor(skin.MinFirstColor, skin.MinLastColor, kTurnLength, k + 1, skin.MinMiddlePos))
            continue;
        const double tie = k + kTurnLength + 0.5;
        double angle = double(tie / 1000.0L - w - kPiExtended);
        for (int step = 0; step < 200; ++step)
            angle = std::nextafter(angle, 0.0);
        for (int step = 0; step < 400; ++step, angle = std::nextafter(angle, 100.0))
            if (double(w + angle + kPiExtended) * 1000 == tie)
                return std::pair(angle, k);
    }
    return std::nullopt;
}

TEST(DrawFace, PositionsOnARoundingTieGoToTheEvenNeighbour)
{
    Skin skin = Circular();
    skin.MinFirstColor = MakeColor(255, 0, 0);
    skin.MinLastColor = MakeColor(0, 255, 64);
    // Pixels of the minute ring in every quarter, on faces of both parities.
    const struct {
        int size;
        QPoint pixel;
    } cases[] = { { 400, { 350, 290 } }, { 400, { 40, 180 } }, { 400, { 190, 22 } }, { 400, { 333, 71 } },
        { 401, { 351, 291 } }, { 401, { 41, 181 } }, { 401, { 191, 23 } }, { 401, { 334, 72 } } };
    for (const auto& c : cases) {
        const double centre = c.size / 2.0;
        const auto tie = MinuteAngleOnATie(skin, c.pixel.x() - centre, c.pixel.y() - centre);
        ASSERT_TRUE(tie) << c.size << ": " << c.pixel.x() << ", " << c.pixel.y();
        const auto [minuteAngle, position] = *tie;
        ASSERT_EQ(BandPosition(c.pixel.x() - centre, c.pixel.y() - centre, minuteAngle), position);
        QImage face(c.size, c.size, kRasterFormat);
        FaceRenderer().DrawFace(face, skin, HourAngle(1, 2), minuteAngle);
        EXPECT_EQ(PixelAt(face, c.pixel.x(), c.pixel.y()),
            GradientColor(skin.MinFirstColor, skin.MinLastColor, kTurnLength, position, skin.MinMiddlePos))
            << c.size << ": " << c.pixel.x() << ", " << c.pixel.y();
    }
}

// Angles the clock never passes: the positions wrap into the gradient, and
// the fast path still agrees with the exact one.
TEST(DrawFace, HandAnglesOutsideTheClocksRange)
{
    const Skin skin = Circular();
    const double hourAngle = HourAngle(4, 20);
    for (const double minuteAngle : { -20.0, -1e-3, 1e4 }) {
        QImage face(400, 400, kRasterFormat);
        FaceRenderer().DrawFace(face, skin, hourAngle, minuteAngle);
        for (const QPoint pixel : { QPoint(200, 10), QPoint(390, 200), QPoint(77, 333), QPoint(201, 389) }) {
            const int position = BandPosition(pixel.x() - 200, pixel.y() - 200, minuteAngle);
            ASSERT_GE(position, 0);
            ASSERT_LT(position, kTurnLength);
            EXPECT_EQ(PixelAt(face, pixel.x(), pixel.y()),
                GradientColor(skin.MinFirstColor, skin.MinLastColor, kTurnLength, position, skin.MinMiddlePos))
                << minuteAngle << " at " << pixel.x() << ", " << pixel.y();
        }
    }
    QImage face(100, 100, kRasterFormat);
    FaceRenderer().DrawFace(face, skin, std::nan(""), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(PixelAt(face, 0, 0), skin.TicsBandColor);
}

} // namespace
