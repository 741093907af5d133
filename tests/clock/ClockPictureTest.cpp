#include "clock/ClockPicture.h"

#include "platform/raster/Raster.h"
#include "skins/Skin.h"
#include "skins/Texture.h"
#include "tests/support/PictureFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QPalette>

namespace {

// A clock picture is drawn from the skin it is given, as the gallery's
// snapshots will be while the clock shows another skin: the live skin and
// the texture globals are neither used nor changed.
TEST(ClockPictureTest, APictureIsDrawnFromTheSkinItIsGiven)
{
    TempFolder home;
    home.becomeProgramFolder();
    QDir(home.path()).mkdir(QStringLiteral("Textures"));
    home.write(QStringLiteral("Textures/stone.bmp"), BmpBytes(NewRasterImage(QSize(3, 2), MakeColor(90, 80, 70))));

    Skin drawn = DefaultSkin();
    drawn.Square = false;
    drawn.Texture.setText(QStringLiteral("stone.bmp"));

    const QDateTime moment(QDate(2026, 3, 4), QTime(10, 14, 30));
    const ClockPicture picture = ClockPictureAt(drawn, moment, 120, QStringLiteral("h:mm:ss"), 96);
    EXPECT_FALSE(picture.Problem);
    EXPECT_EQ(qAlpha(picture.Image.pixel(4, 4)), 0); // round, as drawn
    EXPECT_EQ(ClockPictureAt(drawn, moment, 120, QStringLiteral("h:mm:ss"), 96).Image, picture.Image);

    // A texture that cannot be shown is handed back, not shown.
    drawn.Texture.setText(QStringLiteral("gone.bmp"));
    const ClockPicture untextured = ClockPictureAt(drawn, moment, 120, QStringLiteral("h:mm:ss"), 96);
    ASSERT_TRUE(untextured.Problem);
    EXPECT_EQ(untextured.Problem->text, QStringLiteral("Texture file not found."));
}

// Every colour that names a system colour is drawn in the desktop's colour:
// the picture is the one drawn with those plain colours.
TEST(ClockPictureTest, SystemColoursAreDrawnInTheDesktopsColours)
{
    constexpr TColor kButtonFace = 0x8000000F;
    constexpr TColor kWindowText = 0x80000008;
    const TColor buttonFace = FromQColor(QGuiApplication::palette().color(QPalette::Button));
    const TColor windowText = FromQColor(QGuiApplication::palette().color(QPalette::Text));
    Skin system = DefaultSkin();
    Skin plain = DefaultSkin();
    const auto set = [&](TColor Skin::*field, TColor systemColour, TColor plainColour) {
        system.*field = systemColour;
        plain.*field = plainColour;
    };
    set(&Skin::SecColor, kButtonFace, buttonFace);
    set(&Skin::DigColor, kWindowText, windowText);
    set(&Skin::MinLastColor, kWindowText, windowText);
    set(&Skin::TicsBandColor, kButtonFace, buttonFace);
    set(&Skin::TextureColor, kWindowText, windowText);
    for (Skin* skin : { &system, &plain }) {
        skin->SecStyle = 1;
        skin->Texture.setText(QStringLiteral("2"));
    }

    const QDateTime moment(QDate(2026, 3, 4), QTime(10, 14, 30));
    EXPECT_EQ(ClockPictureAt(system, moment, 200, QStringLiteral("h:mm:ss"), 96).Image,
        ClockPictureAt(plain, moment, 200, QStringLiteral("h:mm:ss"), 96).Image);
}

} // namespace
