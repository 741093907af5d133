#pragma once

#include "overlay/BandBrush.h"
#include "platform/raster/Color.h"

#include <QImage>

class SurfaceAxes;

// A translucent vertical strip between two x values (ColorBand); in the clock
// it spans the whole surface. It has no outline.
struct TextureBand {
    double StartValue = -100; // x units; the limits are swapped when given in the wrong order
    double EndValue = 100;
    // Fills the solid style, draws the hatch lines and the 0 pixels of a
    // two-colour brush picture.
    TColor Color = kSilver;
    BandBrush Brush;
    // Percent of what lies below that shows through: 0 opaque, 100 invisible.
    // Values outside 0..100 count as the nearest limit.
    int Transparency = 80;

    bool operator==(const TextureBand&) const = default;

    // Fills the band's rectangle less its last column and row, blended with
    // Transparency over what the image holds.
    void Draw(QImage& image, const SurfaceAxes& axes) const;
};
