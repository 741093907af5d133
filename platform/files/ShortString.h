#pragma once

#include "platform/text/StoredText.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

// A short string of a stored record: a length byte followed by Capacity
// bytes of stored text (Windows-1252, or marked UTF-8 for other texts). A
// length byte above the capacity reads as the capacity. Setting a text keeps
// the bytes past its end as they were, so a record read from a file is
// written back unchanged where nothing changed.
template <std::size_t Capacity>
class ShortString {
public:
    static constexpr std::size_t kCapacity = Capacity;
    static constexpr std::size_t kSize = Capacity + 1;

    std::size_t length() const { return std::min<std::size_t>(m_bytes[0], Capacity); }

    QString text() const { return DecodeStoredText(m_bytes.data() + 1, length()); }

    static bool fits(const QString& text) { return std::size_t(EncodeStoredText(text).size()) <= Capacity; }

    // A text that does not fit is refused, never cut: the field keeps what it
    // held and false is returned. Where a user enters a text, check fits()
    // first and say what the field holds (StoredTextLimit).
    bool setText(const QString& text)
    {
        const QByteArray encoded = EncodeStoredText(text);
        if (std::size_t(encoded.size()) > Capacity)
            return false;
        std::copy(encoded.begin(), encoded.end(), m_bytes.begin() + 1);
        m_bytes[0] = std::uint8_t(encoded.size());
        return true;
    }

    const std::array<std::uint8_t, kSize>& bytes() const { return m_bytes; }
    std::array<std::uint8_t, kSize>& bytes() { return m_bytes; }

    bool operator==(const ShortString&) const = default;

private:
    std::array<std::uint8_t, kSize> m_bytes {};
};
