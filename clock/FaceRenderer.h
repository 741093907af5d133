#pragma once

#include "clock/FaceDirections.h"
#include "skins/Skin.h"

#include <QImage>

// Paints the analogue face: an hour disc and a minute ring whose colour
// gradients sweep once around the centre starting at their hand, the tics band
// between them with twelve tics, and the two hand lines. A hand of angle A
// points in the bitmap direction pi - A.
//
// Every pixel equals the step-by-step definition: each band pixel's position
// on its gradient is round((w + A + pi) * 1000) mod 6283 for the pixel's
// direction w, the sum formed in extended precision. The renderer keeps the
// pixel directions of the last face size in a quarter-face table and redoes a
// pixel in extended precision only where its position lies within a hair of a
// rounding boundary, so the fast path never changes a result.
// The position of the direction (dx, dy) from the centre on a band whose hand
// has angle A: the clockwise angle from the hand in milliradians, 0..6282 (a
// sum below zero, which the clock's angles never give, wraps into that range).
int BandPosition(double dx, double dy, double handAngle);

class FaceRenderer {
public:
    // Makes bitmap of the raster format (32 bits per pixel) and overwrites
    // every pixel.
    void DrawFace(QImage& bitmap, const Skin& skin, double hourAngle, double minuteAngle);

private:
    FaceDirections m_directions;
};
