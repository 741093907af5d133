#include "skins/PatternTiles.h"

#include "platform/files/LittleEndian.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <vector>

namespace {

// Never negative, as the tile table requires: (0 - 1) mod 4 = 3.
int Mod(int value, int divisor)
{
    return ((value % divisor) + divisor) % divisor;
}

struct TileCase {
    int number;
    std::function<bool(int x, int y)> ink;
    int inkPixels; // of 256
};

const std::vector<TileCase>& Tiles()
{
    static const std::vector<TileCase> tiles = {
        { 1, [](int x, int y) { return x % 2 == 1 || y % 2 == 1; }, 192 },
        { 2, [](int x, int y) { return (x + y) % 2 == 0; }, 128 },
        { 3, [](int x, int y) { return x % 2 == 1 && y % 2 == 1; }, 64 },
        { 4, [](int x, int y) { return y % 2 == 1 && x % 4 == y % 4; }, 32 },
        { 5, [](int x, int y) { return x % 4 == 0 && y % 4 == 0; }, 16 },
        { 6, [](int x, int y) { return std::abs(x % 6 - 3) == y % 4; }, 64 },
        { 7, [](int x, int) { return x % 4 == 1; }, 64 },
        { 8, [](int, int y) { return y % 4 == 1; }, 64 },
        { 9, [](int x, int y) { return Mod(x - y, 4) == 2; }, 64 },
        { 10, [](int x, int y) { return (x + y) % 4 == 1; }, 64 },
        { 11, [](int x, int y) { return x % 4 == 1 || y % 4 == 1; }, 112 },
        { 12, [](int x, int y) { return Mod(x - y, 4) == 1 || (x + y) % 4 == 1; }, 96 },
    };
    return tiles;
}

TEST(PatternTilesTest, EachTileHasExactlyTheInkOfItsRule)
{
    for (const TileCase& tile : Tiles()) {
        QImage bitmap;
        LoadPatternTile(tile.number - 1, bitmap);
        ASSERT_EQ(bitmap.size(), QSize(16, 16)) << tile.number;
        EXPECT_EQ(bitmap.depth(), 1) << tile.number;
        EXPECT_EQ(bitmap.colorTable(), (QList<QRgb> { qRgba(0, 0, 0, 255), qRgba(255, 255, 255, 0) })) << tile.number;
        int inkPixels = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool ink = bitmap.pixelIndex(x, y) == 0;
                EXPECT_EQ(ink, tile.ink(x, y)) << "tile " << tile.number << " at " << x << "," << y;
                inkPixels += ink ? 1 : 0;
            }
        EXPECT_EQ(inkPixels, tile.inkPixels) << tile.number;
    }
}

TEST(PatternTilesTest, TheResourcesAreMonochromeBitmapsWithABlackAndWhitePalette)
{
    for (int number = 1; number <= kPatternTileCount; ++number) {
        QFile resource(QStringLiteral(":/TeeBrush%1").arg(number));
        ASSERT_TRUE(resource.open(QIODevice::ReadOnly)) << number;
        const QByteArray bytes = resource.readAll();
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        ASSERT_GE(bytes.size(), 62);
        EXPECT_TRUE(bytes.startsWith("BM"));
        EXPECT_EQ(ReadLittleEndian<std::uint16_t>(data, 28), 1) << number;
        EXPECT_EQ(bytes.mid(54, 8), QByteArray::fromHex("00000000ffffff00")) << number;
    }
}

TEST(PatternTilesTest, AnIndexOutsideTheTilesIsRefused)
{
    QImage bitmap;
    EXPECT_THROW(LoadPatternTile(-1, bitmap), std::out_of_range);
    EXPECT_THROW(LoadPatternTile(12, bitmap), std::out_of_range);
    EXPECT_TRUE(bitmap.isNull());
}

} // namespace
