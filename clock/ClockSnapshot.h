#pragma once

#include "clock/ClockPicture.h"
#include "platform/raster/Color.h"
#include "skins/Skin.h"

#include <QDateTime>
#include <QImage>
#include <QString>

// A skin's snapshot, the picture the gallery shows for it: the whole clock
// at 300 x 300 pixels, composed off screen exactly as the clock window
// composes it, on the gallery's background colour outside the clock's
// outline. The window's own transparency plays no part. The clock on the
// screen is neither moved, resized nor raised for it, and nothing that lies
// over the clock gets into the picture.

inline constexpr int kSnapshotSide = 300;
// The gallery's background, R 51, G 102, B 153.
inline constexpr TColor kGalleryColor = 0x996633;
inline constexpr int kSnapshotQuality = 90;

// The snapshot of skin at a moment, its readout in the given format: a
// 24-bit picture, kSnapshotSide square, drawn from the given skin alone; a
// texture picture that cannot be had is left out and comes back as the
// Problem.
ClockPicture SnapshotPicture(const Skin& skin, const QDateTime& moment, const QString& readoutFormat, double pixelsPerInch);

// Encodes the picture as a JPEG of quality 90 and puts it at path, replacing
// a file there, so that the file holds either the whole new picture or what
// it held before. Throws IoError or PictureError.
void WriteSnapshot(const QString& path, const QImage& picture);
