#pragma once

#include <QByteArray>
#include <QImage>

// The bytes of a BMP file holding the picture.
QByteArray BmpBytes(const QImage& picture);
