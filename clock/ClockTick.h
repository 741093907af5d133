#pragma once

#include "overlay/ReadoutLabel.h"
#include "overlay/SecondsMarker.h"
#include "skins/Skin.h"

#include <QDateTime>
#include <QPointF>
#include <QString>

#include <optional>

// What a tick of the clock puts onto the overlay surface, worked out from the
// skin and the time: the seconds marker's style, radius and place on its
// path, and the readout's font, box and text.
namespace ClockTick {

inline constexpr auto kFirstReadoutText = "12:34:56 AM";

// A face shows an hour of the 12-hour dial and a minute: it is named by its
// minute of the half day, 0..719.
constexpr int FaceMinute(int hour, int minute)
{
    return (hour % 12) * 60 + minute;
}

// What an ordinary tick does to the faces when the clock reads the face
// minute now while the surface shows shown: nothing within the minute; at
// the next minute, the face prepared a minute ahead comes in; after any
// other change (the clock set, daylight saving, a resume) both faces are
// drawn afresh, since the one prepared ahead is of the wrong time.
enum class FaceStep { Keep, ShowPrepared, RedrawBoth };
FaceStep FaceStepAt(int shown, int now);

// The marker runs halfway between the band edges and fills the middle band:
// path radius (OuterEdge + InnerEdge) / 2 and marker radius
// (OuterEdge - InnerEdge) / 2, in axis units.
double MarkerPathRadius(const Skin& skin);
double MarkerRadius(const Skin& skin);

// The marker's place at a second: on the circle of the path radius for a
// circular clock, on the square of that half side for the square shapes.
QPointF MarkerPosition(const Skin& skin, int second);

// SecStyle 0 empty circle, 1 (and any other value) full circle, 2 star,
// 3 none. The star keeps the fill settings it had.
void ApplyMarkerStyle(SecondsMarker& marker, const Skin& skin);

// The readout's font, offset, place and colours for a surface of the given
// width; a position outside 1..3 keeps the label's place.
void SetUpReadout(ReadoutLabel& readout, const Skin& skin, int surfaceWidth, double pixelsPerInch);

// The readout's font size in points for a surface width and DigSize.
int ReadoutFontSize(int surfaceWidth, int digSize);

// The time as the readout shows it: formatIndex 0 uses the 12-hour format,
// 1 the 24-hour one; with no choice (-1) the text stays as it is.
std::optional<QString> ReadoutText(const QDateTime& now, int formatIndex, const QString& amPmFormat,
    const QString& h24Format);

} // namespace ClockTick
