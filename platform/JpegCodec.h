#pragma once

#include "platform/PictureError.h"

#include <QByteArray>
#include <QImage>

// JPEG through libjpeg. Every library error becomes a PictureError carrying
// the library's message; the process never exits on bad input. A file that
// ends early or holds damaged data is an error too, not a grey-filled
// picture. CMYK and YCCK pictures are shown in RGB.

// JPEG pictures above this many pixels are refused before decoding.
inline constexpr long long kMaxJpegPixels = kMaxPicturePixels;

// Decodes to a 24-bit image (QImage::Format_RGB888).
QImage DecodeJpeg(const QByteArray& bytes);

// Encodes at the given quality (0..100); snapshots use 90.
QByteArray EncodeJpeg(const QImage& image, int quality);
