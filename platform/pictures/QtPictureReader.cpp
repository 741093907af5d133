#include "platform/pictures/QtPictureReader.h"

#include "platform/pictures/PictureError.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// Qt refuses pictures above its allocation limit (128 MB by default, about
// 33 megapixels at four bytes a pixel); ours is in pixels, and the widest
// pixels Qt decodes to take eight bytes (16 bits a channel).
constexpr int kBytesPerWidestPixel = 8;
constexpr int kAllocationLimitMegabytes = int((kMaxPicturePixels * kBytesPerWidestPixel + (1 << 20) - 1) >> 20);

} // namespace

QImage ReadWithQt(const QByteArray& bytes, const QByteArray& format)
{
    if (QImageReader::allocationLimit() < kAllocationLimitMegabytes)
        QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (qint64(size.width()) * size.height() > kMaxPicturePixels)
        throw PictureTooLargeError(size.width(), size.height());
    const QImage image = reader.read();
    if (image.isNull())
        throw PictureError(QStringLiteral("it is not a valid %1 picture (%2).")
                               .arg(QString::fromLatin1(format.toUpper()), reader.errorString()));
    // Some readers tell no size beforehand.
    if (qint64(image.width()) * image.height() > kMaxPicturePixels)
        throw PictureTooLargeError(image.width(), image.height());
    return image;
}
