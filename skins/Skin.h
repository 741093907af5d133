#pragma once

#include "platform/raster/Color.h"
#include "platform/files/ShortString.h"

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>

// Every visual setting of the clock. On disk a skin file (.clk) is exactly
// one record of kSkinRecordSize bytes, little-endian, no header.
struct Skin {
    TColor MinFirstColor;      // minutes (outer) band: first gradient colour
    std::int32_t MinMiddlePos; // minutes band: middle colour position, percent
    TColor MinLastColor;
    std::int32_t OuterEdge;    // middle/outer boundary, percent of half the width
    TColor HourFirstColor;     // hours (inner) band: first gradient colour
    std::int32_t HourMiddlePos;
    TColor HourLastColor;
    std::int32_t InnerEdge;    // inner/middle boundary, percent of half the height
    TColor TicsBandColor;
    TColor TicsColor;
    TColor SecColor;
    std::int32_t TicsWidth;    // pixels
    bool Square;               // not circular
    bool Rounded;              // a non-circular shape has rounded corners
    std::uint8_t Spare1;
    std::uint8_t Padding51;
    std::int32_t SecStyle;     // 0 empty circle, 1 full circle, 2 star, 3 none
    std::int32_t ClockSize;    // window width and height, pixels
    ShortString<120> Texture;  // a style number or a picture file
    std::array<std::uint8_t, 3> Padding181;
    std::int32_t TextureTransparency; // percent
    TColor TextureColor;
    std::int32_t DigPosition;  // 0 off, 1 top, 2 middle, 3 bottom
    std::int32_t DigSize;      // percent of the clock width
    TColor DigColor;
    ShortString<30> DigFont;
    std::uint8_t Spare2;
    std::uint8_t Transparency; // window transparency, percent
    std::array<std::uint8_t, 207> Reserved;

    bool operator==(const Skin&) const = default;
};

inline constexpr std::size_t kSkinRecordSize = 444;

// The built-in skin: the defaults every clock starts from.
Skin DefaultSkin();

// The record from its 444 bytes, and back. Unused bytes (padding, spares,
// reserved) travel unchanged.
Skin ReadSkinRecord(const std::array<std::uint8_t, kSkinRecordSize>& bytes);
std::array<std::uint8_t, kSkinRecordSize> WriteSkinRecord(const Skin& skin);
