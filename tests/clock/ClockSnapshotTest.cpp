#include "clock/ClockSnapshot.h"

#include "platform/files/IoError.h"
#include "platform/pictures/JpegCodec.h"
#include "platform/raster/Raster.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QFile>


namespace {

const QDateTime kMoment(QDate(2026, 3, 4), QTime(10, 8, 30));

Skin RoundSkin()
{
    Skin skin = DefaultSkin();
    skin.Square = false;
    skin.Transparency = 50; // the window's, not the picture's
    skin.ClockSize = 150;    // a snapshot has its own size
    return skin;
}

// The clock as its window composes it, on the gallery's colour where the
// window is cut away.
TEST(ClockSnapshot, ClockOnTheGalleryColour)
{
    const Skin skin = RoundSkin();
    const ClockPicture snapshot = SnapshotPicture(skin, kMoment, QStringLiteral("h:mm:ss"), 96);
    const QImage clock = ClockPictureAt(skin, kMoment, kSnapshotSide, QStringLiteral("h:mm:ss"), 96).Image;
    ASSERT_EQ(snapshot.Image.size(), QSize(300, 300));
    EXPECT_FALSE(snapshot.Problem);
    for (int y = 0; y < 300; y += 7)
        for (int x = 0; x < 300; x += 7) {
            const QRgb pixel = clock.pixel(x, y);
            const TColor expected = qAlpha(pixel) == 0 ? kGalleryColor : FromQRgb(pixel);
            ASSERT_EQ(PixelAt(snapshot.Image, x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(PixelAt(snapshot.Image, 0, 0), MakeColor(51, 102, 153));
}

TEST(ClockSnapshot, WrittenAsAJpegOfQuality90ReplacingTheOldOne)
{
    TempFolder folder;
    const QString target = folder.file("Ocean.jpg");
    folder.write("Ocean.jpg", "an older snapshot");
    const QImage picture = SnapshotPicture(RoundSkin(), kMoment, QStringLiteral("h:mm:ss"), 96).Image;
    WriteSnapshot(target, picture);

    const QByteArray bytes = folder.read("Ocean.jpg");
    EXPECT_EQ(bytes, EncodeJpeg(picture, 90));
    const QImage decoded = DecodeJpeg(bytes);
    ASSERT_EQ(decoded.size(), QSize(300, 300));

    EXPECT_THROW(WriteSnapshot(folder.file("no/such/folder/x.jpg"), picture), IoError);
}

} // namespace
