#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Loads a picture file, choosing the decoder by the file's extension: JPEG
// (.jpg, .jpeg) through libjpeg, every other format that Qt reads (BMP, ICO,
// GIF, PNG, ...) through QImageReader. A picture above kMaxPicturePixels is
// refused before it is decoded, and a file that ends early is refused rather
// than shown half-drawn. A two-colour picture keeps one bit per pixel and its
// two-entry palette.
//
// A missing, unreadable or folder path throws IoError; a file that is not a
// picture of its type throws PictureError. Both messages name the file.
QImage LoadPicture(const QString& path);

// The same decoding for a picture already in memory; format is the lower-case
// extension ("bmp", "jpg", ...). Throws PictureError.
QImage DecodePicture(const QByteArray& bytes, const QByteArray& format);

// The extensions of the files LoadPicture reads, lower case and without their
// dot ("bmp", "jpg", ...), sorted.
QStringList PictureExtensions();
