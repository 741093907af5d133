// A skin record of any bytes: it must write back to a record that reads as
// the same skin, show every setting as text that sets it again, and draw as
// a whole clock.

#include "clock/ClockPicture.h"
#include "skins/Skin.h"
#include "skins/SkinFields.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QDateTime>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::array<std::uint8_t, kSkinRecordSize> bytes {};
    std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
    const Skin skin = ReadSkinRecord(bytes);
    if (!(ReadSkinRecord(WriteSkinRecord(skin)) == skin))
        std::abort();

    Skin reparsed = DefaultSkin();
    for (const SkinField& field : kSkinFields)
        if (field.isSetting && !ParseSkinField(reparsed, field, FormatSkinField(skin, field)).isEmpty())
            std::abort();

    constexpr int kSide = 64;
    constexpr double kPixelsPerInch = 96;
    const QDateTime moment(QDate(2004, 1, 5), QTime(10, 14, 30));
    ClockPictureAt(skin, moment, kSide, QStringLiteral("hh:nn:ss ampm"), kPixelsPerInch);
    return 0;
}
