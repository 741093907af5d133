#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a BMP file (Windows and OS/2 headers): 1, 2, 4 and 8 bits per pixel
// with a palette, uncompressed or run-length (RLE4, RLE8); 16, 24 and 32 bits
// per pixel, plain or with colour masks. Channels narrower than 8 bits are
// scaled to the full 0..255 range.
//
// A picture of one bit per pixel keeps one bit per pixel, with the file's
// palette and pixel values. Other palette pictures come back 8-bit indexed:
// pixels that run-length data skips take the first palette colour, and an
// index beyond the palette is black. Colour pictures come back 32-bit, with
// alpha when the file has an alpha mask.
//
// A damaged or unsupported file throws PictureError saying what is wrong.
QImage DecodeBmp(const QByteArray& bytes);
