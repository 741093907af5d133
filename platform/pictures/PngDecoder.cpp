#include "platform/pictures/PngDecoder.h"

#include "platform/pictures/PictureError.h"
#include "platform/pictures/QtPictureReader.h"

#include <QtEndian>

#include <cstdint>

namespace {

constexpr qsizetype kSignatureSize = 8;
constexpr qsizetype kChunkFraming = 12; // length, type and CRC
constexpr qsizetype kHeaderDataSize = 13;
constexpr int kGreyColourType = 0;
constexpr int kColourColourType = 2;

struct PngLayout {
    int bitDepth = 0;
    int colourType = 0;
    qsizetype transparencyChunk = -1; // offset of the tRNS chunk, if any
    QByteArray transparentColour; // its data
};

[[noreturn]] void NotValid(const QString& reason)
{
    throw PictureError(QStringLiteral("it is not a valid PNG picture (%1).").arg(reason));
}

std::uint32_t BigEndian32(const QByteArray& bytes, qsizetype offset)
{
    return qFromBigEndian<std::uint32_t>(bytes.constData() + offset);
}

// Walks the chunks by their declared lengths up to the end chunk.
PngLayout ReadLayout(const QByteArray& bytes)
{
    if (!bytes.startsWith(QByteArray("\x89PNG\r\n\x1A\n", kSignatureSize)))
        NotValid(QStringLiteral("it does not begin with the PNG signature"));
    PngLayout layout;
    for (qsizetype at = kSignatureSize;;) {
        if (bytes.size() - at < kChunkFraming)
            throw PictureError(QStringLiteral("the file ends before the picture does."));
        const qint64 length = BigEndian32(bytes, at);
        const QByteArray type = bytes.mid(at + 4, 4);
        if (length > bytes.size() - at - kChunkFraming)
            throw PictureError(QStringLiteral("the file ends before the picture does."));
        const QByteArray data = bytes.mid(at + 8, length);
        if (at == kSignatureSize) {
            if (type != "IHDR" || length != kHeaderDataSize)
                NotValid(QStringLiteral("it does not start with its header chunk"));
            layout.bitDepth = std::uint8_t(data[8]);
            layout.colourType = std::uint8_t(data[9]);
        } else if (type == "tRNS") {
            layout.transparencyChunk = at;
            layout.transparentColour = data;
        } else if (type == "IEND") {
            return layout;
        }
        at += kChunkFraming + length;
    }
}

// Qt 6.4 garbles 16-bit pictures that name a transparent colour: decode
// without the colour, then clear exactly the pixels of that colour.
QImage DecodeWithTransparentColour16(const QByteArray& bytes, const PngLayout& layout)
{
    const bool grey = layout.colourType == kGreyColourType;
    if (layout.transparentColour.size() != (grey ? 2 : 6))
        NotValid(QStringLiteral("its transparent colour does not fit its colour type"));
    const auto sample = [&](int channel) { return qFromBigEndian<std::uint16_t>(layout.transparentColour.constData() + 2 * (grey ? 0 : channel)); };
    const QRgba64 clear = QRgba64::fromRgba64(sample(0), sample(1), sample(2), 0xFFFF);

    QByteArray opaque = bytes;
    opaque.remove(layout.transparencyChunk, kChunkFraming + layout.transparentColour.size());
    QImage image = ReadWithQt(opaque, "png").convertToFormat(QImage::Format_RGBA64);
    for (int y = 0; y < image.height(); ++y) {
        auto* pixel = reinterpret_cast<QRgba64*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x, ++pixel)
            if (*pixel == clear)
                pixel->setAlpha(0);
    }
    return image;
}

// Qt gives a black-and-white picture index 0 for white; the file's 0 is black.
void KeepFilePixelValues(QImage& image)
{
    if (image.depth() != 1 || image.colorCount() != 2 || qGray(image.color(0)) <= qGray(image.color(1)))
        return;
    const QRgb white = image.color(0);
    image.invertPixels();
    image.setColorTable({ image.color(1), white });
}

} // namespace

QImage DecodePng(const QByteArray& bytes)
{
    const PngLayout layout = ReadLayout(bytes);
    constexpr int kWideSamples = 16;
    const bool hasTransparentColour = layout.transparencyChunk >= 0
                                      && (layout.colourType == kGreyColourType || layout.colourType == kColourColourType);
    if (layout.bitDepth == kWideSamples && hasTransparentColour)
        return DecodeWithTransparentColour16(bytes, layout);
    QImage image = ReadWithQt(bytes, "png");
    if (layout.bitDepth == 1 && layout.colourType == kGreyColourType)
        KeepFilePixelValues(image);
    return image;
}
