#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Fixed-layout records are little-endian on disk. These read and write one
// value at a byte offset of a buffer, whatever the host's byte order.

template <typename T>
T ReadLittleEndian(const std::uint8_t* bytes, std::size_t offset)
{
    std::uint8_t ordered[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i)
        ordered[i] = bytes[offset + (std::endian::native == std::endian::little ? i : sizeof(T) - 1 - i)];
    T value;
    std::memcpy(&value, ordered, sizeof(T));
    return value;
}

template <typename T>
void WriteLittleEndian(std::uint8_t* bytes, std::size_t offset, T value)
{
    std::uint8_t ordered[sizeof(T)];
    std::memcpy(ordered, &value, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[offset + (std::endian::native == std::endian::little ? i : sizeof(T) - 1 - i)] = ordered[i];
}
