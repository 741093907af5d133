#include "platform/PictureLoader.h"

#include "platform/BmpDecoder.h"
#include "platform/GifDecoder.h"
#include "platform/IoError.h"
#include "platform/JpegCodec.h"
#include "platform/PictureError.h"
#include "platform/PngDecoder.h"
#include "platform/QtPictureReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

bool IsJpeg(const QByteArray& format)
{
    return format == "jpg" || format == "jpeg";
}

QString Described(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot load the picture %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

void CheckIsFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw IoError(Described(path, QStringLiteral("it is a folder, not a file.")));
    if (!info.exists())
        throw IoError(Described(path, QStringLiteral("the file does not exist.")));
    // A pipe or a device would block the reading or never end it.
    if (!info.isFile())
        throw IoError(Described(path, QStringLiteral("it is not a regular file.")));
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(Described(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError(Described(path, file.errorString()));
    return bytes;
}

} // namespace

QImage LoadPicture(const QString& path)
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    CheckIsFile(path);
    if (format.isEmpty())
        throw PictureError(Described(path, QStringLiteral("the file name has no picture extension (such as .bmp or .jpg).")));
    if (!IsJpeg(format) && !QImageReader::supportedImageFormats().contains(format))
        throw PictureError(Described(path, QStringLiteral("files of type .%1 are not pictures this program can load.")
                                               .arg(QString::fromLatin1(format))));
    const QByteArray bytes = ReadWholeFile(path);
    try {
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
