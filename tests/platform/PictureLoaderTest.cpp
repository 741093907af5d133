#include "platform/PictureLoader.h"

#include "platform/IoError.h"
#include "platform/JpegCodec.h"
#include "platform/LittleEndian.h"
#include "platform/PictureError.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImageWriter>

#include <cstdint>
#include <string>
#include <vector>

namespace {

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

QImage RedPicture()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    return image;
}

// A 1 x 1 GIF, as a drawing program writes it.
const QByteArray kTinyGif = QByteArray::fromHex(
    "47494638396101000100800000ff000000000021f90400000000002c00000000010001000002024401003b");

// The headers of a 24-bit BMP of width x height pixels, without the pixels.
QByteArray BmpHeaderOnly(std::int32_t width, std::int32_t height)
{
    QByteArray bytes(54, '\0');
    auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
    data[0] = 'B';
    data[1] = 'M';
    WriteLittleEndian<std::uint32_t>(data, 2, 54);
    WriteLittleEndian<std::uint32_t>(data, 10, 54);
    WriteLittleEndian<std::uint32_t>(data, 14, 40);
    WriteLittleEndian<std::int32_t>(data, 18, width);
    WriteLittleEndian<std::int32_t>(data, 22, height);
    WriteLittleEndian<std::uint16_t>(data, 26, 1);
    WriteLittleEndian<std::uint16_t>(data, 28, 24);
    return bytes;
}

TEST(PictureLoaderTest, LoadsEachFormatByItsExtension)
{
    TempFolder folder;
    const QImage red = RedPicture();
    folder.write("red.png", Encoded(red, "png"));
    folder.write("red.BMP", Encoded(red, "bmp"));
    folder.write("red.ico", Encoded(red, "ico"));
    folder.write("red.jpg", EncodeJpeg(red, 90));
    folder.write("red.jpeg", EncodeJpeg(red, 90));
    folder.write("tiny.gif", kTinyGif);

    for (const char* name : { "red.png", "red.BMP", "red.ico", "red.jpg", "red.jpeg" }) {
        const QImage image = LoadPicture(folder.file(name));
        EXPECT_EQ(image.size(), QSize(20, 10)) << name;
        const QColor pixel = image.pixelColor(5, 5);
        EXPECT_GT(pixel.red(), 240) << name;
        EXPECT_LT(pixel.green() + pixel.blue(), 20) << name;
    }
    const QImage gif = LoadPicture(folder.file("tiny.gif"));
    EXPECT_EQ(gif.size(), QSize(1, 1));
    EXPECT_EQ(gif.pixelColor(0, 0), QColor(255, 0, 0));
}

TEST(PictureLoaderTest, ATwoColourBitmapKeepsOneBitPerPixelAndItsPixelValues)
{
    // Either palette order: the pixel values and colours stay as in the file.
    for (const QList<QRgb>& palette : { QList<QRgb> { qRgb(0, 0, 0), qRgb(255, 255, 255) },
                                        QList<QRgb> { qRgb(255, 255, 0), qRgb(0, 0, 128) } }) {
        QImage mono(16, 16, QImage::Format_Mono);
        mono.setColorTable(palette);
        mono.fill(1);
        mono.setPixel(3, 4, 0);
        const QByteArray bytes = Encoded(mono, "bmp");
        ASSERT_EQ(ReadLittleEndian<std::uint16_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()), 28), 1);
        TempFolder folder;
        folder.write("mono.bmp", bytes);

        const QImage image = LoadPicture(folder.file("mono.bmp"));
        EXPECT_EQ(image.depth(), 1);
        EXPECT_EQ(image.colorTable(), palette);
        EXPECT_EQ(image.pixelIndex(3, 4), 0);
        EXPECT_EQ(image.pixelIndex(4, 4), 1);
        EXPECT_EQ(image.pixelIndex(15, 15), 1);
    }
}

struct BadPicture {
    const char* name;
    QByteArray bytes;
    bool isFileError;
    const char* says;
};

TEST(PictureLoaderTest, BadFilesGiveAClearErrorNamingTheFile)
{
    const QByteArray png = Encoded(RedPicture(), "png");
    const QByteArray bmp = Encoded(RedPicture(), "bmp");
    QImage noise(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    const QByteArray jpeg = EncodeJpeg(noise, 90);
    const std::vector<BadPicture> cases = {
        { "missing.bmp", {}, true, "does not exist" },
        { "folder.bmp", {}, true, "folder" },
        { "empty.bmp", "", false, "empty" },
        { "empty.jpg", "", false, "empty" },
        { "text.png", "This is not a picture.\n", false, "not a valid PNG picture" },
        { "text.jpg", "This is not a picture.\n", false, "Not a JPEG file" },
        { "cut.png", png.left(png.size() / 2), false, "not a valid PNG picture" },
        { "cut.bmp", bmp.left(bmp.size() - 10), false, "ends before the picture does" },
        { "cut.gif", kTinyGif.chopped(1), false, "ends before the picture does" },
        { "cut.jpg", jpeg.chopped(jpeg.size() / 3), false, "Premature end of JPEG file" },
        { "huge.bmp", BmpHeaderOnly(30000, 30000), false, "too large (30000 × 30000 pixels" },
        { "picture.xyz", png, false, "files of type .xyz" },
        { "picture", png, false, "no picture extension" },
    };
    TempFolder folder;
    QDir(folder.path()).mkdir("folder.bmp");
    for (const BadPicture& bad : cases) {
        if (!bad.bytes.isNull())
            folder.write(bad.name, bad.bytes);
        const QString path = folder.file(bad.name);
        try {
            LoadPicture(path);
            ADD_FAILURE() << bad.name << " loaded";
        } catch (const IoError& error) {
            EXPECT_TRUE(bad.isFileError) << bad.name;
            EXPECT_TRUE(error.message().contains(bad.says)) << error.what();
            EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(path))) << error.what();
        } catch (const PictureError& error) {
            EXPECT_FALSE(bad.isFileError) << bad.name;
            EXPECT_TRUE(error.message().contains(bad.says)) << error.what();
            EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(path))) << error.what();
        }
    }
}

} // namespace
