#include "clock/ClockAngles.h"
#include "clock/ClockTick.h"
#include "clock/FaceColors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace ClockTick;

constexpr double kTolerance = 1e-9;

Skin WithShape(bool square)
{
    Skin skin = DefaultSkin();
    skin.Square = square;
    return skin;
}

TEST(ClockTick, FacesFollowTheMinuteAndRedrawAfterAJump)
{
    struct Case {
        int shown, now;
        FaceStep step;
    };
    const Case cases[] = {
        { FaceMinute(10, 5), FaceMinute(10, 5), FaceStep::Keep },
        { FaceMinute(10, 5), FaceMinute(10, 6), FaceStep::ShowPrepared },
        { FaceMinute(11, 59), FaceMinute(0, 0), FaceStep::ShowPrepared },   // noon and midnight
        { FaceMinute(10, 59), FaceMinute(23, 0), FaceStep::ShowPrepared },  // the same dial position
        { FaceMinute(10, 5), FaceMinute(11, 5), FaceStep::RedrawBoth },     // an hour ahead, same minute
        { FaceMinute(10, 6), FaceMinute(10, 5), FaceStep::RedrawBoth },     // a minute back
        { FaceMinute(10, 5), FaceMinute(10, 32), FaceStep::RedrawBoth },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FaceStepAt(c.shown, c.now), c.step) << c.shown << " -> " << c.now;
}

TEST(ClockTick, MarkerRunsOnTheMiddleBand)
{
    const Skin circular = WithShape(false);
    EXPECT_EQ(MarkerPathRadius(circular), 55);
    EXPECT_EQ(MarkerRadius(circular), 5);
    const double R = 55;
    const std::pair<int, QPointF> quarters[] = { { 0, { 0, R } }, { 15, { R, 0 } }, { 30, { 0, -R } }, { 45, { -R, 0 } } };
    for (const auto& [second, expected] : quarters) {
        const QPointF at = MarkerPosition(circular, second);
        EXPECT_NEAR(at.x(), expected.x(), kTolerance) << second;
        EXPECT_NEAR(at.y(), expected.y(), kTolerance) << second;
    }

    const Skin square = WithShape(true);
    const QPointF seven = MarkerPosition(square, 7);
    EXPECT_NEAR(seven.x(), 0.9004 * R, 1e-3 * R); // on the top edge
    EXPECT_EQ(seven.y(), R);
    const QPointF fiftyTwo = MarkerPosition(square, 52);
    EXPECT_EQ(fiftyTwo.x(), -R); // on the left edge
    EXPECT_NEAR(fiftyTwo.y(), 0.9004 * R, 1e-3 * R);
    EXPECT_NEAR(MarkerPosition(square, 15).x(), R, kTolerance);
}

TEST(ClockTick, MarkerStyles)
{
    struct Case {
        int secStyle;
        bool active;
        TMarkerShape shape;
        bool filled;
    };
    const Case cases[] = { { 0, true, msCircle, false }, { 1, true, msCircle, true }, { 2, true, msStar, true },
        { 3, false, msStar, true }, { 5, true, msCircle, true }, { -1, true, msCircle, true } };
    for (const Case& c : cases) {
        Skin skin = DefaultSkin();
        skin.SecStyle = c.secStyle;
        skin.SecColor = 0x123456;
        SecondsMarker marker; // a star, filled, until styled
        ApplyMarkerStyle(marker, skin);
        EXPECT_EQ(marker.Active, c.active) << c.secStyle;
        EXPECT_EQ(marker.OutlineColor, 0x123456u);
        if (c.active) {
            EXPECT_EQ(marker.MarkerShape, c.shape) << c.secStyle;
            EXPECT_EQ(marker.Filled, c.filled) << c.secStyle;
        }
    }
}

TEST(ClockTick, ReadoutFontAndPlace)
{
    EXPECT_EQ(ReadoutFontSize(400, 30), 11); // 120 / 11
    EXPECT_EQ(ReadoutFontSize(50, 5), 0);    // round(2.5) = 2, round(2 / 11) = 0
    EXPECT_EQ(ReadoutFontSize(1000, 100), 91);

    Skin skin = DefaultSkin(); // square, readout in the middle
    ReadoutLabel readout;
    readout.Y = 17;
    SetUpReadout(readout, skin, 400, 96);
    EXPECT_TRUE(readout.Active);
    EXPECT_EQ(readout.FontSize, 11);
    EXPECT_EQ(readout.Offset, -8); // 11 pt at 96 dpi is 15 pixels high
    EXPECT_EQ(readout.Y, 0);
    EXPECT_EQ(readout.FontName, "Arial");
    EXPECT_FALSE(readout.RoundCorners);
    EXPECT_EQ(readout.FrameColor, skin.HourLastColor);
    EXPECT_EQ(readout.FillColor, MixColor(skin.HourFirstColor, skin.HourLastColor, 100, 30));

    skin.DigPosition = 1;
    skin.Square = false;
    SetUpReadout(readout, skin, 400, 96);
    EXPECT_EQ(readout.Y, 80); // halfway between the outer band edge (60) and the window edge
    EXPECT_TRUE(readout.RoundCorners);
    EXPECT_EQ(readout.FrameColor, skin.MinLastColor);
    skin.DigPosition = 3;
    SetUpReadout(readout, skin, 400, 96);
    EXPECT_EQ(readout.Y, -80);
    skin.DigPosition = 9; // out of range: the place stays
    SetUpReadout(readout, skin, 400, 96);
    EXPECT_EQ(readout.Y, -80);
    skin.DigPosition = 0;
    SetUpReadout(readout, skin, 400, 96);
    EXPECT_FALSE(readout.Active);
}

TEST(ClockTick, ReadoutTextFollowsTheFormatChoice)
{
    const QDate day(2026, 3, 4);
    const QString amPm = "h:mm:ss AM/PM";
    const QString h24 = "h:mm:ss";
    EXPECT_EQ(ReadoutText(QDateTime(day, QTime(15, 7, 9)), 0, amPm, h24), "3:07:09 PM");
    EXPECT_EQ(ReadoutText(QDateTime(day, QTime(15, 7, 9)), 1, amPm, h24), "15:07:09");
    EXPECT_EQ(ReadoutText(QDateTime(day, QTime(0, 5, 0)), 0, amPm, h24), "12:05:00 AM");
    EXPECT_EQ(ReadoutText(QDateTime(day, QTime(0, 5, 0)), 1, amPm, h24), "0:05:00");
    EXPECT_EQ(ReadoutText(QDateTime(day, QTime(0, 5, 0)), -1, amPm, h24), std::nullopt);
}

TEST(ClockAngles, HandsAtTheTopOfTheHour)
{
    // At m = 59 the face prepared ahead has the minute hand at 12 and the
    // hour hand exactly on the next hour.
    EXPECT_NEAR(MinuteAngle(60), MinuteAngle(0) - 2 * M_PI, 1e-12);
    EXPECT_NEAR(HourAngle(3, 59), 3 * M_PI / 2 - 4 * M_PI / 6 + 2 * M_PI, 1e-12);
    EXPECT_NEAR(SecondsAngle(0), 5 * M_PI / 2, 1e-12);
}

} // namespace
