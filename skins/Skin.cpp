#include "skins/Skin.h"

#include "platform/files/LittleEndian.h"
#include "skins/SkinFields.h"

#include <algorithm>
#include <type_traits>

Skin DefaultSkin()
{
    Skin skin {};
    skin.MinFirstColor = 0xF0CAA6;
    skin.MinMiddlePos = 50;
    skin.MinLastColor = 0x800000;
    skin.OuterEdge = 60;
    skin.HourFirstColor = 0xF0FBFF;
    skin.HourMiddlePos = 50;
    skin.HourLastColor = 0x000080;
    skin.InnerEdge = 50;
    skin.TicsBandColor = 0x000000;
    skin.TicsColor = 0xFFFFFF;
    skin.SecColor = 0x0000FF;
    skin.TicsWidth = 3;
    skin.Square = true;
    skin.Rounded = false;
    skin.Spare1 = 1;
    skin.SecStyle = 0;
    skin.ClockSize = 400;
    skin.Texture.setText(QStringLiteral("0"));
    skin.TextureTransparency = 80;
    skin.TextureColor = 0x000000;
    skin.DigPosition = 2;
    skin.DigSize = 30;
    skin.DigColor = 0x000000;
    skin.DigFont.setText(QStringLiteral("Arial"));
    skin.Spare2 = 0;
    skin.Transparency = 0;
    return skin;
}

Skin ReadSkinRecord(const std::array<std::uint8_t, kSkinRecordSize>& bytes)
{
    Skin skin {};
    for (const SkinField& field : kSkinFields) {
        std::visit(
            [&](auto member) {
                auto& value = skin.*member;
                using Value = std::remove_reference_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, bool>)
                    value = bytes[field.offset] != 0;
                else if constexpr (std::is_integral_v<Value>)
                    value = ReadLittleEndian<Value>(bytes.data(), field.offset);
                else if constexpr (requires { value.bytes(); })
                    std::copy_n(bytes.begin() + field.offset, Value::kSize, value.bytes().begin());
                else
                    std::copy_n(bytes.begin() + field.offset, value.size(), value.begin());
            },
            field.member);
    }
    return skin;
}

std::array<std::uint8_t, kSkinRecordSize> WriteSkinRecord(const Skin& skin)
{
    std::array<std::uint8_t, kSkinRecordSize> bytes {};
    for (const SkinField& field : kSkinFields) {
        std::visit(
            [&](auto member) {
                const auto& value = skin.*member;
                using Value = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, bool>)
                    bytes[field.offset] = value ? 1 : 0;
                else if constexpr (std::is_integral_v<Value>)
                    WriteLittleEndian<Value>(bytes.data(), field.offset, value);
                else if constexpr (requires { value.bytes(); })
                    std::copy(value.bytes().begin(), value.bytes().end(), bytes.begin() + field.offset);
                else
                    std::copy(value.begin(), value.end(), bytes.begin() + field.offset);
            },
            field.member);
    }
    return bytes;
}
