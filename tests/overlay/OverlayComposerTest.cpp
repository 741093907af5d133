#include "overlay/OverlayComposer.h"

#include "overlay/SurfaceAxes.h"
#include "platform/raster/Raster.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr TColor kRed = MakeColor(255, 0, 0);
constexpr TColor kGreen = MakeColor(0, 255, 0);
constexpr TColor kBlue = MakeColor(0, 0, 255);
constexpr TColor kPanel = MakeColor(10, 20, 30);

// A white face of the surface's size; band, marker and label off.
OverlayScene PlainScene(QSize size)
{
    OverlayScene scene;
    scene.Size = size;
    scene.Color = kPanel;
    scene.FacePicture = NewRasterImage(size, kWhite);
    scene.ColorBand.Transparency = 100;
    scene.srsSec.Active = false;
    scene.srsDigit.Active = false;
    return scene;
}

using PixelSet = std::set<std::pair<int, int>>;

PixelSet PixelsOf(const QImage& image, TColor colour)
{
    PixelSet pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) == colour)
                pixels.insert({ x, y });
    return pixels;
}

QRect BoundsOf(const PixelSet& pixels)
{
    QRect bounds;
    for (const auto& [x, y] : pixels)
        bounds = bounds.united(QRect(x, y, 1, 1));
    return bounds;
}

struct MappingCase {
    QSize size;
    double x;
    double y;
    int column;
    int row;
};

TEST(SurfaceAxesTest, MapsAxisUnitsToPixelsInDoublePrecisionHalvesToEven)
{
    const std::vector<MappingCase> cases = {
        { { 300, 300 }, 0, 0, 150, 150 },
        { { 300, 300 }, 50, -50, 225, 225 },
        { { 300, 300 }, -100, 100, 0, 0 },
        { { 300, 300 }, 100, -100, 300, 300 },
        { { 115, 55 }, 0, 0, 57, 27 },
        { { 269, 256 }, 0, 0, 134, 128 },
        { { 400, 400 }, 55, 0.9004 * 55, 310, 101 },
        { { 100, 100 }, 1e300, -1e300, 1 << 24, 1 << 24 },
    };
    for (const MappingCase& mapping : cases) {
        const SurfaceAxes axes(mapping.size);
        EXPECT_EQ(axes.Column(mapping.x), mapping.column) << mapping.size.width() << " x " << mapping.x;
        EXPECT_EQ(axes.Row(mapping.y), mapping.row) << mapping.size.height() << " y " << mapping.y;
    }
}

TEST(SurfaceAxesTest, MarkerHalfSizeUsesTheVerticalScaleInExtendedPrecision)
{
    const std::vector<std::pair<std::pair<int, double>, int>> cases = {
        { { 60, 5 }, 1 }, // 1.49999... in extended precision, 1.5 in double
        { { 400, 5 }, 10 },
        { { 256, 5 }, 6 },
        { { 100, 5 }, 2 }, // exactly 2.5: halves to even
        { { 300, 0 }, 0 },
        { { 300, -4 }, 0 },
    };
    for (const auto& [input, halfSize] : cases)
        EXPECT_EQ(SurfaceAxes(QSize(500, input.first)).HalfSize(input.second), halfSize)
            << "H " << input.first << " radius " << input.second;
}

struct MarkerCase {
    TMarkerShape shape;
    bool filled;
    double radius; // on a 60 x 60 surface: radius 5 -> s = 1, 10 -> s = 3
    PixelSet outline; // relative to the centre (30, 30)
    PixelSet fill;
};

TEST(SecondsMarkerTest, DrawsCirclesAndStarsOfTheHalfSize)
{
    const std::vector<MarkerCase> cases = {
        { msCircle, true, 0, {}, {} },
        { msStar, true, 0, { { 0, 0 } }, {} },
        { msCircle, true, 5, { { -1, -1 }, { 0, -1 }, { -1, 0 }, { 0, 0 } }, {} },
        { msStar, true, 5, { { -1, -1 }, { 0, -1 }, { 1, -1 }, { -1, 0 }, { 0, 0 }, { 1, 0 }, { -1, 1 }, { 0, 1 }, { 1, 1 } }, {} },
        { msStar, true, 10, { { -3, -3 }, { -2, -2 }, { -1, -1 }, { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 },
                              { 3, -3 }, { 2, -2 }, { 1, -1 }, { -1, 1 }, { -2, 2 }, { -3, 3 },
                              { 0, -3 }, { 0, -2 }, { 0, -1 }, { 0, 1 }, { 0, 2 }, { 0, 3 },
                              { -3, 0 }, { -2, 0 }, { -1, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } }, {} },
        { msCircle, true, 10, { { -2, -3 }, { -1, -3 }, { 0, -3 }, { 1, -3 }, { -3, -2 }, { 2, -2 }, { -3, -1 }, { 2, -1 },
                                { -3, 0 }, { 2, 0 }, { -3, 1 }, { 2, 1 }, { -2, 2 }, { -1, 2 }, { 0, 2 }, { 1, 2 } },
                              { { -2, -2 }, { -1, -2 }, { 0, -2 }, { 1, -2 }, { -2, -1 }, { -1, -1 }, { 0, -1 }, { 1, -1 },
                                { -2, 0 }, { -1, 0 }, { 0, 0 }, { 1, 0 }, { -2, 1 }, { -1, 1 }, { 0, 1 }, { 1, 1 } } },
    };
    for (const MarkerCase& marker : cases) {
        SecondsMarker srsSec;
        srsSec.MarkerShape = marker.shape;
        srsSec.Filled = marker.filled;
        srsSec.Radius = marker.radius;
        srsSec.OutlineColor = kRed;
        srsSec.FillColor = kGreen;
        QImage image = NewRasterImage(QSize(60, 60), kWhite);
        const QRect changed = srsSec.Draw(image, SurfaceAxes(image.size()));
        PixelSet outline;
        PixelSet fill;
        for (const auto& [x, y] : PixelsOf(image, kRed))
            outline.insert({ x - 30, y - 30 });
        for (const auto& [x, y] : PixelsOf(image, kGreen))
            fill.insert({ x - 30, y - 30 });
        EXPECT_EQ(outline, marker.outline) << int(marker.shape) << " radius " << marker.radius;
        EXPECT_EQ(fill, marker.fill) << int(marker.shape) << " radius " << marker.radius;
        const QRect drawn = BoundsOf(PixelsOf(image, kRed)).united(BoundsOf(PixelsOf(image, kGreen)));
        EXPECT_TRUE(drawn.isEmpty() || changed.contains(drawn));
    }
}

TEST(SecondsMarkerTest, AnEmptyOrInactiveMarkerLeavesTheSurfaceAlone)
{
    SecondsMarker srsSec;
    srsSec.MarkerShape = msCircle;
    srsSec.Filled = false;
    srsSec.Radius = 10;
    srsSec.OutlineColor = kRed;
    QImage image = NewRasterImage(QSize(60, 60), kWhite);
    srsSec.Draw(image, SurfaceAxes(image.size()));
    EXPECT_EQ(PixelAt(image, 30, 30), kWhite);
    EXPECT_EQ(PixelAt(image, 27, 30), kRed);

    srsSec.Active = false;
    QImage untouched = NewRasterImage(QSize(60, 60), kWhite);
    EXPECT_TRUE(srsSec.Draw(untouched, SurfaceAxes(untouched.size())).isEmpty());
    EXPECT_EQ(untouched, NewRasterImage(QSize(60, 60), kWhite));
}

ReadoutLabel ColouredLabel()
{
    ReadoutLabel label;
    label.Text = QStringLiteral("12:34:56 AM");
    label.FontName = QStringLiteral("Arial");
    label.FontSize = 11;
    label.FrameColor = kRed;
    label.FillColor = kGreen;
    label.FontColor = kBlue;
    label.RoundCorners = false;
    return label;
}

struct LabelCase {
    double x;
    double y;
    int offset;
};

TEST(ReadoutLabelTest, PlacesItsBoxByTheAnchorAndOffset)
{
    const SurfaceAxes axes(QSize(400, 400));
    for (const LabelCase& placement : std::vector<LabelCase> { { 0, 0, -3 }, { 0, 80, 0 }, { 0, -80, -7 }, { 30, 0, 5 } }) {
        ReadoutLabel label = ColouredLabel();
        label.X = placement.x;
        label.Y = placement.y;
        label.Offset = placement.offset;
        QImage image = NewRasterImage(axes.size(), kWhite);
        const QRect changed = label.Draw(image, axes);

        const QFontMetrics metrics(label.Font(), &image);
        const int textHeight = metrics.height();
        const int width = metrics.horizontalAdvance(label.Text) + metrics.horizontalAdvance(QStringLiteral("W")) + 2;
        const QRect box = BoundsOf(PixelsOf(image, kRed));
        const int anchorColumn = axes.Column(placement.x);
        const int anchorRow = axes.Row(placement.y);
        EXPECT_EQ(box.height(), textHeight + 2);
        EXPECT_EQ(box.width(), width);
        EXPECT_EQ(box.left(), anchorColumn - width / 2);
        // With Offset 0 the bottom row is the anchor row; negative lowers it.
        EXPECT_EQ(box.bottom(), anchorRow - placement.offset);
        // The frame is one pixel, the rest of the box filled; the text lies
        // inside the box, centred one pixel right of the box's centre.
        EXPECT_EQ(BoundsOf(PixelsOf(image, kGreen)), box.adjusted(1, 1, -1, -1));
        const QRect text = BoundsOf(PixelsOf(image, kBlue));
        EXPECT_TRUE(box.adjusted(1, 1, -1, -1).contains(text));
        EXPECT_NEAR((text.left() + text.right() + 1) / 2.0, (box.left() + 2 + box.left() + width) / 2, 2.0);
        EXPECT_TRUE(changed.contains(box));
    }
}

TEST(ReadoutLabelTest, MeasuresArialAtTheScreenResolution)
{
    const ReadoutLabel label = ColouredLabel();
    QImage image = NewRasterImage(QSize(10, 10), kWhite);
    const QFontMetrics metrics(label.Font(), &image);
    EXPECT_EQ(QFontInfo(label.Font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(metrics.horizontalAdvance(label.Text), 84);

    ReadoutLabel defaultSize = label;
    defaultSize.FontSize = 0;
    EXPECT_GT(QFontMetrics(defaultSize.Font(), &image).height(), 5);
    defaultSize.FontSize = 2000000000;
    EXPECT_EQ(defaultSize.Font().pointSize(), ReadoutLabel::kLargestFontSize);
}

TEST(ReadoutLabelTest, RoundedCornersAreQuarterEllipsesOfSixteenPixels)
{
    const SurfaceAxes axes(QSize(300, 300));
    ReadoutLabel label = ColouredLabel();
    QImage square = NewRasterImage(axes.size(), kWhite);
    label.Draw(square, axes);
    const QRect box = BoundsOf(PixelsOf(square, kRed));
    EXPECT_EQ(PixelAt(square, box.left(), box.top()), kRed);

    label.RoundCorners = true;
    QImage rounded = NewRasterImage(axes.size(), kWhite);
    label.Draw(rounded, axes);
    EXPECT_EQ(BoundsOf(PixelsOf(rounded, kRed)), box);
    EXPECT_EQ(PixelAt(rounded, box.left(), box.top()), kWhite);
    EXPECT_EQ(PixelAt(rounded, box.left() + 1, box.top() + 1), kWhite);
    // The straight part of each side starts 8 pixels from the corner.
    EXPECT_EQ(PixelAt(rounded, box.left() + 8, box.top()), kRed);
    EXPECT_EQ(PixelAt(rounded, box.left(), box.top() + 8), kRed);
}

TEST(OverlayComposerTest, CentresTheFacePictureAndDarkensOnlyTheFirstRowAndColumn)
{
    OverlayScene scene = PlainScene(QSize(10, 8));
    scene.FacePicture = NewRasterImage(QSize(4, 13), kWhite);
    const QImage image = OverlayComposer::ComposeAll(scene);
    // Left at (10 - 4) / 2 = 3; top at (8 - 13) / 2 = -2, cut toward zero.
    const TColor darkened = BlendColor(kWhite, kBlack, BlendAlpha(50));
    const TColor darkPanel = BlendColor(kPanel, kBlack, BlendAlpha(50));
    EXPECT_EQ(darkened, MakeColor(127, 127, 127));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool face = x >= 3 && x < 7;
            const bool edge = x == 0 || y == 0;
            const TColor expected = face ? (edge ? darkened : kWhite) : (edge ? darkPanel : kPanel);
            EXPECT_EQ(PixelAt(image, x, y), expected) << x << "," << y;
        }
}

struct BandCase {
    int transparency;
    int channel; // of silver 192 over white 255
};

TEST(TextureBandTest, BlendsWithItsTransparencyAndSparesTheLastColumnAndRow)
{
    for (const BandCase& band : std::vector<BandCase> { { 0, 192 }, { 50, 223 }, { 80, 242 }, { 100, 255 }, { 130, 255 }, { -20, 192 } }) {
        OverlayScene scene = PlainScene(QSize(20, 10));
        scene.ColorBand.Brush.Style = BrushStyle::Solid;
        scene.ColorBand.Brush.Color = kRed;
        scene.ColorBand.Transparency = band.transparency;
        const QImage image = OverlayComposer::ComposeAll(scene);
        const TColor expected = MakeColor(band.channel, band.channel, band.channel);
        EXPECT_EQ(PixelAt(image, 5, 5), expected) << "T " << band.transparency;
        EXPECT_EQ(PixelAt(image, 18, 8), expected) << "T " << band.transparency;
        EXPECT_EQ(PixelAt(image, 19, 5), kWhite) << "T " << band.transparency;
        EXPECT_EQ(PixelAt(image, 5, 9), kWhite) << "T " << band.transparency;
    }
}

TEST(TextureBandTest, StyleNoneLeavesTheFaceAloneAtAnyTransparency)
{
    OverlayScene scene = PlainScene(QSize(20, 10));
    scene.ColorBand.Brush.Style = BrushStyle::Clear;
    scene.ColorBand.Transparency = 0;
    const QImage plain = OverlayComposer::ComposeAll(PlainScene(QSize(20, 10)));
    EXPECT_EQ(OverlayComposer::ComposeAll(scene), plain);
}

TEST(TextureBandTest, ATwoColourPictureShowsBandColourForBlackAndBrushColourForWhite)
{
    QImage tile(2, 1, QImage::Format_Mono);
    tile.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    tile.setPixel(0, 0, 0);
    tile.setPixel(1, 0, 1);
    OverlayScene scene = PlainScene(QSize(6, 3));
    scene.ColorBand.Brush.Image = tile;
    scene.ColorBand.Brush.Color = kRed;
    scene.ColorBand.Transparency = 0;
    const QImage image = OverlayComposer::ComposeAll(scene);
    EXPECT_EQ(PixelAt(image, 2, 1), kSilver);
    EXPECT_EQ(PixelAt(image, 3, 1), kRed);
    EXPECT_EQ(PixelAt(image, 4, 1), kSilver);
}

struct LimitsCase {
    double start;
    double end;
    int firstColumn; // -1: no band
    int lastColumn;
};

TEST(TextureBandTest, SpansItsLimitsInEitherOrder)
{
    const std::vector<LimitsCase> cases = {
        { -100, 100, 0, 18 },
        { 100, -100, 0, 18 },
        { 0, 100, 10, 18 },
        { -300, -50, 0, 3 },
        { 120, 300, -1, -1 },
        { -300, -120, -1, -1 },
        { 0, 10, 10, 9 }, // one column wide: the fill leaves it out
    };
    for (const LimitsCase& limits : cases) {
        OverlayScene scene = PlainScene(QSize(20, 10));
        scene.ColorBand.StartValue = limits.start;
        scene.ColorBand.EndValue = limits.end;
        scene.ColorBand.Brush.Style = BrushStyle::Solid;
        scene.ColorBand.Transparency = 0;
        const PixelSet band = PixelsOf(OverlayComposer::ComposeAll(scene), kSilver);
        if (limits.firstColumn < 0 || limits.lastColumn < limits.firstColumn) {
            EXPECT_TRUE(band.empty()) << limits.start << ".." << limits.end;
            continue;
        }
        EXPECT_EQ(BoundsOf(band), QRect(QPoint(limits.firstColumn, 0), QPoint(limits.lastColumn, 8)))
            << limits.start << ".." << limits.end;
    }
}

TEST(OverlayComposerTest, TheLabelCoversTheMarker)
{
    OverlayScene scene = PlainScene(QSize(200, 200));
    scene.srsSec.Active = true;
    scene.srsSec.MarkerShape = msCircle;
    scene.srsSec.Radius = 10;
    scene.srsSec.FillColor = kRed;
    scene.srsDigit = ColouredLabel();
    scene.srsDigit.Offset = 0;
    scene.srsDigit.Text = QStringLiteral("   ");
    const QImage image = OverlayComposer::ComposeAll(scene);
    EXPECT_EQ(PixelAt(image, 100, 95), kGreen);
    EXPECT_EQ(PixelAt(image, 100, 105), kRed);
}

// A day in the life of the surface: ticks that move the marker and change
// the text, a minute change, skin changes and a resize.
std::vector<OverlayScene> Ticks()
{
    OverlayScene scene = PlainScene(QSize(300, 300));
    QImage face = NewRasterImage(QSize(300, 300), kWhite);
    DrawEllipse(face, QRect(20, 20, 260, 260), kBlue, MakeColor(200, 180, 90));
    scene.FacePicture = face;
    scene.ColorBand.Transparency = 60;
    scene.srsSec.Active = true;
    scene.srsSec.Radius = 5;
    scene.srsDigit = ColouredLabel();
    scene.srsDigit.RoundCorners = true;

    std::vector<OverlayScene> scenes;
    for (int second = 0; second < 12; ++second) {
        scene.srsSec.X = 55 * std::sin(second * 0.1047);
        scene.srsSec.Y = 55 * std::cos(second * 0.1047);
        scene.srsDigit.Text = QStringLiteral("10:14:%1 AM").arg(second + 48, 2, 10, QLatin1Char('0'));
        scenes.push_back(scene);
        if (second == 3)
            scenes.push_back(scene); // nothing changed
        if (second == 5) {
            QImage next = face.copy();
            DrawLine(next, { 150, 150 }, { 150, 10 }, kRed, 3);
            scene.FacePicture = next;
        }
        if (second == 7) {
            scene.srsSec.MarkerShape = msCircle;
            scene.srsDigit.Y = 80;
            scene.ColorBand.Brush.Style = BrushStyle::DiagCross;
        }
        if (second == 9)
            scene.srsSec.X = 98; // reaching past the edge
        if (second == 10)
            scene.Size = QSize(250, 250);
    }
    return scenes;
}

TEST(OverlayComposerTest, RecomposingOnlyWhatMovedGivesTheFullCompositionPixelForPixel)
{
    OverlayComposer composer;
    QImage previous;
    for (const OverlayScene& scene : Ticks()) {
        const QImage& composed = composer.Compose(scene);
        const QImage full = OverlayComposer::ComposeAll(scene);
        ASSERT_EQ(composed.size(), full.size());
        EXPECT_TRUE(composed == full) << scene.srsDigit.Text.toStdString();

        // Every pixel that differs from the previous result lies in the
        // changed region, so presenting that region is enough.
        const QRegion changed = composer.TakeChangedRegion();
        for (int y = 0; y < composed.height(); ++y) {
            for (int x = 0; x < composed.width(); ++x) {
                const bool differs = !previous.rect().contains(x, y) || PixelAt(previous, x, y) != PixelAt(composed, x, y);
                ASSERT_TRUE(!differs || changed.contains(QPoint(x, y))) << x << "," << y;
            }
        }
        previous = composed.copy();
    }
}

TEST(OverlayComposerTest, KeepsTheImageWhileNothingChangesAndReportsOnlyWhatMoved)
{
    const std::vector<OverlayScene> scenes = Ticks();
    OverlayComposer composer;
    composer.Compose(scenes[0]);
    EXPECT_EQ(composer.TakeChangedRegion(), QRegion(0, 0, 300, 300));
    const qint64 key = composer.Compose(scenes[0]).cacheKey();
    EXPECT_EQ(composer.Compose(scenes[0]).cacheKey(), key);
    EXPECT_TRUE(composer.TakeChangedRegion().isEmpty());

    composer.Compose(scenes[1]);
    const QRect changed = composer.TakeChangedRegion().boundingRect();
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_LT(changed.width() * changed.height(), 300 * 300 / 4);
}

} // namespace
