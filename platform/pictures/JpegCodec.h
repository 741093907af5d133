#pragma once

#include "platform/pictures/PictureError.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

// JPEG through libjpeg. Every library error becomes a PictureError carrying
// the library's message; the process never exits on bad input. A file that
// ends early or holds damaged data is an error too, not a grey-filled
// picture. CMYK and YCCK pictures are shown in RGB.

// JPEG pictures above this many pixels are refused before decoding.
inline constexpr long long kMaxJpegPixels = kMaxPicturePixels;

// Decodes to a 24-bit image (QImage::Format_RGB888).
QImage DecodeJpeg(const QByteArray& bytes);

// Decodes at the smallest of libjpeg's scales 1/8, 2/8 .. 8/8 that gives a
// picture at least atLeast wide and high (full size when the picture is
// smaller than that), which is several times faster than a full decoding for
// a thumbnail. The limits and errors are those of DecodeJpeg.
QImage DecodeJpegAtLeast(const QByteArray& bytes, QSize atLeast);

// Encodes at the given quality (0..100); snapshots use 90.
QByteArray EncodeJpeg(const QImage& image, int quality);
