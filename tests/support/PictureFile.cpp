#include "tests/support/PictureFile.h"

#include <QBuffer>
#include <QImageWriter>

QByteArray BmpBytes(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(picture);
    return bytes;
}
