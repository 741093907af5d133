#pragma once

#include "overlay/ReadoutLabel.h"
#include "overlay/SecondsMarker.h"
#include "overlay/TextureBand.h"
#include "platform/raster/Color.h"

#include <QImage>
#include <QSize>

// Everything the overlay surface shows, as plain values: the surface widget
// holds one, and a picture of the clock can be composed from one without any
// window.
struct OverlayScene {
    QSize Size { 269, 256 }; // device pixels
    // Device pixels per pixel of the desktop: the readout's text and corners
    // grow with it, so that a scaled desktop gets the clock drawn at its own
    // resolution rather than enlarged.
    double PixelRatio = 1;
    TColor Color = MakeColor(0xF0, 0xF0, 0xF0); // panel colour under the face picture
    // Drawn unscaled and centred; the clock gives one of exactly Size.
    QImage FacePicture;
    TextureBand ColorBand;
    SecondsMarker srsSec;
    ReadoutLabel srsDigit;
};
