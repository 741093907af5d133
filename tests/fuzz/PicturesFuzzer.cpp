// A picture file of any bytes, of the type its first byte picks: it decodes
// or is refused with a message, within the pixel limit. A JPEG file is also
// decoded as a gallery thumbnail, at a reduced scale.

#include "platform/pictures/JpegCodec.h"
#include "platform/pictures/PictureError.h"
#include "platform/pictures/PictureLoader.h"
#include "tests/fuzz/FuzzSupport.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>

namespace {

void DecodesOrIsRefused(const std::function<QImage()>& decode)
{
    try {
        const QImage picture = decode();
        if (picture.isNull() || qint64(picture.width()) * picture.height() > kMaxPicturePixels)
            std::abort();
    } catch (const PictureError& error) {
        if (error.message().isEmpty())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::array<QByteArray, 5> kFormats = { "bmp", "png", "gif", "jpg", "ico" };
    if (size == 0)
        return 0;
    const QByteArray& format = kFormats[data[0] % kFormats.size()];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    DecodesOrIsRefused([&] { return DecodePicture(bytes, format); });
    if (format == "jpg")
        DecodesOrIsRefused([&] { return DecodeJpegAtLeast(bytes, QSize(120, 120)); });
    return 0;
}
