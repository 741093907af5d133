#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a GIF file (its first frame) with Qt, after checking that the file
// holds all of its blocks up to the trailer; bytes after the trailer do not
// matter. Throws PictureError.
QImage DecodeGif(const QByteArray& bytes);
