#pragma once

#include "platform/raster/Color.h"
#include "platform/raster/Raster.h"

#include <QImage>

// How the texture band is filled: a picture when Image is not empty,
// otherwise one of the platform's brush styles.
struct BandBrush {
    BrushStyle Style = BrushStyle::Cross;
    // The gaps between hatch lines and the 1 pixels of a two-colour Image.
    TColor Color = kWhite;
    // Tiled over the band from the surface's top-left corner; Style is then
    // ignored.
    QImage Image;

    // Style "None" without a picture: the band shows nothing, and Color
    // nowhere.
    bool DrawsNothing() const { return Image.isNull() && Style == BrushStyle::Clear; }

    // Pictures compare by identity: a copy of the same picture is equal, a
    // picture drawn into since is not.
    bool operator==(const BandBrush& other) const
    {
        return Style == other.Style && Color == other.Color && Image.cacheKey() == other.Image.cacheKey();
    }
};
