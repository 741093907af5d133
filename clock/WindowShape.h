#pragma once

#include "skins/Skin.h"

#include <QImage>
#include <QRegion>
#include <QSize>

// The outline of the clock window and its whole-window transparency.

enum class ClockShape { Circular, Square, Rounded };

ClockShape ShapeOf(const Skin& skin);

// The side of the window for a skin's ClockSize: values a file may carry
// outside the designer's 50..1000 are drawn at the nearest of those.
int WindowSide(std::int32_t clockSize);

// The visible part of a window of the given size, one bit per pixel (1 is
// visible): the ellipse inscribed in the window for a circle; for the square
// shapes the window less its outermost pixel on every side, the rounded shape
// with corners of a 50 x 50 ellipse.
QImage WindowOutline(QSize size, ClockShape shape);

// The visible pixels of an outline as a region, for the window's mask.
QRegion RegionOf(const QImage& outline);

// The window's opacity 0..255 for a transparency in percent: at most 50 %
// applies, so 128 is the most translucent.
int WindowAlpha(int transparency);
