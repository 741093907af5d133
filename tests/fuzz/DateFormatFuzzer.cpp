// A readout format of any text, for a moment of any date and time.

#include "platform/text/DateTimeFormat.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QDateTime>

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first eight bytes are the moment in milliseconds since 1970, the
    // rest the pattern.
    std::int64_t milliseconds = 0;
    if (size >= sizeof milliseconds) {
        std::memcpy(&milliseconds, data, sizeof milliseconds);
        data += sizeof milliseconds;
        size -= sizeof milliseconds;
    }
    const QString pattern = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    FormatDateTime(pattern, QDateTime::fromMSecsSinceEpoch(milliseconds, Qt::UTC));
    FormatDateTime(pattern, QDateTime::fromMSecsSinceEpoch(milliseconds));
    return 0;
}
