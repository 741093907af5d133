// A picture file of any bytes, of the type its first byte picks: it decodes
// or is refused with a message, within the pixel limit.

#include "platform/PictureError.h"
#include "platform/PictureLoader.h"
#include "tests/fuzz/FuzzSupport.h"

#include <array>
#include <cstdint>
#include <cstdlib>

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
    try {
        const QImage picture = DecodePicture(bytes, format);
        if (picture.isNull() || qint64(picture.width()) * picture.height() > kMaxPicturePixels)
            std::abort();
    } catch (const PictureError& error) {
        if (error.message().isEmpty())
            std::abort();
    }
    return 0;
}
