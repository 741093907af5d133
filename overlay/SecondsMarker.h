#pragma once

#include "platform/raster/Color.h"

#include <QImage>
#include <QRect>

class SurfaceAxes;

enum TMarkerShape { msCircle, msStar };

// The seconds marker (srsSec): one shape centred on one point.
struct SecondsMarker {
    bool Active = true;
    double X = 0; // axis units
    double Y = 0;
    double Radius = 0; // axis units, half the marker's size
    TMarkerShape MarkerShape = msStar;
    TColor OutlineColor = kLime; // the circle's outline, the star's lines
    TColor FillColor = kOlive;
    bool Filled = true; // a star is never filled

    bool operator==(const SecondsMarker&) const = default;

    // Draws the marker when Active and returns the pixels it may have
    // changed (empty when none). A circle is inscribed in the box from
    // centre - s to centre + s less its last column and row, so it is 2s pixels
    // across and absent for s = 0; a star is four lines through the centre
    // including both ends, 2s + 1 pixels across, the centre pixel alone for
    // s = 0.
    QRect Draw(QImage& image, const SurfaceAxes& axes) const;
};
