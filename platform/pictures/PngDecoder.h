#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a PNG file with Qt, after checking that the file holds all of its
// chunks up to the end chunk, and mends what Qt gets wrong:
// - a 16-bit grey or colour picture with a transparent colour, which Qt 6.4
//   garbles, is decoded without it and the colour is made clear here;
// - a black-and-white picture keeps the pixel values of its file (0 black),
//   where Qt hands them over inverted.
// Throws PictureError.
QImage DecodePng(const QByteArray& bytes);
