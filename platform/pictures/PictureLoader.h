#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// Loads a picture file, choosing the decoder by the file's extension: JPEG
// (.jpg, .jpeg) through libjpeg, BMP through our own decoder, every other
// format that Qt reads (PNG, GIF, ICO, ...) through QImageReader, with checks
// and mends where Qt falls short. A picture above kMaxPicturePixels is
// refused before it is decoded, and a file that ends early or is damaged is
// refused rather than shown half-drawn. A two-colour picture keeps one bit
// per pixel, its two-entry palette and the pixel values of its file.
//
// A missing, unreadable or folder path throws IoError; a file that is not a
// picture of its type throws PictureError. Both messages name the file.
QImage LoadPicture(const QString& path);

// The same, for a picture that is shown smaller: with atLeast given, a JPEG
// picture is decoded at the smallest of libjpeg's scales that is at least
// that large (see DecodeJpegAtLeast); other formats are decoded whole.
QImage LoadPicture(const QString& path, std::optional<QSize> atLeast);

// The same decoding for a picture already in memory; format is the lower-case
// extension ("bmp", "jpg", ...). Throws PictureError.
QImage DecodePicture(const QByteArray& bytes, const QByteArray& format);

// The extensions of the files LoadPicture reads, lower case and without their
// dot ("bmp", "jpg", ...), sorted.
QStringList PictureExtensions();
