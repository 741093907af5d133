#pragma once

#include "platform/text/Windows1252.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

// A short string of a stored record: a length byte followed by Capacity
// character bytes in Windows-1252. A length byte above the capacity reads as
// the capacity. Setting a text keeps the bytes past its end as they were, so
// a record read from a file is written back unchanged where nothing changed.
template <std::size_t Capacity>
class ShortString {
public:
    static constexpr std::size_t kCapacity = Capacity;
    static constexpr std::size_t kSize = Capacity + 1;

    std::size_t length() const { return std::min<std::size_t>(m_bytes[0], Capacity); }

    QString text() const { return DecodeWindows1252(m_bytes.data() + 1, length()); }

    // Texts longer than the capacity are cut to it.
    void setText(const QString& text)
    {
        const QByteArray encoded = EncodeWindows1252(text.left(qsizetype(Capacity)));
        std::copy(encoded.begin(), encoded.end(), m_bytes.begin() + 1);
        m_bytes[0] = std::uint8_t(encoded.size());
    }

    const std::array<std::uint8_t, kSize>& bytes() const { return m_bytes; }
    std::array<std::uint8_t, kSize>& bytes() { return m_bytes; }

    bool operator==(const ShortString&) const = default;

private:
    std::array<std::uint8_t, kSize> m_bytes {};
};
