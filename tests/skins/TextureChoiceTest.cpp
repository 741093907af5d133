#include "platform/raster/Raster.h"
#include "skins/PatternTiles.h"
#include "skins/SkinFile.h"
#include "skins/Texture.h"
#include "skins/TextureChoice.h"

#include <gtest/gtest.h>

namespace {

TEST(TextureChoice, RowsAndTheRowOfAStyleNumber)
{
    EXPECT_EQ(TextureStyleCaption(0), QString("Solid"));
    EXPECT_EQ(TextureStyleCaption(13), QString("Zig zag"));
    EXPECT_EQ(TextureStyleCaption(19), QString("Diag. Cross small"));
    // A number no row has shows no texture on the band, as "None" does.
    for (const int style : { -1, 20, 1000 })
        EXPECT_EQ(TextureStyleRow(style), kNoTextureStyle) << style;
    EXPECT_EQ(TextureStyleRow(19), 19);
}

TEST(TextureChoice, PickingARowSetsTheBrushAndTheTextureState)
{
    BandBrush brush;
    brush.Style = BrushStyle::DiagCross;
    brush.Color = MakeColor(255, 0, 0);
    TextureState state { 0, QStringLiteral("/pics/sky.bmp") };

    ChooseTextureStyle(brush, state, 10); // "Fill 40%": tile 3, the style stays
    QImage tile3;
    LoadPatternTile(2, tile3);
    EXPECT_EQ(brush.Image, tile3);
    EXPECT_EQ(brush.Style, BrushStyle::DiagCross);
    EXPECT_EQ(state.style, 10);
    EXPECT_TRUE(state.file.isEmpty());
    EXPECT_EQ(ChosenTextureText(state, "/opt/"), QString("10"));

    ChooseTextureStyle(brush, state, 1); // "None"
    EXPECT_TRUE(brush.Image.isNull());
    EXPECT_TRUE(brush.DrawsNothing());
    EXPECT_EQ(brush.Color, MakeColor(255, 0, 0));
    ChooseTextureStyle(brush, state, 13);
    EXPECT_FALSE(brush.DrawsNothing()); // a tile shows its colour whatever the style
    EXPECT_EQ(BrushStyleRow(brush), 1);
}

TEST(TextureChoice, PictureTextIsAPathTheSkinCanHold)
{
    const QString program = QStringLiteral("/opt/vellamor/");
    const QString longFolder = QStringLiteral("/home/me/") + QString(120, u'p') + u'/';
    const struct {
        QString path;
        std::optional<QString> text;
    } cases[] = {
        { "/opt/vellamor/Textures/stone.bmp", QString("/opt/vellamor/Textures/stone.bmp") },
        { longFolder + "stone.bmp", std::nullopt },
        { QString::fromUtf8("/home/me/\u5c71.bmp"), QString::fromUtf8("/home/me/\u5c71.bmp") }, // stored as UTF-8
        { "/home/me/" + QString(40, u'\u5c71') + ".bmp", std::nullopt }, // three bytes a character
        { TexturesFolder(program + QString(120, u'p') + u'/') + "stone.bmp", std::nullopt },
    };
    for (const auto& [path, text] : cases)
        EXPECT_EQ(PictureTextureText(path, program), text) << path.toStdString();
    // Too long in full, but found again by its name in the Textures folder.
    const QString longProgram = longFolder;
    EXPECT_EQ(PictureTextureText(TexturesFolder(longProgram) + "stone.bmp", longProgram), QString("stone.bmp"));

    const TextureState picture { 0, QStringLiteral("/opt/vellamor/Textures/stone.bmp") };
    EXPECT_EQ(ChosenTextureText(picture, program), picture.file);
}

// The style list's samples: hatches drawn in black with see-through gaps,
// tiles black ink on white, and nothing for "None".
TEST(TextureChoice, Swatches)
{
    const QSize size(14, 12);
    EXPECT_TRUE(TextureStyleSwatch(1, size).isNull());

    const QImage cross = TextureStyleSwatch(6, size);
    ASSERT_EQ(cross.size(), size);
    EXPECT_EQ(cross.pixel(0, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(cross.pixel(8, 3), qRgba(0, 0, 0, 255));
    EXPECT_EQ(qAlpha(cross.pixel(3, 3)), 0);

    const QImage solid = TextureStyleSwatch(0, size);
    EXPECT_EQ(solid.pixel(5, 5), qRgba(0, 0, 0, 255));

    const QImage fill40 = TextureStyleSwatch(10, size); // ink where x and y are odd
    EXPECT_EQ(fill40.pixel(1, 1), qRgba(0, 0, 0, 255));
    EXPECT_EQ(fill40.pixel(2, 1), qRgba(255, 255, 255, 255));
    EXPECT_EQ(fill40.pixel(1, 2), qRgba(255, 255, 255, 255));
}

} // namespace
