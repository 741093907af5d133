#include "platform/raster/Raster.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>
#include <climits>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr TColor kBlack = 0x000000;
constexpr TColor kInk = 0x0000FF;  // red
constexpr TColor kFill = 0x00FF00; // green

// The image as rows of characters: '.' black, '#' ink, 'o' fill, '?' other.
std::vector<std::string> Rows(const QImage& image)
{
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const TColor colour = PixelAt(image, x, y);
            row += colour == kBlack ? '.' : colour == kInk ? '#' : colour == kFill ? 'o' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

using PixelSet = std::set<std::pair<int, int>>;

PixelSet InkedPixels(const QImage& image)
{
    PixelSet pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) == kInk)
                pixels.insert({ x, y });
    return pixels;
}

QImage Blank(int width, int height)
{
    return NewRasterImage(QSize(width, height), kBlack);
}

TEST(ColorTest, ConvertsBetweenTColorAndQt)
{
    EXPECT_EQ(ToQRgb(0x00336699), qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(FromQRgb(qRgba(0x99, 0x66, 0x33, 0x10)), 0x00336699u);
    EXPECT_EQ(MakeColor(1, 2, 3), 0x00030201u);
    EXPECT_EQ(ToQColor(0xFF0000).blue(), 255);
}

TEST(RasterTest, PixelsOutsideTheImageAreIgnoredOnWriteAndRefusedOnRead)
{
    QImage image = Blank(3, 2);
    SetPixel(image, 2, 1, kInk);
    SetPixel(image, 3, 1, kInk);
    SetPixel(image, -1, 0, kInk);
    EXPECT_EQ(Rows(image), (std::vector<std::string> { "...", "..#" }));
    EXPECT_THROW(PixelAt(image, 3, 0), std::out_of_range);
}

TEST(RasterTest, DrawingRefusesImagesOfAnotherFormat)
{
    QImage image(4, 4, QImage::Format_RGB888);
    EXPECT_THROW(DrawLine(image, { 0, 0 }, { 3, 3 }, kInk), std::invalid_argument);
    QImage none;
    EXPECT_NO_THROW(FillRect(none, QRect(0, 0, 5, 5), kInk));
}

struct ThinLineCase {
    QPoint from;
    QPoint to;
    PixelSet pixels;
};

TEST(RasterTest, ThinLinesIncludeTheStartAndExcludeTheEnd)
{
    const std::vector<ThinLineCase> cases = {
        { { 0, 0 }, { 4, 0 }, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } } },
        { { 4, 0 }, { 0, 0 }, { { 4, 0 }, { 3, 0 }, { 2, 0 }, { 1, 0 } } },
        { { 1, 3 }, { 1, 0 }, { { 1, 3 }, { 1, 2 }, { 1, 1 } } },
        { { 0, 0 }, { 3, 3 }, { { 0, 0 }, { 1, 1 }, { 2, 2 } } },
        // Halves on the shorter axis round away from the start.
        { { 0, 0 }, { 4, 2 }, { { 0, 0 }, { 1, 1 }, { 2, 1 }, { 3, 2 } } },
        { { 4, 2 }, { 0, 0 }, { { 4, 2 }, { 3, 1 }, { 2, 1 }, { 1, 0 } } },
        { { 0, 4 }, { 1, 0 }, { { 0, 4 }, { 0, 3 }, { 1, 2 }, { 1, 1 } } },
        { { 2, 2 }, { 2, 2 }, {} },
        // Clipped: only the part on the image, also from far away.
        { { -1000000, 2 }, { 1000000, 2 }, { { 0, 2 }, { 1, 2 }, { 2, 2 }, { 3, 2 }, { 4, 2 } } },
        { { -2, -2 }, { 2, 2 }, { { 0, 0 }, { 1, 1 } } },
        // From one end of the coordinate range to the other.
        { { INT_MIN, INT_MIN }, { INT_MAX, INT_MAX }, { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 }, { 4, 4 } } },
        { { INT_MAX, 4 - INT_MAX }, { 4 - INT_MAX, INT_MAX }, { { 4, 0 }, { 3, 1 }, { 2, 2 }, { 1, 3 }, { 0, 4 } } },
    };
    for (const ThinLineCase& line : cases) {
        QImage image = Blank(5, 5);
        DrawLine(image, line.from, line.to, kInk, 1);
        EXPECT_EQ(InkedPixels(image), line.pixels) << "from " << line.from.x() << "," << line.from.y();
    }
}

TEST(RasterTest, WidePensAreCentredOnTheLineWithRoundEnds)
{
    QImage three = Blank(10, 5);
    DrawLine(three, { 2, 2 }, { 6, 2 }, kInk, 3);
    EXPECT_EQ(Rows(three), (std::vector<std::string> {
        "..........",
        ".#######..",
        ".#######..",
        ".#######..",
        "..........",
    }));

    QImage two = Blank(10, 5);
    DrawLine(two, { 2, 2 }, { 6, 2 }, kInk, 2);
    EXPECT_EQ(Rows(two), (std::vector<std::string> {
        "..........",
        ".######...",
        ".######...",
        "..........",
        "..........",
    }));

    QImage five = Blank(13, 9);
    DrawLine(five, { 3, 4 }, { 9, 4 }, kInk, 5);
    EXPECT_EQ(Rows(five), (std::vector<std::string> {
        ".............",
        ".............",
        "..#########..",
        ".###########.",
        ".###########.",
        ".###########.",
        "..#########..",
        ".............",
        ".............",
    }));
}

TEST(RasterTest, WideLinesDoNotDependOnTheirDirection)
{
    for (int width : { 2, 3, 4, 7 }) {
        QImage forward = Blank(40, 40);
        QImage backward = Blank(40, 40);
        DrawLine(forward, { 5, 31 }, { 33, 9 }, kInk, width);
        DrawLine(backward, { 33, 9 }, { 5, 31 }, kInk, width);
        EXPECT_EQ(forward, backward) << "width " << width;
    }
}

// A wide line is every pixel whose centre lies closer than half the pen's
// width to the segment; odd widths are centred on the end points' pixel
// centres, even ones on their top-left corners. Checked pixel by pixel over
// the whole image for lines of every slope, partly outside the image too.
TEST(RasterTest, WideLinesCoverExactlyThePixelsNearTheSegment)
{
    const auto covered = [](QPoint from, QPoint to, int width, int x, int y) {
        const double shift = width % 2 ? 0.5 : 0.0;
        const double ax = from.x() + shift, ay = from.y() + shift;
        const double bx = to.x() + shift, by = to.y() + shift;
        const double px = x + 0.5, py = y + 0.5;
        const double dx = bx - ax, dy = by - ay;
        const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        const double ex = px - (ax + t * dx), ey = py - (ay + t * dy);
        return 4 * (ex * ex + ey * ey) < double(width) * width - 1e-9;
    };
    const std::pair<QPoint, QPoint> segments[] = {
        { { 5, 20 }, { 34, 20 } }, { { 20, 3 }, { 20, 36 } }, { { 2, 3 }, { 37, 36 } }, { { 3, 30 }, { 36, 29 } },
        { { 10, 2 }, { 12, 37 } }, { { 30, 5 }, { 4, 33 } }, { { -10, 15 }, { 25, 50 } }, { { 19, 19 }, { 21, 20 } },
    };
    for (const auto& [from, to] : segments)
        for (int width : { 2, 3, 4, 5, 8 }) {
            QImage image = Blank(40, 40);
            DrawLine(image, from, to, kInk, width);
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 40; ++x)
                    ASSERT_EQ(PixelAt(image, x, y) == kInk, covered(from, to, width, x, y))
                        << "width " << width << " line (" << from.x() << "," << from.y() << ")-(" << to.x() << ","
                        << to.y() << ") at " << x << "," << y;
        }
}

TEST(RasterTest, FillRectClipsToTheImage)
{
    QImage image = Blank(4, 3);
    FillRect(image, QRect(-5, 1, 7, 10), kInk);
    EXPECT_EQ(Rows(image), (std::vector<std::string> { "....", "##..", "##.." }));
}

TEST(RasterTest, EllipsesStayInsideTheirBoxWithAOnePixelOutline)
{
    QImage two = Blank(4, 4);
    DrawEllipse(two, QRect(1, 1, 2, 2), kInk, kFill);
    EXPECT_EQ(Rows(two), (std::vector<std::string> { "....", ".##.", ".##.", "...." }));

    QImage four = Blank(6, 6);
    DrawEllipse(four, QRect(1, 1, 4, 4), kInk, kFill);
    EXPECT_EQ(Rows(four), (std::vector<std::string> {
        "......",
        "..##..",
        ".#oo#.",
        ".#oo#.",
        "..##..",
        "......",
    }));

    QImage ten = Blank(12, 12);
    DrawEllipse(ten, QRect(1, 1, 10, 10), kInk, std::nullopt);
    EXPECT_EQ(Rows(ten), (std::vector<std::string> {
        "............",
        "....####....",
        "..##....##..",
        "..#......#..",
        ".#........#.",
        ".#........#.",
        ".#........#.",
        ".#........#.",
        "..#......#..",
        "..##....##..",
        "....####....",
        "............",
    }));
}

TEST(RasterTest, EllipsesClipAndSurviveHugeBoxes)
{
    QImage image = Blank(5, 5);
    DrawEllipse(image, QRect(-1, -1, 4, 4), kInk, kFill);
    EXPECT_EQ(Rows(image), (std::vector<std::string> { "oo#..", "oo#..", "##...", ".....", "....." }));

    QImage huge = Blank(5, 5);
    DrawEllipse(huge, QRect(-20000000, -20000000, 40000000, 40000000), kInk, kFill);
    EXPECT_EQ(Rows(huge), std::vector<std::string>(5, "ooooo"));
}

TEST(RasterTest, RoundRectsHaveQuarterEllipseCorners)
{
    QImage image = Blank(14, 8);
    DrawRoundRect(image, QRect(1, 1, 12, 6), QSize(6, 6), kInk, kFill);
    EXPECT_EQ(Rows(image), (std::vector<std::string> {
        "..............",
        "..##########..",
        ".#oooooooooo#.",
        ".#oooooooooo#.",
        ".#oooooooooo#.",
        ".#oooooooooo#.",
        "..##########..",
        "..............",
    }));

    QImage plain = Blank(5, 4);
    DrawRoundRect(plain, QRect(0, 0, 5, 4), QSize(0, 0), kInk, kFill);
    EXPECT_EQ(Rows(plain), (std::vector<std::string> { "#####", "#ooo#", "#ooo#", "#####" }));

    // A corner of the box's size is the inscribed ellipse.
    QImage asEllipse = Blank(12, 12);
    QImage ellipse = Blank(12, 12);
    DrawRoundRect(asEllipse, QRect(1, 1, 10, 9), QSize(50, 50), kInk, kFill);
    DrawEllipse(ellipse, QRect(1, 1, 10, 9), kInk, kFill);
    EXPECT_EQ(Rows(asEllipse), Rows(ellipse));
}

struct HatchCase {
    BrushStyle style;
    std::vector<std::string> rows;
};

TEST(RasterTest, HatchLinesRepeatEveryEightPixelsFromTheImageCorner)
{
    // A 10 x 10 rect at (3, 5): the lines stay where the image's grid puts them.
    const std::vector<HatchCase> cases = {
        { BrushStyle::Horizontal, { "oooooooooo", "oooooooooo", "oooooooooo", "##########", "oooooooooo",
                                    "oooooooooo", "oooooooooo", "oooooooooo", "oooooooooo", "oooooooooo" } },
        { BrushStyle::Vertical, std::vector<std::string>(10, "ooooo#oooo") },
        { BrushStyle::Cross, { "ooooo#oooo", "ooooo#oooo", "ooooo#oooo", "##########", "ooooo#oooo",
                               "ooooo#oooo", "ooooo#oooo", "ooooo#oooo", "ooooo#oooo", "ooooo#oooo" } },
        { BrushStyle::FDiagonal, { "oo#ooooooo", "ooo#oooooo", "oooo#ooooo", "ooooo#oooo", "oooooo#ooo",
                                   "ooooooo#oo", "#ooooooo#o", "o#ooooooo#", "oo#ooooooo", "ooo#oooooo" } },
        { BrushStyle::BDiagonal, { "#ooooooo#o", "ooooooo#oo", "oooooo#ooo", "ooooo#oooo", "oooo#ooooo",
                                   "ooo#oooooo", "oo#ooooooo", "o#ooooooo#", "#ooooooo#o", "ooooooo#oo" } },
        { BrushStyle::Solid, std::vector<std::string>(10, "##########") },
    };
    for (const HatchCase& hatch : cases) {
        QImage image = Blank(13, 15);
        FillHatched(image, QRect(3, 5, 10, 10), hatch.style, kInk, kFill);
        EXPECT_EQ(Rows(image.copy(3, 5, 10, 10)), hatch.rows) << int(hatch.style);
    }
    QImage clear = Blank(4, 4);
    FillHatched(clear, clear.rect(), BrushStyle::Clear, kInk, kFill);
    EXPECT_EQ(clear, Blank(4, 4));
}

TEST(RasterTest, TwoColourTilesTakeTheColoursByPixelIndex)
{
    // Index 1 is black here: the colours follow the index, not the palette.
    QImage tile(3, 2, QImage::Format_Mono);
    tile.setColorTable({ qRgb(255, 255, 255), qRgb(0, 0, 0) });
    tile.fill(1);
    tile.setPixel(0, 0, 0);
    tile.setPixel(2, 1, 0);

    QImage image = Blank(7, 4);
    FillTiled(image, QRect(1, 1, 6, 3), tile, kInk, kFill);
    EXPECT_EQ(Rows(image), (std::vector<std::string> {
        ".......",
        ".o#oo#o",
        ".oo#oo#",
        ".o#oo#o",
    }));
}

TEST(RasterTest, OtherTilesKeepTheirColoursOverTheBackground)
{
    QImage tile(2, 1, QImage::Format_ARGB32);
    tile.setPixel(0, 0, qRgba(0, 0, 255, 255));
    tile.setPixel(1, 0, qRgba(0, 0, 0, 0));
    QImage image = Blank(4, 1);
    FillTiled(image, image.rect(), tile, kInk, kFill);
    EXPECT_EQ(PixelAt(image, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(image, 1, 0), kFill);
    EXPECT_EQ(PixelAt(image, 2, 0), 0xFF0000u);
}

TEST(RasterTest, PicturesOfAnyFormatAreCopiedUnscaledAndClipped)
{
    QImage picture(3, 3, QImage::Format_RGB32);
    picture.fill(Qt::black);
    picture.setPixel(1, 1, qRgb(255, 0, 0));
    picture.setPixel(2, 2, qRgb(0, 255, 0));
    QImage image = NewRasterImage(QSize(3, 3), 0xFFFFFF);
    DrawPicture(image, { -1, -1 }, picture);
    EXPECT_EQ(Rows(image), (std::vector<std::string> { "#.?", ".o?", "???" }));
}

TEST(RasterTest, BlendAlphaFollowsTheTransparencyTable)
{
    const std::vector<std::pair<int, int>> table = {
        { 0, 0 }, { 10, 25 }, { 20, 51 }, { 30, 77 }, { 50, 127 }, { 70, 179 }, { 80, 204 }, { 90, 229 }, { 100, 255 },
        { -5, 0 }, { 250, 255 },
    };
    for (const auto& [transparency, alpha] : table)
        EXPECT_EQ(BlendAlpha(transparency), alpha) << "T = " << transparency;
}

TEST(RasterTest, BlendingMixesEachChannel)
{
    EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 127), 0x7F7F7Fu);
    EXPECT_EQ(BlendColor(0x0000FF, 0xFF0000, 204), MakeColor(204, 0, 51));
    EXPECT_EQ(BlendColor(0x123456, 0xABCDEF, 0), 0xABCDEFu);
    EXPECT_EQ(BlendColor(0x123456, 0xABCDEF, 255), 0x123456u);
    EXPECT_EQ(BlendColor(0x808080, 0x808080, 77), 0x808080u);
}

// Every channel value, kept and new, at every alpha: the rounded division.
TEST(RasterTest, BlendingIsExactForEveryChannelValue)
{
    for (int alpha = 0; alpha <= 255; ++alpha)
        for (int before = 0; before <= 255; ++before)
            for (int after = 0; after <= 255; ++after) {
                const int expected = (before * alpha + after * (255 - alpha) + 127) / 255;
                const TColor blended = BlendColor(MakeColor(before, 0, 0), MakeColor(after, 0, 0), alpha);
                if (RedOf(blended) != expected)
                    FAIL() << before << " over " << after << " at " << alpha;
            }
}

TEST(RasterTest, BlendedFillsMixOnlyTheirRectangle)
{
    QImage image = NewRasterImage(QSize(4, 2), 0xFFFFFF);
    FillHatched(image, QRect(1, 0, 2, 1), BrushStyle::Solid, 0x000000, 0x000000, BlendAlpha(50));
    EXPECT_EQ(PixelAt(image, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 1, 0), 0x7F7F7Fu);
    EXPECT_EQ(PixelAt(image, 2, 0), 0x7F7F7Fu);
    EXPECT_EQ(PixelAt(image, 3, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 1, 1), 0xFFFFFFu);

    // Every channel value and alpha mixes as BlendColor does.
    QImage held(256, 1, kRasterFormat);
    QImage tile(256, 1, kRasterFormat);
    for (int x = 0; x < 256; ++x) {
        SetPixel(held, x, 0, MakeColor(x, 255 - x, x / 2));
        SetPixel(tile, x, 0, MakeColor((x * 7) % 256, x, 255));
    }
    for (const int alpha : { 1, 25, 127, 204, 254, 255 }) {
        QImage blended = held.copy();
        FillTiled(blended, blended.rect(), tile, kBlack, kWhite, alpha);
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(PixelAt(blended, x, 0), BlendColor(PixelAt(held, x, 0), PixelAt(tile, x, 0), alpha)) << x << " " << alpha;
    }
}

} // namespace
