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
using SkinFieldMember = std::variant<TColor Skin::*, std::int32_t Skin::*, bool Skin::*, std::uint8_t Skin::*,
    ShortString<120> Skin::*, ShortString<30> Skin::*, std::array<std::uint8_t, 3> Skin::*,
    std::array<std::uint8_t, 207> Skin::*>;

struct SkinField {
    const char* name;
    std::size_t offset;
    SkinFieldMember member;
    // Padding and reserved bytes belong to the layout but are no setting.
    bool isSetting;
};

inline constexpr std::array<SkinField, 29> kSkinFields = { {
    { "MinFirstColor", 0, &Skin::MinFirstColor, true },
    { "MinMiddlePos", 4, &Skin::MinMiddlePos, true },
    { "MinLastColor", 8, &Skin::MinLastColor, true },
    { "OuterEdge", 12, &Skin::OuterEdge, true },
    { "HourFirstColor", 16, &Skin::HourFirstColor, true },
    { "HourMiddlePos", 20, &Skin::HourMiddlePos, true },
    { "HourLastColor", 24, &Skin::HourLastColor, true },
    { "InnerEdge", 28, &Skin::InnerEdge, true },
    { "TicsBandColor", 32, &Skin::TicsBandColor, true },
    { "TicsColor", 36, &Skin::TicsColor, true },
    { "SecColor", 40, &Skin::SecColor, true },
    { "TicsWidth", 44, &Skin::TicsWidth, true },
    { "Square", 48, &Skin::Square, true },
    { "Rounded", 49, &Skin::Rounded, true },
    { "Spare1", 50, &Skin::Spare1, true },
    { "Padding51", 51, &Skin::Padding51, false },
    { "SecStyle", 52, &Skin::SecStyle, true },
    { "ClockSize", 56, &Skin::ClockSize, true },
    { "Texture", 60, &Skin::Texture, true },
    { "Padding181", 181, &Skin::Padding181, false },
    { "TextureTransparency", 184, &Skin::TextureTransparency, true },
    { "TextureColor", 188, &Skin::TextureColor, true },
    { "DigPosition", 192, &Skin::DigPosition, true },
    { "DigSize", 196, &Skin::DigSize, true },
    { "DigColor", 200, &Skin::DigColor, true },
    { "DigFont", 204, &Skin::DigFont, true },
    { "Spare2", 235, &Skin::Spare2, true },
    { "Transparency", 236, &Skin::Transparency, true },
    { "Reserved", 237, &Skin::Reserved, false },
} };

constexpr std::size_t SkinFieldWidth(const SkinField& field)
{
    return std::visit(
        [](auto member) -> std::size_t {
            using Value = std::remove_reference_t<decltype(std::declval<Skin>().*member)>;
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
QString FormatSkinField(const Skin& skin, const SkinField& field);

// Sets a field from its text form; returns an error message naming the field
// when the text does not fit it, and leaves the skin unchanged then.
QString ParseSkinField(Skin& skin, const SkinField& field, const QString& text);

const SkinField* FindSkinField(const QString& name);
