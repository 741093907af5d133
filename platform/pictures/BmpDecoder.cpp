#include "platform/pictures/BmpDecoder.h"

#include "platform/files/LittleEndian.h"
#include "platform/pictures/PictureError.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr qint64 kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12; // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr std::uint32_t kShortestInfoHeaderSize = 16; // OS/2 2.x may cut its header anywhere after the depth
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kOs2HeaderSize = 64; // gives compression 3 and 4 other meanings
constexpr std::uint32_t kAlphaMaskHeaderSize = 56; // from here on the header holds an alpha mask
constexpr std::uint32_t kLargestHeaderSize = 124;

enum Compression : std::uint32_t {
    kUncompressed = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kAlphaBitFields = 6,
};

// The escapes of run-length data: a zero count followed by one of these, or
// by the length of a literal run.
enum RunLengthEscape : std::uint8_t {
    kEndOfLine = 0,
    kEndOfBitmap = 1,
    kDelta = 2,
};

[[noreturn]] void EndsEarly()
{
    throw PictureError(QStringLiteral("the file ends before the picture does."));
}

// The file's bytes; every read past the end refuses the file as cut short.
class FileBytes {
public:
    explicit FileBytes(const QByteArray& bytes)
        : m_data(reinterpret_cast<const std::uint8_t*>(bytes.constData()))
        , m_size(bytes.size())
    {
    }

    bool holds(qint64 offset, qint64 count) const { return offset >= 0 && count >= 0 && offset <= m_size && count <= m_size - offset; }

    const std::uint8_t* at(qint64 offset, qint64 count) const
    {
        if (!holds(offset, count))
            EndsEarly();
        return m_data + offset;
    }

    template <typename T>
    T read(qint64 offset) const
    {
        return ReadLittleEndian<T>(at(offset, sizeof(T)), 0);
    }

private:
    const std::uint8_t* m_data;
    qint64 m_size;
};

struct Header {
    std::uint32_t size = 0; // of the info header
    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = kUncompressed;
    std::array<std::uint32_t, 4> masks {}; // red, green, blue, alpha
    qint64 paletteOffset = 0;
    qint64 paletteEntrySize = 4;
    qint64 paletteCount = 0;
    qint64 pixelOffset = 0;
};

bool IsPaletteDepth(int bitsPerPixel)
{
    return bitsPerPixel <= 8;
}

void CheckDepthAndCompression(const Header& header)
{
    constexpr std::array kDepths { 1, 2, 4, 8, 16, 24, 32 };
    if (std::find(kDepths.begin(), kDepths.end(), header.bitsPerPixel) == kDepths.end())
        throw PictureError(QStringLiteral("it declares %1 bits per pixel, which a BMP picture cannot have.").arg(header.bitsPerPixel));
    const bool hasMasks = header.compression == kBitFields || header.compression == kAlphaBitFields;
    const bool readable = header.compression == kUncompressed || (header.compression == kRle8 && header.bitsPerPixel == 8)
                          || (header.compression == kRle4 && header.bitsPerPixel == 4)
                          || (hasMasks && header.size != kOs2HeaderSize && (header.bitsPerPixel == 16 || header.bitsPerPixel == 32));
    if (!readable)
        throw PictureError(QStringLiteral("its pixels are stored in a way this program cannot read (compression %1 at %2 bits per pixel).")
                               .arg(header.compression)
                               .arg(header.bitsPerPixel));
}

// Reads the masks of a colour picture. Masks given with the compression sit
// right after the first 40 bytes of the header, whether inside a longer header
// or after a 40-byte one; returns how many bytes they add after the header.
qint64 ReadMasks(const FileBytes& file, Header& header)
{
    if (header.bitsPerPixel == 16)
        header.masks = { 0x7C00, 0x03E0, 0x001F, 0 };
    else if (header.bitsPerPixel >= 24)
        header.masks = { 0xFF0000, 0x00FF00, 0x0000FF, 0 };
    if (header.compression != kBitFields && header.compression != kAlphaBitFields)
        return 0;
    const int count = header.compression == kAlphaBitFields || header.size >= kAlphaMaskHeaderSize ? 4 : 3;
    const qint64 offset = kFileHeaderSize + std::min(header.size, kInfoHeaderSize);
    for (int i = 0; i < count; ++i)
        header.masks[size_t(i)] = file.read<std::uint32_t>(offset + 4 * i);
    const qint64 masksEnd = std::min(header.size, kInfoHeaderSize) + 4 * count;
    return std::max<qint64>(0, masksEnd - header.size);
}

Header ReadHeader(const FileBytes& file)
{
    if (!file.holds(0, 2) || file.at(0, 2)[0] != 'B' || file.at(0, 2)[1] != 'M')
        throw PictureError(QStringLiteral("it is not a BMP picture (it does not begin with \"BM\")."));
    Header header;
    header.size = file.read<std::uint32_t>(kFileHeaderSize);
    std::uint32_t colorsUsed = 0;
    if (header.size == kCoreHeaderSize) {
        header.width = file.read<std::uint16_t>(18);
        header.height = file.read<std::uint16_t>(20);
        header.bitsPerPixel = file.read<std::uint16_t>(24);
        header.paletteEntrySize = 3;
    } else if (header.size >= kShortestInfoHeaderSize && header.size <= kLargestHeaderSize) {
        file.at(kFileHeaderSize, header.size);
        header.width = file.read<std::int32_t>(18);
        const qint64 height = file.read<std::int32_t>(22);
        header.topDown = height < 0;
        header.height = header.topDown ? -height : height;
        header.bitsPerPixel = file.read<std::uint16_t>(28);
        if (header.size >= 20)
            header.compression = file.read<std::uint32_t>(30);
        if (header.size >= 36)
            colorsUsed = file.read<std::uint32_t>(46);
    } else {
        throw PictureError(QStringLiteral("its header of %1 bytes is not one a BMP picture has.").arg(header.size));
    }

    if (header.width <= 0 || header.height <= 0)
        throw PictureError(QStringLiteral("it declares a picture of %1 × %2 pixels.").arg(header.width).arg(header.height));
    if (header.width * header.height > kMaxPicturePixels)
        throw PictureTooLargeError(header.width, header.height);
    CheckDepthAndCompression(header);

    header.paletteOffset = kFileHeaderSize + header.size + ReadMasks(file, header);
    header.pixelOffset = file.read<std::uint32_t>(10);
    if (IsPaletteDepth(header.bitsPerPixel)) {
        const qint64 most = qint64(1) << header.bitsPerPixel;
        header.paletteCount = colorsUsed == 0 || colorsUsed > most ? most : colorsUsed;
        // Some writers leave entries out; the pixels begin where the file says.
        if (header.pixelOffset > header.paletteOffset)
            header.paletteCount = std::min(header.paletteCount, (header.pixelOffset - header.paletteOffset) / header.paletteEntrySize);
    }
    const qint64 paletteEnd = header.paletteOffset + header.paletteCount * header.paletteEntrySize;
    if (header.pixelOffset < paletteEnd)
        header.pixelOffset = paletteEnd; // an offset into the headers is a writer's slip
    return header;
}

// The palette, completed with black up to the depth's number of colours.
QList<QRgb> ReadPalette(const FileBytes& file, const Header& header)
{
    const std::uint8_t* entry = file.at(header.paletteOffset, header.paletteCount * header.paletteEntrySize);
    QList<QRgb> palette(qsizetype(1) << header.bitsPerPixel, qRgb(0, 0, 0));
    for (qint64 i = 0; i < header.paletteCount; ++i, entry += header.paletteEntrySize)
        palette[i] = qRgb(entry[2], entry[1], entry[0]);
    return palette;
}

QImage NewImage(const Header& header, QImage::Format format)
{
    QImage image(int(header.width), int(header.height), format);
    if (image.isNull())
        throw PictureError(QStringLiteral("there is not enough memory for the picture."));
    return image;
}

// The image row that the file's n-th stored row fills.
qint64 ImageRow(const Header& header, qint64 storedRow)
{
    return header.topDown ? storedRow : header.height - 1 - storedRow;
}

// The stored rows of an uncompressed picture, each padded to 4 bytes; the
// last row's padding may be missing.
const std::uint8_t* UncompressedRows(const FileBytes& file, const Header& header, qint64& stride)
{
    const qint64 rowBits = header.width * header.bitsPerPixel;
    stride = (rowBits + 31) / 32 * 4;
    return file.at(header.pixelOffset, stride * (header.height - 1) + (rowBits + 7) / 8);
}

QImage DecodePaletted(const FileBytes& file, const Header& header)
{
    qint64 stride = 0;
    const std::uint8_t* rows = UncompressedRows(file, header, stride);
    const bool twoColours = header.bitsPerPixel == 1;
    QImage image = NewImage(header, twoColours ? QImage::Format_Mono : QImage::Format_Indexed8);
    image.setColorTable(ReadPalette(file, header));
    const int bits = header.bitsPerPixel;
    const int largestIndex = (1 << bits) - 1;
    for (qint64 row = 0; row < header.height; ++row) {
        const std::uint8_t* from = rows + stride * row;
        uchar* to = image.scanLine(int(ImageRow(header, row)));
        if (twoColours) {
            std::memcpy(to, from, size_t((header.width + 7) / 8));
            continue;
        }
        for (qint64 x = 0; x < header.width; ++x) {
            const qint64 bit = x * bits;
            to[x] = uchar((from[bit / 8] >> (8 - bits - bit % 8)) & largestIndex);
        }
    }
    return image;
}

QImage DecodeRunLength(const FileBytes& file, const Header& header)
{
    QImage image = NewImage(header, QImage::Format_Indexed8);
    image.setColorTable(ReadPalette(file, header));
    image.fill(0); // what the data skips
    uchar* const pixels = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const bool fourBits = header.compression == kRle4;
    qint64 at = header.pixelOffset;
    qint64 x = 0;
    qint64 row = 0;
    const auto put = [&](int index) {
        if (x < header.width && row < header.height)
            pixels[ImageRow(header, row) * stride + x] = uchar(index);
        ++x;
    };
    // The n-th pixel of a literal run: in four-bit data each byte holds two.
    const auto nth = [fourBits](const std::uint8_t* run, int n) {
        return fourBits ? (n % 2 == 0 ? run[n / 2] >> 4 : run[n / 2] & 0x0F) : run[n];
    };
    while (row < header.height) {
        const std::uint8_t* code = file.at(at, 2);
        at += 2;
        if (code[0] > 0) { // a repeated pixel, or in four-bit data a repeated pair
            const int first = fourBits ? code[1] >> 4 : code[1];
            const int second = fourBits ? code[1] & 0x0F : code[1];
            for (int n = 0; n < code[0]; ++n)
                put(n % 2 == 0 ? first : second);
            continue;
        }
        switch (code[1]) {
        case kEndOfLine:
            x = 0;
            ++row;
            break;
        case kEndOfBitmap:
            return image;
        case kDelta: {
            const std::uint8_t* step = file.at(at, 2);
            at += 2;
            x += step[0];
            row += step[1];
            break;
        }
        default: {
            const int count = code[1];
            const qint64 length = fourBits ? (count + 1) / 2 : count;
            const std::uint8_t* run = file.at(at, length);
            at += length + length % 2; // literal runs keep to 16-bit boundaries
            for (int n = 0; n < count; ++n)
                put(nth(run, n));
        }
        }
    }
    return image;
}

// One colour channel of a masked pixel, scaled so that the mask's largest
// value is 255.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : m_mask(mask)
        , m_shift(mask == 0 ? 0 : std::countr_zero(mask))
        , m_largest(mask >> m_shift)
    {
        constexpr std::uint32_t kLargestTabulated = 0xFFFF;
        if (m_largest <= kLargestTabulated)
            for (std::uint32_t value = 0; value <= m_largest; ++value)
                m_levels.push_back(Scaled(value));
    }

    bool isEmpty() const { return m_mask == 0; }

    int of(std::uint32_t pixel) const
    {
        const std::uint32_t value = (pixel & m_mask) >> m_shift;
        return value < m_levels.size() ? m_levels[value] : Scaled(value);
    }

private:
    std::uint8_t Scaled(std::uint32_t value) const
    {
        return m_largest == 0 ? 0 : std::uint8_t((std::uint64_t(value) * 255 + m_largest / 2) / m_largest);
    }

    std::uint32_t m_mask;
    int m_shift;
    std::uint32_t m_largest;
    std::vector<std::uint8_t> m_levels;
};

QImage DecodeColour(const FileBytes& file, const Header& header)
{
    qint64 stride = 0;
    const std::uint8_t* rows = UncompressedRows(file, header, stride);
    const Channel red(header.masks[0]), green(header.masks[1]), blue(header.masks[2]), alpha(header.masks[3]);
    QImage image = NewImage(header, alpha.isEmpty() ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    const int bytesPerPixel = header.bitsPerPixel / 8;
    for (qint64 row = 0; row < header.height; ++row) {
        const std::uint8_t* from = rows + stride * row;
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(int(ImageRow(header, row))));
        for (qint64 x = 0; x < header.width; ++x, from += bytesPerPixel) {
            std::uint32_t pixel = from[0] | std::uint32_t(from[1]) << 8;
            if (bytesPerPixel >= 3)
                pixel |= std::uint32_t(from[2]) << 16;
            if (bytesPerPixel == 4)
                pixel |= std::uint32_t(from[3]) << 24;
            to[x] = qRgba(red.of(pixel), green.of(pixel), blue.of(pixel), alpha.isEmpty() ? 255 : alpha.of(pixel));
        }
    }
    return image;
}

} // namespace

QImage DecodeBmp(const QByteArray& bytes)
{
    const FileBytes file(bytes);
    const Header header = ReadHeader(file);
    if (header.compression == kRle8 || header.compression == kRle4)
        return DecodeRunLength(file, header);
    return IsPaletteDepth(header.bitsPerPixel) ? DecodePaletted(file, header) : DecodeColour(file, header);
}
