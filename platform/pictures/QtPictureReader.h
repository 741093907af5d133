#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a picture with Qt's reader for the format named (lower-case
// extension, no guessing from the content). A picture above
// kMaxPicturePixels is refused before it is decoded; every picture within
// that limit may be decoded, whatever Qt's own allocation limit says.
// Throws PictureError.
QImage ReadWithQt(const QByteArray& bytes, const QByteArray& format);
