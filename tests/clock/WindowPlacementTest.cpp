#include "clock/PlacementKeys.h"
#include "clock/ScreenSnap.h"
#include "clock/WindowShape.h"

#include <QRect>

#include <gtest/gtest.h>

namespace {

using namespace PlacementKeys;

// The visible pixels of an outline as the bounding box of every row's span.
QRect VisibleBounds(const QImage& outline)
{
    QRect bounds;
    for (int y = 0; y < outline.height(); ++y)
        for (int x = 0; x < outline.width(); ++x)
            if (outline.pixelIndex(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(WindowShape, OutlinesLeaveTheStatedPixels)
{
    const QImage circle = WindowOutline(QSize(400, 400), ClockShape::Circular);
    EXPECT_EQ(VisibleBounds(circle), QRect(0, 0, 400, 400));
    EXPECT_EQ(circle.pixelIndex(0, 0), 0);
    EXPECT_EQ(circle.pixelIndex(200, 200), 1);
    EXPECT_EQ(circle.pixelIndex(199, 0), 1);   // the top of the ellipse
    EXPECT_EQ(circle.pixelIndex(58, 58), 0);   // outside the ellipse near a corner

    const QImage square = WindowOutline(QSize(400, 400), ClockShape::Square);
    EXPECT_EQ(VisibleBounds(square), QRect(1, 1, 398, 398)); // x, y = 1..398
    EXPECT_EQ(square.pixelIndex(1, 1), 1);
    EXPECT_EQ(square.pixelIndex(0, 200), 0);
    EXPECT_EQ(square.pixelIndex(399, 200), 0);

    const QImage rounded = WindowOutline(QSize(400, 400), ClockShape::Rounded);
    EXPECT_EQ(VisibleBounds(rounded), QRect(1, 1, 398, 398));
    EXPECT_EQ(rounded.pixelIndex(1, 1), 0);    // cut by the 25-pixel corner radius
    EXPECT_EQ(rounded.pixelIndex(26, 1), 1);
    EXPECT_EQ(rounded.pixelIndex(1, 26), 1);
    EXPECT_EQ(rounded.pixelIndex(200, 1), 1);
}

// The mask of the window: every visible pixel of the outline and no other,
// the same region as the union of every row's runs.
TEST(WindowShape, RegionHoldsTheVisiblePixels)
{
    for (const ClockShape shape : { ClockShape::Circular, ClockShape::Square, ClockShape::Rounded })
        for (const int side : { 50, 201, 400 }) {
            const QImage outline = WindowOutline(QSize(side, side), shape);
            const QRegion region = RegionOf(outline);
            QRegion unionOfRuns;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x) {
                    EXPECT_EQ(region.contains(QPoint(x, y)), outline.pixelIndex(x, y) == 1) << side << " " << x << "," << y;
                    if (outline.pixelIndex(x, y) == 1)
                        unionOfRuns += QRect(x, y, 1, 1);
                }
            EXPECT_EQ(region, unionOfRuns) << side;
        }
}

TEST(WindowShape, ShapesSidesAndAlpha)
{
    Skin skin = DefaultSkin();
    EXPECT_EQ(ShapeOf(skin), ClockShape::Square);
    skin.Rounded = true;
    EXPECT_EQ(ShapeOf(skin), ClockShape::Rounded);
    skin.Square = false;
    EXPECT_EQ(ShapeOf(skin), ClockShape::Circular); // whatever Rounded holds

    EXPECT_EQ(WindowSide(400), 400);
    EXPECT_EQ(WindowSide(-5), 50);
    EXPECT_EQ(WindowSide(0), 50);
    EXPECT_EQ(WindowSide(100000), 1000);

    const std::pair<int, int> alphas[] = { { 0, 255 }, { 5, 242 }, { 10, 230 }, { 15, 217 }, { 20, 204 }, { 25, 191 },
        { 30, 178 }, { 35, 166 }, { 40, 153 }, { 45, 140 }, { 50, 128 }, { 80, 128 }, { 255, 128 } };
    for (const auto& [transparency, alpha] : alphas)
        EXPECT_EQ(WindowAlpha(transparency), alpha) << transparency;
}

TEST(PlacementKeys, TableAtA1920By1040WorkArea)
{
    const QRect workArea(0, 0, 1920, 1040);
    const QPoint start(300, 200);
    const std::pair<int, QPoint> moves[] = {
        { Home, QPoint(-1, -1) }, { NumPad7, QPoint(-1, -1) },
        { NumPad8, QPoint(300, -1) },
        { PageUp, QPoint(1521, -1) }, { NumPad9, QPoint(1521, -1) },
        { NumPad4, QPoint(-1, 200) },
        { NumPad5, QPoint(760, 320) },
        { NumPad6, QPoint(1521, 200) },
        { End, QPoint(0, 640) }, { NumPad1, QPoint(0, 640) },
        { NumPad2, QPoint(300, 640) },
        { PageDown, QPoint(1521, 640) }, { NumPad3, QPoint(1521, 640) },
        { Left, QPoint(295, 200) }, { Up, QPoint(300, 195) }, { Right, QPoint(305, 200) }, { Down, QPoint(300, 205) },
    };
    for (const auto& [key, expected] : moves) {
        const Action action = ForKey(key, start, 400, workArea);
        ASSERT_TRUE(action.position) << key;
        EXPECT_EQ(*action.position, expected) << key;
        EXPECT_EQ(action.sizeStep, 0);
    }
    EXPECT_FALSE(ForKey(12, start, 400, workArea).position); // keypad 5 without NumLock
    EXPECT_FALSE(ForKey(65, start, 400, workArea).position);
}

// Panels at the top or left move the work area's origin, and every target
// and limit with it.
TEST(PlacementKeys, PlaceRelativeToTheWorkAreasOrigin)
{
    const QRect workArea(60, 32, 1860, 1008);
    const QPoint start(300, 200);
    const std::pair<int, QPoint> moves[] = {
        { Home, QPoint(59, 31) },
        { NumPad8, QPoint(300, 31) },
        { PageUp, QPoint(60 + 1461, 31) },
        { NumPad4, QPoint(59, 200) },
        { NumPad5, QPoint(60 + 730, 32 + 304) },
        { End, QPoint(60, 32 + 608) },
        { PageDown, QPoint(60 + 1461, 32 + 608) },
    };
    for (const auto& [key, expected] : moves)
        EXPECT_EQ(*ForKey(key, start, 400, workArea).position, expected) << key;
    EXPECT_EQ(*ForKey(Left, QPoint(60 - 198, 0), 400, workArea).position, QPoint(60 - 203, 0));
    EXPECT_EQ(*ForKey(Left, QPoint(60 - 203, 0), 400, workArea).position, QPoint(60 - 203, 0));
    EXPECT_EQ(*ForKey(Up, QPoint(0, 32 - 199), 400, workArea).position, QPoint(0, 32 - 204));
    EXPECT_EQ(*ForKey(Right, QPoint(60 + 1660, 0), 400, workArea).position, QPoint(60 + 1660, 0));
    EXPECT_EQ(*ForKey(Down, QPoint(0, 32 + 808), 400, workArea).position, QPoint(0, 32 + 808));
}

TEST(PlacementKeys, ArrowStepsStopAboutHalfOutside)
{
    const QRect workArea(0, 0, 1920, 1040);
    EXPECT_EQ(*ForKey(Left, QPoint(-198, 0), 400, workArea).position, QPoint(-203, 0));
    EXPECT_EQ(*ForKey(Left, QPoint(-203, 0), 400, workArea).position, QPoint(-203, 0));
    EXPECT_EQ(*ForKey(Up, QPoint(0, -199), 401, workArea).position, QPoint(0, -204)); // -199 > -200.5
    EXPECT_EQ(*ForKey(Right, QPoint(1719, 0), 400, workArea).position, QPoint(1724, 0));
    EXPECT_EQ(*ForKey(Right, QPoint(1720, 0), 400, workArea).position, QPoint(1720, 0));
    EXPECT_EQ(*ForKey(Down, QPoint(0, 839), 400, workArea).position, QPoint(0, 844));
    EXPECT_EQ(*ForKey(Down, QPoint(0, 840), 400, workArea).position, QPoint(0, 840));
}

TEST(PlacementKeys, SizeKeys)
{
    EXPECT_EQ(ForKey(NumPadPlus, {}, 760, QRect(0, 0, 1024, 768)).sizeStep, 10);
    EXPECT_EQ(ForKey(NumPadPlus, {}, 770, QRect(0, 0, 1024, 768)).sizeStep, 0);
    EXPECT_EQ(ForKey(NumPadMinus, {}, 55, QRect(0, 0, 1024, 768)).sizeStep, -10);
    EXPECT_EQ(ForKey(NumPadMinus, {}, 50, QRect(0, 0, 1024, 768)).sizeStep, 0);
}

TEST(PlacementKeys, OnlyTheKeypadsDigitsPlusAndMinusCount)
{
    EXPECT_EQ(VirtualKeyOf(Qt::Key_7, true), NumPad7);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_7, false), 0);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Plus, true), NumPadPlus);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Plus, false), 0);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Minus, true), NumPadMinus);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Home, true), Home); // keypad 7 with NumLock off
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Up, true), Up);      // keypad 8 with NumLock off
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Clear, true), 0);    // keypad 5 with NumLock off
    EXPECT_EQ(VirtualKeyOf(Qt::Key_0, true), 0);
}

} // namespace

// The first start's place: the top-right corner of the work area, clear of
// a panel at the top, 16 pixels in; a work area narrower than the clock
// keeps its left edge.
TEST(FirstStartPosition, TopRightOfTheWorkArea)
{
    EXPECT_EQ(FirstStartPosition(QRect(0, 0, 1920, 1080), 400), QPoint(1504, 16));
    EXPECT_EQ(FirstStartPosition(QRect(0, 27, 1024, 741), 400), QPoint(608, 43));
    EXPECT_EQ(FirstStartPosition(QRect(1920, 0, 1280, 1024), 200), QPoint(2984, 16));
    EXPECT_EQ(FirstStartPosition(QRect(0, 0, 300, 300), 400), QPoint(0, 16));
}
