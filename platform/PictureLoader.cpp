#include "platform/PictureLoader.h"

#include "platform/IoError.h"
#include "platform/JpegCodec.h"
#include "platform/LittleEndian.h"
#include "platform/PictureError.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstdint>
#include <cstdlib>
#include <optional>

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

// What a BMP's headers declare. Qt's decoder refuses some large pictures
// without saying why, draws a file that ends early half-filled, and hands
// over a two-colour picture with its palette flipped when colour 0 is the
// darker one; these let the loader say what is wrong and keep the file's
// pixel values.
struct BmpHeaders {
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    qint64 pixelDataEnd = 0; // 0 when the headers do not say
    qint64 paletteOffset = 0;
};

std::optional<BmpHeaders> ReadBmpHeaders(const QByteArray& bytes)
{
    constexpr qsizetype kFileHeaderSize = 14;
    constexpr std::uint32_t kCoreHeaderSize = 12;
    constexpr std::uint32_t kInfoHeaderSize = 40;
    constexpr std::uint32_t kUncompressed = 0;
    constexpr std::uint32_t kBitFields = 3;
    if (bytes.size() < kFileHeaderSize + kCoreHeaderSize || !bytes.startsWith("BM"))
        return std::nullopt;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const qint64 pixelOffset = ReadLittleEndian<std::uint32_t>(data, 10);
    const std::uint32_t headerSize = ReadLittleEndian<std::uint32_t>(data, kFileHeaderSize);
    BmpHeaders headers;
    headers.paletteOffset = kFileHeaderSize + headerSize;
    std::uint32_t compression = kUncompressed;
    std::uint32_t imageSize = 0;
    if (headerSize == kCoreHeaderSize) {
        headers.width = ReadLittleEndian<std::uint16_t>(data, 18);
        headers.height = ReadLittleEndian<std::uint16_t>(data, 20);
        headers.bitsPerPixel = ReadLittleEndian<std::uint16_t>(data, 24);
    } else if (headerSize >= kInfoHeaderSize && bytes.size() >= kFileHeaderSize + kInfoHeaderSize) {
        headers.width = ReadLittleEndian<std::int32_t>(data, 18);
        headers.height = std::abs(qint64(ReadLittleEndian<std::int32_t>(data, 22)));
        headers.bitsPerPixel = ReadLittleEndian<std::uint16_t>(data, 28);
        compression = ReadLittleEndian<std::uint32_t>(data, 30);
        imageSize = ReadLittleEndian<std::uint32_t>(data, 34);
    } else {
        return std::nullopt;
    }
    if (headers.width <= 0 || headers.width * headers.height > kMaxPicturePixels)
        return headers;
    if (compression == kUncompressed || compression == kBitFields)
        headers.pixelDataEnd = pixelOffset + (headers.width * headers.bitsPerPixel + 31) / 32 * 4 * headers.height;
    else if (imageSize > 0)
        headers.pixelDataEnd = pixelOffset + imageSize;
    return headers;
}

// Gives a two-colour BMP back the pixel values and palette order of its file.
void KeepFilePalette(QImage& image, const QByteArray& bytes, const BmpHeaders& headers)
{
    if (image.depth() != 1 || image.colorCount() != 2 || bytes.size() < headers.paletteOffset + 3)
        return;
    const auto* entry = reinterpret_cast<const std::uint8_t*>(bytes.constData()) + headers.paletteOffset;
    const QRgb fileColour0 = qRgb(entry[2], entry[1], entry[0]);
    if (image.color(0) == fileColour0)
        return;
    const QRgb loadedColour0 = image.color(0);
    image.invertPixels();
    image.setColorTable({ image.color(1), loadedColour0 });
}

QImage DecodeWithQt(const QByteArray& bytes, const QByteArray& format)
{
    constexpr char kGifTrailer = 0x3B;
    const std::optional<BmpHeaders> bmp = format == "bmp" ? ReadBmpHeaders(bytes) : std::nullopt;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    const qint64 width = bmp ? bmp->width : size.width();
    const qint64 height = bmp ? bmp->height : size.height();
    if (width * height > kMaxPicturePixels)
        throw PictureTooLargeError(width, height);
    const bool endsEarly = bmp ? bytes.size() < bmp->pixelDataEnd : format == "gif" && !bytes.endsWith(kGifTrailer);
    if (endsEarly)
        throw PictureError(QStringLiteral("the file ends before the picture does."));
    QImage image = reader.read();
    if (image.isNull())
        throw PictureError(QStringLiteral("it is not a valid %1 picture (%2).")
                               .arg(QString::fromLatin1(format.toUpper()), reader.errorString()));
    if (bmp)
        KeepFilePalette(image, bytes, *bmp);
    return image;
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
    return IsJpeg(format) ? DecodeJpeg(bytes) : DecodeWithQt(bytes, format);
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
