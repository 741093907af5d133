#include "platform/pictures/GifDecoder.h"

#include "platform/pictures/PictureError.h"
#include "platform/pictures/QtPictureReader.h"

#include <cstdint>

namespace {

constexpr qsizetype kScreenDescriptorEnd = 13; // signature and logical screen descriptor
constexpr qsizetype kImageDescriptorSize = 10;
constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImage = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kHasColourTable = 0x80;

[[noreturn]] void EndsEarly()
{
    throw PictureError(QStringLiteral("the file ends before the picture does."));
}

// Walks the blocks of a GIF file, each by its declared length.
class GifBlocks {
public:
    explicit GifBlocks(const QByteArray& bytes)
        : m_bytes(bytes)
    {
    }

    std::uint8_t byteAt(qsizetype offset) const
    {
        if (offset >= m_bytes.size())
            EndsEarly();
        return std::uint8_t(m_bytes[offset]);
    }

    // The offset after a colour table announced by the flags byte.
    qsizetype afterColourTable(qsizetype offset, std::uint8_t flags) const
    {
        return flags & kHasColourTable ? offset + 3 * (qsizetype(2) << (flags & 0x07)) : offset;
    }

    // The offset after a chain of data sub-blocks ending with an empty one.
    qsizetype afterSubBlocks(qsizetype offset) const
    {
        for (std::uint8_t length = byteAt(offset); length != 0; length = byteAt(offset))
            offset += 1 + length;
        return offset + 1;
    }

private:
    const QByteArray& m_bytes;
};

void CheckIsWhole(const QByteArray& bytes)
{
    if (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a"))
        throw PictureError(QStringLiteral("it is not a valid GIF picture (it does not begin with GIF87a or GIF89a)."));
    const GifBlocks blocks(bytes);
    // Qt draws into a canvas of the logical screen's size, whatever the
    // frames need.
    const int screenWidth = blocks.byteAt(6) | blocks.byteAt(7) << 8;
    const int screenHeight = blocks.byteAt(8) | blocks.byteAt(9) << 8;
    if (qint64(screenWidth) * screenHeight > kMaxPicturePixels)
        throw PictureTooLargeError(screenWidth, screenHeight);
    qsizetype at = blocks.afterColourTable(kScreenDescriptorEnd, blocks.byteAt(kScreenDescriptorEnd - 3));
    for (;;) {
        const std::uint8_t introducer = blocks.byteAt(at);
        if (introducer == kTrailer)
            return;
        if (introducer == kExtension) {
            at = blocks.afterSubBlocks(at + 2);
        } else if (introducer == kImage) {
            const qsizetype codeSize = blocks.afterColourTable(at + kImageDescriptorSize, blocks.byteAt(at + kImageDescriptorSize - 1));
            at = blocks.afterSubBlocks(codeSize + 1);
        } else {
            throw PictureError(QStringLiteral("it is not a valid GIF picture (an unknown block 0x%1 at byte %2).")
                                   .arg(introducer, 2, 16, QLatin1Char('0'))
                                   .arg(at));
        }
    }
}

} // namespace

QImage DecodeGif(const QByteArray& bytes)
{
    CheckIsWhole(bytes);
    return ReadWithQt(bytes, "gif");
}
