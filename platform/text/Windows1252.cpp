#include "platform/text/Windows1252.h"

#include <algorithm>
#include <array>

namespace {

// Code points of the bytes 0x80..0x9F; the other bytes equal their code point.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t CodePointOf(std::uint8_t byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kHighControlRange[byte - 0x80] : char16_t(byte);
}

} // namespace

QString DecodeWindows1252(const std::uint8_t* bytes, std::size_t count)
{
    QString text(qsizetype(count), Qt::Uninitialized);
    for (std::size_t i = 0; i < count; ++i)
        text[qsizetype(i)] = QChar(CodePointOf(bytes[i]));
    return text;
}

std::optional<QByteArray> EncodeWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(char(u));
            continue;
        }
        const auto found = std::find(kHighControlRange.begin(), kHighControlRange.end(), u);
        if (found == kHighControlRange.end())
            return std::nullopt;
        bytes.append(char(0x80 + (found - kHighControlRange.begin())));
    }
    return bytes;
}
