#pragma once

#include "skins/Skin.h"

#include <QString>

#include <array>
#include <cstddef>
#include <type_traits>
#include <utility>
#include <variant>

// The layout of the skin record: every field with its offset, in file order.
// One table drives reading, writing and the text form of a skin.
using SkinFieldMember = std::variant<TColor TSkin::*, std::int32_t TSkin::*, bool TSkin::*, std::uint8_t TSkin::*,
    ShortString<120> TSkin::*, ShortString<30> TSkin::*, std::array<std::uint8_t, 3> TSkin::*,
    std::array<std::uint8_t, 207> TSkin::*>;

struct SkinField {
    const char* name;
    std::size_t offset;
    SkinFieldMember member;
    // Padding and reserved bytes belong to the layout but are no setting.
    bool isSetting;
};

inline constexpr std::array<SkinField, 29> kSkinFields = { {
    { "MinFirstColor", 0, &TSkin::MinFirstColor, true },
    { "MinMiddlePos", 4, &TSkin::MinMiddlePos, true },
    { "MinLastColor", 8, &TSkin::MinLastColor, true },
    { "OuterEdge", 12, &TSkin::OuterEdge, true },
    { "HourFirstColor", 16, &TSkin::HourFirstColor, true },
    { "HourMiddlePos", 20, &TSkin::HourMiddlePos, true },
    { "HourLastColor", 24, &TSkin::HourLastColor, true },
    { "InnerEdge", 28, &TSkin::InnerEdge, true },
    { "TicsBandColor", 32, &TSkin::TicsBandColor, true },
    { "TicsColor", 36, &TSkin::TicsColor, true },
    { "SecColor", 40, &TSkin::SecColor, true },
    { "TicsWidth", 44, &TSkin::TicsWidth, true },
    { "Square", 48, &TSkin::Square, true },
    { "Rounded", 49, &TSkin::Rounded, true },
    { "Spare1", 50, &TSkin::Spare1, true },
    { "Padding51", 51, &TSkin::Padding51, false },
    { "SecStyle", 52, &TSkin::SecStyle, true },
    { "ClockSize", 56, &TSkin::ClockSize, true },
    { "Texture", 60, &TSkin::Texture, true },
    { "Padding181", 181, &TSkin::Padding181, false },
    { "TextureTransparency", 184, &TSkin::TextureTransparency, true },
    { "TextureColor", 188, &TSkin::TextureColor, true },
    { "DigPosition", 192, &TSkin::DigPosition, true },
    { "DigSize", 196, &TSkin::DigSize, true },
    { "DigColor", 200, &TSkin::DigColor, true },
    { "DigFont", 204, &TSkin::DigFont, true },
    { "Spare2", 235, &TSkin::Spare2, true },
    { "Transparency", 236, &TSkin::Transparency, true },
    { "Reserved", 237, &TSkin::Reserved, false },
} };

constexpr std::size_t SkinFieldWidth(const SkinField& field)
{
    return std::visit(
        [](auto member) -> std::size_t {
            using Value = std::remove_reference_t<decltype(std::declval<TSkin>().*member)>;
            if constexpr (requires { Value::kSize; })
                return Value::kSize;
            else
                return sizeof(Value);
        },
        field.member);
}

// The fields follow each other without gaps and fill the record exactly.
constexpr bool SkinFieldsAreContiguous()
{
    std::size_t next = 0;
    for (const SkinField& field : kSkinFields) {
        if (field.offset != next)
            return false;
        next += SkinFieldWidth(field);
    }
    return next == kSkinRecordSize;
}
static_assert(SkinFieldsAreContiguous(), "the skin fields must fill the 444-byte record in order");

// A field's value as text: colours as $BBGGRR, numbers in decimal, texts as
// they are.
QString FormatSkinField(const TSkin& skin, const SkinField& field);

// Sets a field from its text form; returns an error message naming the field
// when the text does not fit it, and leaves the skin unchanged then.
QString ParseSkinField(TSkin& skin, const SkinField& field, const QString& text);

const SkinField* FindSkinField(const QString& name);
