#include "skins/Texture.h"

#include "platform/raster/Raster.h"
#include "skins/Skin.h"
#include "tests/support/PictureFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

// Resolving works on the skin it is given, against the folder it is given:
// the process's program folder plays no part, and a problem comes back in
// the result instead of being shown.
TEST(ResolveTextureTest, ResolvesTheGivenSkinAgainstTheGivenFolder)
{
    TempFolder folder; // not the program folder
    QDir(folder.path()).mkdir(QStringLiteral("Textures"));
    const QImage stone = NewRasterImage(QSize(3, 2), MakeColor(90, 80, 70));
    folder.write(QStringLiteral("Textures/stone.bmp"), BmpBytes(stone));
    folder.write(QStringLiteral("Textures/broken.bmp"), BmpBytes(stone).chopped(4));
    const QString stonePath = folder.file(QStringLiteral("Textures/stone.bmp"));


    struct Case {
        const char* texture;
        int style;
        QString file;
        std::optional<TextureProblem::Kind> problem;
        bool stored;
    };
    const Case cases[] = {
        { "C:\\Clock\\Textures\\stone.bmp", 0, stonePath, std::nullopt, true },
        { "gone.bmp", 0, QString(), TextureProblem::Kind::Notice, false },
        { "broken.bmp", 0, QString(), TextureProblem::Kind::Error, false },
        { "13", 13, QString(), std::nullopt, false },
        { "-3", kNoTextureStyle, QString(), std::nullopt, false },
    };
    for (const Case& c : cases) {
        Skin skin = DefaultSkin();
        skin.Texture.setText(QString::fromLatin1(c.texture));
        skin.TextureColor = MakeColor(255, 0, 0);
        skin.TextureTransparency = 130;
        const ResolvedTexture resolved = ResolveTexture(skin, folder.path());
        EXPECT_EQ(resolved.Style, c.style) << c.texture;
        EXPECT_EQ(resolved.File, c.file) << c.texture;
        EXPECT_EQ(resolved.BandTransparency, 100) << c.texture;
        ASSERT_EQ(resolved.Problem.has_value(), c.problem.has_value()) << c.texture;
        if (c.problem) {
            EXPECT_EQ(resolved.Problem->kind, *c.problem) << c.texture;
        }
        ASSERT_EQ(resolved.StoredTexture.has_value(), c.stored) << c.texture;
        if (c.stored) {
            EXPECT_EQ(resolved.StoredTexture->text(), stonePath);
        }
        // A picture, found or not, leaves the brush's style and colour.
        EXPECT_EQ(resolved.BandColor.has_value(), c.style != 0 && c.style != kNoTextureStyle) << c.texture;
        EXPECT_EQ(resolved.BandStyle.has_value(), c.style != 0 && c.style < kFirstTileStyle) << c.texture;
    }
}

} // namespace
