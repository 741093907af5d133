#pragma once

#include "skins/Skin.h"
#include "skins/Texture.h"

#include <QDateTime>
#include <QImage>
#include <QString>

#include <optional>

struct ClockPicture {
    QImage Image;
    // What the texture could not show (a missing picture); the band then
    // has no picture.
    std::optional<TextureProblem> Problem;
};

// The whole clock as its window shows it at a moment, composed off screen:
// the face of that minute, texture band, seconds marker and readout, after a
// full refresh and one ordinary tick. Outside the window's outline the
// picture is transparent (ARGB32). Drawn from the given skin alone.
ClockPicture ClockPictureAt(const Skin& skin, const QDateTime& moment, int side, const QString& readoutFormat,
    double pixelsPerInch);
