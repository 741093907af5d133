#pragma once

#include <cstdint>

// A boolean byte of a stored record: 0 is false, any other value true. It
// keeps the byte it was read with, so a record is written back unchanged;
// assigning a boolean stores 1 or 0.
class StoredBool {
public:
    StoredBool() = default;
    StoredBool(bool value) : m_byte(value ? 1 : 0) {}

    static StoredBool FromByte(std::uint8_t byte)
    {
        StoredBool result;
        result.m_byte = byte;
        return result;
    }

    operator bool() const { return m_byte != 0; }
    std::uint8_t byte() const { return m_byte; }

    bool operator==(const StoredBool&) const = default;

private:
    std::uint8_t m_byte = 0;
};
