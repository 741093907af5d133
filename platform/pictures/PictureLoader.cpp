#include "platform/pictures/PictureLoader.h"

#include "platform/pictures/BmpDecoder.h"
#include "platform/pictures/GifDecoder.h"
#include "platform/files/IoError.h"
#include "platform/pictures/JpegCodec.h"
#include "platform/pictures/PictureError.h"
#include "platform/pictures/PngDecoder.h"
#include "platform/pictures/QtPictureReader.h"
#include "platform/files/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <optional>
#include <utility>

namespace {

bool IsJpeg(const QByteArray& format)
{
    return format == "jpg" || format == "jpeg";
}

QString Described(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot load the picture %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

// No picture within the pixel limit takes more on disk: uncompressed, at
// 16 bits a channel with alpha, with room for its headers.
constexpr qint64 kMaxPictureFileBytes = kMaxPicturePixels * 8 + (qint64(1) << 20);

// Only a regular file is read, and none larger than a picture can be.
QByteArray ReadPictureFile(const QString& path)
{
    std::optional<QByteArray> bytes = ReadRegularFile(path, kMaxPictureFileBytes);
    if (!bytes)
        throw IoError(Described(path, QStringLiteral("the file does not exist.")));
    return *std::move(bytes);
}

} // namespace

QImage LoadPicture(const QString& path)
{
    return LoadPicture(path, std::nullopt);
}

QImage LoadPicture(const QString& path, std::optional<QSize> atLeast)
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    const QByteArray bytes = ReadPictureFile(path);
    if (format.isEmpty())
        throw PictureError(Described(path, QStringLiteral("the file name has no picture extension (such as .bmp or .jpg).")));
    if (!IsJpeg(format) && !QImageReader::supportedImageFormats().contains(format))
        throw PictureError(Described(path, QStringLiteral("files of type .%1 are not pictures this program can load.")
                                               .arg(QString::fromLatin1(format))));
    try {
        if (IsJpeg(format) && atLeast && !bytes.isEmpty())
            return DecodeJpegAtLeast(bytes, *atLeast);
        return DecodePicture(bytes, format);
    } catch (const PictureError& error) {
        throw PictureError(Described(path, error.message()));
    }
}

QImage DecodePicture(const QByteArray& bytes, const QByteArray& format)
{
    if (bytes.isEmpty())
        throw PictureError(QStringLiteral("the file is empty."));
    if (IsJpeg(format))
        return DecodeJpeg(bytes);
    if (format == "bmp" || format == "dib")
        return DecodeBmp(bytes);
    if (format == "png")
        return DecodePng(bytes);
    if (format == "gif")
        return DecodeGif(bytes);
    return ReadWithQt(bytes, format);
}

QStringList PictureExtensions()
{
    QStringList extensions { QStringLiteral("jpg"), QStringLiteral("jpeg") };
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        extensions.append(QString::fromLatin1(format).toLower());
    extensions.sort();
    extensions.removeDuplicates();
    return extensions;
}
