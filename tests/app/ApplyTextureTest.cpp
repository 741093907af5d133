#include "app/ApplyTexture.h"

#include "overlay/OverlayComposer.h"
#include "platform/dialogs/Application.h"
#include "platform/raster/Raster.h"
#include "skins/PatternTiles.h"
#include "skins/LiveSkin.h"
#include "skins/Texture.h"
#include "tests/support/PictureFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

constexpr TColor kRed = MakeColor(255, 0, 0);
constexpr TColor kYellow = MakeColor(255, 255, 0);

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.becomeProgramFolder();
        QDir(folder.path()).mkdir(QStringLiteral("Textures"));
        previousMessages = SetMessagePresenter([this](const QString& message) { messages << message; });
        previousErrors = SetErrorPresenter([this](const QString& message) { errors << message; });
        stone = NewRasterImage(QSize(3, 2), MakeColor(90, 80, 70));
    }

    void TearDown() override
    {
        SetMessagePresenter(previousMessages);
        SetErrorPresenter(previousErrors);
    }

    void Apply(const QString& texture, TColor colour = kRed, int transparency = 40)
    {
        Skin skin = liveSkin.skin();
        skin.Texture.setText(texture);
        skin.TextureColor = colour;
        skin.TextureTransparency = transparency;
        liveSkin.edit(skin);
        ApplyTexture(band, liveSkin);
    }

    int style() const { return liveSkin.texture().style; }
    const QString& file() const { return liveSkin.texture().file; }
    QString storedTexture() const { return liveSkin.skin().Texture.text(); }

    // The band alone over a white face, opaque.
    QImage Shown() const
    {
        OverlayScene scene;
        scene.Size = QSize(32, 32);
        scene.FacePicture = NewRasterImage(scene.Size, kWhite);
        scene.ColorBand = band;
        scene.ColorBand.Transparency = 0;
        scene.srsSec.Active = false;
        scene.srsDigit.Active = false;
        return OverlayComposer::ComposeAll(scene);
    }

    TempFolder folder;
    LiveSkin liveSkin;
    TextureBand band;
    QImage stone;
    QStringList messages;
    QStringList errors;
    MessagePresenter previousMessages;
    ErrorPresenter previousErrors;
};

TEST_F(TextureTest, AHatchStyleDrawsSilverLinesOnTheTextureColour)
{
    Apply(QStringLiteral("6"), kRed, 40);
    EXPECT_EQ(style(), 6);
    EXPECT_TRUE(file().isEmpty());
    EXPECT_EQ(band.Brush.Style, BrushStyle::Cross);
    EXPECT_EQ(band.Brush.Color, kRed);
    EXPECT_TRUE(band.Brush.Image.isNull());
    EXPECT_EQ(band.Transparency, 40);
    const QImage shown = Shown();
    EXPECT_EQ(PixelAt(shown, 8, 3), kSilver);
    EXPECT_EQ(PixelAt(shown, 3, 8), kSilver);
    EXPECT_EQ(PixelAt(shown, 3, 3), kRed);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(TextureTest, ATileStyleLoadsItsPatternTileAsTheBrushPicture)
{
    Apply(QStringLiteral("10"), kYellow);
    QImage tile3;
    LoadPatternTile(2, tile3);
    EXPECT_EQ(style(), 10);
    EXPECT_EQ(band.Brush.Image, tile3);
    EXPECT_EQ(band.Brush.Color, kYellow);
    // Tile 3 has ink where x and y are both odd.
    const QImage shown = Shown();
    EXPECT_EQ(PixelAt(shown, 3, 5), kSilver);
    EXPECT_EQ(PixelAt(shown, 4, 5), kYellow);
}

TEST_F(TextureTest, NoneKeepsTheBrushColourAndSolidIgnoresIt)
{
    band.Brush.Color = kYellow;
    band.Brush.Image = stone;
    Apply(QStringLiteral("1"), kRed);
    EXPECT_EQ(band.Brush.Style, BrushStyle::Clear);
    EXPECT_EQ(band.Brush.Color, kYellow);
    EXPECT_TRUE(band.Brush.Image.isNull());
    EXPECT_EQ(PixelAt(Shown(), 5, 5), kWhite);

    Apply(QStringLiteral("0"), kRed);
    EXPECT_EQ(band.Brush.Style, BrushStyle::Solid);
    EXPECT_EQ(PixelAt(Shown(), 5, 5), kSilver);
}

TEST_F(TextureTest, StyleNumbersOutsideTheTableShowNoTexture)
{
    for (const char* texture : { "20", "-3", "2147483647" }) {
        band.Brush.Color = kYellow;
        band.Brush.Image = stone;
        Apply(QString::fromLatin1(texture), kRed);
        EXPECT_EQ(style(), kNoTextureStyle) << texture;
        EXPECT_EQ(band.Brush.Style, BrushStyle::Clear) << texture;
        EXPECT_TRUE(band.Brush.Image.isNull()) << texture;
        EXPECT_EQ(band.Brush.Color, kYellow) << texture;
        EXPECT_EQ(PixelAt(Shown(), 5, 5), kWhite) << texture;
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TextureTest, TransparencyOutsideItsRangeCountsAsTheNearestLimit)
{
    Apply(QStringLiteral("0"), kRed, 250);
    EXPECT_EQ(band.Transparency, 100);
    Apply(QStringLiteral("0"), kRed, -7);
    EXPECT_EQ(band.Transparency, 0);
}

TEST_F(TextureTest, APictureInTheTexturesFolderIsFoundByNameAndItsFullPathKept)
{
    folder.write(QStringLiteral("Textures/stone.bmp"), BmpBytes(stone));
    band.Brush.Style = BrushStyle::Vertical;
    band.Brush.Color = kYellow;
    Apply(QStringLiteral("C:\\Program Files\\Clock\\Textures\\stone.bmp"), kRed, 30);
    const QString path = folder.file(QStringLiteral("Textures/stone.bmp"));
    EXPECT_EQ(style(), 0);
    EXPECT_EQ(file(), path);
    EXPECT_EQ(storedTexture(), path);
    EXPECT_EQ(band.Brush.Image.size(), QSize(3, 2));
    EXPECT_EQ(PixelAt(band.Brush.Image.convertToFormat(kRasterFormat), 1, 1), MakeColor(90, 80, 70));
    // A picture leaves the brush's style and colour alone.
    EXPECT_EQ(band.Brush.Style, BrushStyle::Vertical);
    EXPECT_EQ(band.Brush.Color, kYellow);
    EXPECT_EQ(band.Transparency, 30);

    // The full path is taken as it stands the next time.
    ApplyTexture(band, liveSkin);
    EXPECT_EQ(file(), path);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(TextureTest, AMissingPictureIsReportedAndTheBandKeepsItsPicture)
{
    QDir(folder.path()).mkpath(QStringLiteral("Textures/folder.bmp"));
    band.Brush.Image = stone;
    for (const char* texture : { "", "gone.bmp", "/nowhere/gone.bmp", "folder.bmp" }) {
        messages.clear();
        liveSkin.texture().file = QStringLiteral("remembered.bmp");
        Apply(QString::fromLatin1(texture), kRed, 20);
        EXPECT_EQ(messages, QStringList { QStringLiteral("Texture file not found.") }) << texture;
        EXPECT_TRUE(file().isEmpty()) << texture;
        EXPECT_EQ(style(), 0) << texture;
        EXPECT_EQ(band.Brush.Image, stone) << texture;
        EXPECT_EQ(storedTexture(), QString::fromLatin1(texture)) << texture;
        EXPECT_EQ(band.Transparency, 20) << texture;
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TextureTest, APictureThatCannotBeLoadedShowsItsErrorAndChangesNothing)
{
    folder.write(QStringLiteral("Textures/broken.bmp"), BmpBytes(stone).chopped(4));
    band.Brush.Image = stone;
    Apply(QStringLiteral("broken.bmp"), kRed, 60);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("broken.bmp"))) << errors[0].toStdString();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(band.Brush.Image, stone);
    EXPECT_TRUE(file().isEmpty());
    EXPECT_EQ(storedTexture(), QStringLiteral("broken.bmp"));
    EXPECT_EQ(band.Transparency, 60);
}

TEST_F(TextureTest, AFullPathTheSkinCannotHoldIsUsedButNotWrittenBack)
{
    // The name fits the skin's 120 characters, its full path does not.
    const QString name = QString(100, u'x') + QStringLiteral(".bmp");
    folder.write(QStringLiteral("Textures/") + name, BmpBytes(stone));
    const QString path = folder.file(QStringLiteral("Textures/") + name);
    ASSERT_GT(path.size(), 120);

    Apply(name);
    EXPECT_EQ(file(), path);
    EXPECT_EQ(band.Brush.Image.size(), QSize(3, 2));
    EXPECT_EQ(storedTexture(), name);
    ApplyTexture(band, liveSkin);
    EXPECT_EQ(file(), path);
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
