#include "clock/ClockTick.h"

#include "clock/ClockAngles.h"
#include "clock/FaceColors.h"
#include "clock/WindowShape.h"
#include "platform/text/DateTimeFormat.h"
#include "platform/raster/Rounding.h"

#include <cmath>

namespace ClockTick {

namespace {

enum SecStyle { EmptyCircle = 0, Star = 2, NoMarker = 3 };
enum DigPosition { Top = 1, Middle = 2, Bottom = 3 };
constexpr int kPointsPerInch = 72;
constexpr int kFontSizeDivisor = 11;
// The readout's box takes the colour 30 % of the way along its band.
constexpr int kBoxColourTotal = 100;
constexpr int kBoxColourPosition = 30;

int Sign(long double value)
{
    return (value > 0) - (value < 0);
}

} // namespace

double MarkerPathRadius(const Skin& skin)
{
    return (double(skin.OuterEdge) + skin.InnerEdge) / 2;
}

double MarkerRadius(const Skin& skin)
{
    return (double(skin.OuterEdge) - skin.InnerEdge) / 2;
}

QPointF MarkerPosition(const Skin& skin, int second)
{
    const long double angle = SecondsAngle(second);
    const long double path = MarkerPathRadius(skin);
    const long double x = path * std::cos(angle);
    const long double y = path * std::sin(angle);
    if (!skin.Square)
        return QPointF(double(x), double(y));
    if (std::fabs(x) > std::fabs(y)) {
        const long double onEdgeX = Sign(x) * path;
        return QPointF(double(onEdgeX), double(std::tan(angle) * onEdgeX));
    }
    const long double onEdgeY = Sign(y) * path;
    return QPointF(double((1.0L / std::tan(angle)) * onEdgeY), double(onEdgeY));
}

void ApplyMarkerStyle(SecondsMarker& marker, const Skin& skin)
{
    marker.OutlineColor = skin.SecColor;
    marker.Active = skin.SecStyle != NoMarker;
    if (!marker.Active)
        return;
    if (skin.SecStyle == Star) {
        marker.MarkerShape = msStar;
        return;
    }
    marker.MarkerShape = msCircle;
    if (skin.SecStyle == EmptyCircle) {
        marker.Filled = false;
    } else {
        marker.FillColor = skin.SecColor;
        marker.Filled = true;
    }
}

FaceStep FaceStepAt(int shown, int now)
{
    constexpr int kFacesPerHalfDay = 12 * 60;
    if (now == shown)
        return FaceStep::Keep;
    if (now == (shown + 1) % kFacesPerHalfDay)
        return FaceStep::ShowPrepared;
    return FaceStep::RedrawBoth;
}

int ReadoutFontSize(int surfaceWidth, int digSize)
{
    const double textWidth = double(RoundHalfEven(double(surfaceWidth) * digSize / 100));
    return int(RoundHalfEven(textWidth / kFontSizeDivisor));
}

void SetUpReadout(ReadoutLabel& readout, const Skin& skin, int surfaceWidth, double pixelsPerInch)
{
    readout.Active = skin.DigPosition > 0;
    if (!readout.Active)
        return;
    readout.FontSize = ReadoutFontSize(surfaceWidth, skin.DigSize);
    const double fontHeight = double(RoundHalfAway(readout.FontSize * pixelsPerInch / kPointsPerInch));
    readout.Offset = -int(RoundHalfEven(fontHeight / 2));

    const double edgeMiddle = (double(skin.OuterEdge) + 100) / 2;
    if (skin.DigPosition == Top)
        readout.Y = edgeMiddle;
    else if (skin.DigPosition == Middle)
        readout.Y = 0;
    else if (skin.DigPosition == Bottom)
        readout.Y = -edgeMiddle;

    readout.FontColor = skin.DigColor;
    readout.FontName = skin.DigFont.text();
    readout.RoundCorners = ShapeOf(skin) != ClockShape::Square;
    const bool onHours = skin.DigPosition == Middle;
    const TColor first = onHours ? skin.HourFirstColor : skin.MinFirstColor;
    const TColor last = onHours ? skin.HourLastColor : skin.MinLastColor;
    readout.FrameColor = last;
    readout.FillColor = MixColor(first, last, kBoxColourTotal, kBoxColourPosition);
}

std::optional<QString> ReadoutText(const QDateTime& now, int formatIndex, const QString& amPmFormat,
    const QString& h24Format)
{
    if (formatIndex == 0)
        return FormatDateTime(amPmFormat, now);
    if (formatIndex == 1)
        return FormatDateTime(h24Format, now);
    return std::nullopt;
}

} // namespace ClockTick
