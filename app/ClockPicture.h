#pragma once

#include "skins/Skin.h"

#include <QImage>
#include <QString>
#include <QDateTime>

// The whole clock as its window shows it at a moment, composed off screen:
// the face of that minute, texture band, seconds marker and readout, after a
// full refresh and one ordinary tick. Outside the window's outline the
// picture is transparent (ARGB32). Uses the live Skin and the texture
// globals, as the window does: the skin to draw is put into Skin first.
QImage ClockPictureAt(const TSkin& skin, const QDateTime& moment, int side, const QString& readoutFormat, double pixelsPerInch);
