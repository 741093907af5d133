#include "platform/files/LittleEndian.h"
#include "skins/Skin.h"
#include "skins/SkinFields.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Record = std::array<std::uint8_t, kSkinRecordSize>;

TEST(SkinRecord, DefaultsSitAtTheirOffsets)
{
    const Record bytes = WriteSkinRecord(DefaultSkin());
    EXPECT_EQ(ReadLittleEndian<std::uint32_t>(bytes.data(), 0), 0xF0CAA6u); // MinFirstColor
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(bytes.data(), 4), 50);        // MinMiddlePos
    EXPECT_EQ(ReadLittleEndian<std::uint32_t>(bytes.data(), 8), 0x800000u);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(bytes.data(), 12), 60);       // OuterEdge
    EXPECT_EQ(ReadLittleEndian<std::uint32_t>(bytes.data(), 24), 0x000080u);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(bytes.data(), 28), 50);       // InnerEdge
    EXPECT_EQ(ReadLittleEndian<std::uint32_t>(bytes.data(), 36), 0xFFFFFFu);
    EXPECT_EQ(ReadLittleEndian<std::uint32_t>(bytes.data(), 40), 0x0000FFu); // SecColor
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(bytes.data(), 44), 3);
    EXPECT_EQ(bytes[48], 1); // Square
    EXPECT_EQ(bytes[49], 0); // Rounded
    EXPECT_EQ(bytes[50], 1); // Spare1
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(bytes.data(), 56), 400);
    EXPECT_EQ(bytes[60], 1); // Texture "0"
    EXPECT_EQ(bytes[61], '0');
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(bytes.data(), 184), 80);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(bytes.data(), 192), 2);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(bytes.data(), 196), 30);
    EXPECT_EQ(bytes[204], 5); // DigFont "Arial"
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&bytes[205]), 5), "Arial");
    EXPECT_EQ(bytes[236], 0); // Transparency
}

TEST(SkinRecord, EveryByteRoundTrips)
{
    std::mt19937 random(444);
    for (int trial = 0; trial < 20; ++trial) {
        Record bytes;
        for (auto& byte : bytes)
            byte = std::uint8_t(random());
        bytes[48] &= 1; // booleans are written back as 0 or 1
        bytes[49] &= 1;
        EXPECT_EQ(WriteSkinRecord(ReadSkinRecord(bytes)), bytes);
    }
}

TEST(SkinRecord, AnyNonZeroBooleanByteIsTrue)
{
    Record bytes = WriteSkinRecord(DefaultSkin());
    bytes[48] = 0x7F;
    const Skin skin = ReadSkinRecord(bytes);
    EXPECT_TRUE(skin.Square);
    EXPECT_EQ(WriteSkinRecord(skin)[48], 1);
}

TEST(SkinFields, TextFormsOfTheValues)
{
    Skin skin = DefaultSkin();
    EXPECT_EQ(FormatSkinField(skin, *FindSkinField("MinFirstColor")), "$F0CAA6");
    EXPECT_EQ(FormatSkinField(skin, *FindSkinField("Square")), "1");
    EXPECT_EQ(FormatSkinField(skin, *FindSkinField("DigFont")), "Arial");

    EXPECT_EQ(ParseSkinField(skin, *FindSkinField("SecColor"), "$00FF00"), "");
    EXPECT_EQ(skin.SecColor, 0x00FF00u);
    EXPECT_EQ(ParseSkinField(skin, *FindSkinField("ClockSize"), "-5"), "");
    EXPECT_EQ(skin.ClockSize, -5);
    EXPECT_EQ(ParseSkinField(skin, *FindSkinField("DigFont"), "Шрифт Ёж"), "");
    EXPECT_EQ(FormatSkinField(skin, *FindSkinField("DigFont")), "Шрифт Ёж");

    const Skin before = skin;
    EXPECT_NE(ParseSkinField(skin, *FindSkinField("Transparency"), "256"), "");
    EXPECT_NE(ParseSkinField(skin, *FindSkinField("Square"), "yes"), "");
    EXPECT_NE(ParseSkinField(skin, *FindSkinField("DigFont"), QString(31, u'x')), "");
    EXPECT_TRUE(ParseSkinField(skin, *FindSkinField("DigFont"), QString(15, u'ж')).contains("at most 30 Western European characters, or 14 Cyrillic"));
    EXPECT_NE(ParseSkinField(skin, *FindSkinField("SecStyle"), "two"), "");
    EXPECT_EQ(skin, before);
    EXPECT_EQ(FindSkinField("Colour"), nullptr);
}

} // namespace
