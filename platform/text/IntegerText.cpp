#include "platform/text/IntegerText.h"

#include <limits>

namespace {

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> ParseInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;

    // Hexadecimal texts may spell the full 32-bit pattern ("$FFFFFFFF" is -1),
    // decimal ones must fit the signed range.
    const std::int64_t limit = base == 16 ? 0xFFFFFFFFLL : std::int64_t(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    if (base == 16)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(negative ? -magnitude : magnitude));
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
