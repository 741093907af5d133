#include "platform/pictures/PictureLoader.h"

#include "platform/files/IoError.h"
#include "platform/pictures/JpegCodec.h"
#include "platform/files/LittleEndian.h"
#include "platform/pictures/PictureError.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QtEndian>
#include <QDir>
#include <QImageWriter>

#include <sys/stat.h>

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

// A 1 x 1 red GIF, as a drawing program writes it.
const QByteArray kTinyGif = QByteArray::fromHex(
    "47494638396101000100800000ff000000000021f90400000000002c00000000010001000002024401003b");

// A BMP file as its fields say: the info header (40 bytes, or 108 with the
// colour masks inside it), the masks, the palette, then the pixel data.
struct BmpFile {
    std::int32_t width = 1;
    std::int32_t height = 1; // negative: rows top-down
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0; // 1 RLE8, 2 RLE4, 3 bit fields
    std::vector<std::uint32_t> masks {}; // red, green, blue[, alpha]
    QList<QRgb> palette {};
    QByteArray pixels {};
    std::uint32_t headerSize = 40;
};

QByteArray Bytes(const BmpFile& file)
{
    const bool masksInHeader = file.headerSize >= 108;
    const std::uint32_t pixelOffset = 14 + file.headerSize + (masksInHeader ? 0 : 4 * std::uint32_t(file.masks.size()))
                                      + 4 * std::uint32_t(file.palette.size());
    QByteArray bytes(pixelOffset, '\0');
    auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
    data[0] = 'B';
    data[1] = 'M';
    WriteLittleEndian<std::uint32_t>(data, 2, pixelOffset + std::uint32_t(file.pixels.size()));
    WriteLittleEndian<std::uint32_t>(data, 10, pixelOffset);
    WriteLittleEndian<std::uint32_t>(data, 14, file.headerSize);
    WriteLittleEndian<std::int32_t>(data, 18, file.width);
    WriteLittleEndian<std::int32_t>(data, 22, file.height);
    WriteLittleEndian<std::uint16_t>(data, 26, 1);
    WriteLittleEndian<std::uint16_t>(data, 28, file.bitsPerPixel);
    WriteLittleEndian<std::uint32_t>(data, 30, file.compression);
    WriteLittleEndian<std::uint32_t>(data, 34, file.compression == 1 || file.compression == 2 ? std::uint32_t(file.pixels.size()) : 0);
    WriteLittleEndian<std::uint32_t>(data, 46, std::uint32_t(file.palette.size()));
    std::size_t at = masksInHeader ? 54 : 14 + file.headerSize;
    for (std::uint32_t mask : file.masks) {
        WriteLittleEndian<std::uint32_t>(data, at, mask);
        at += 4;
    }
    at = 14 + file.headerSize + (masksInHeader ? 0 : 4 * file.masks.size());
    for (QRgb colour : file.palette) {
        WriteLittleEndian<std::uint32_t>(data, at, colour & 0xFFFFFF);
        at += 4;
    }
    return bytes + file.pixels;
}

QByteArray BmpHeaderOnly(std::int32_t width, std::int32_t height)
{
    return Bytes({ .width = width, .height = height });
}

std::uint32_t Crc32(const QByteArray& bytes)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= std::uint8_t(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray PngChunk(const QByteArray& type, const QByteArray& data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian<std::uint32_t>(std::uint32_t(data.size()), chunk.data());
    const QByteArray typed = type + data;
    QByteArray crc(4, '\0');
    qToBigEndian<std::uint32_t>(Crc32(typed), crc.data());
    return chunk + typed + crc;
}

QByteArray BigEndian16(std::initializer_list<std::uint16_t> values)
{
    QByteArray bytes;
    for (std::uint16_t value : values) {
        bytes += char(value >> 8);
        bytes += char(value & 0xFF);
    }
    return bytes;
}

// A PNG of the given rows (each without its filter byte), with the chunks in
// extra between the header and the data.
QByteArray Png(int width, int bitDepth, int colourType, const QList<QByteArray>& rows, const QByteArray& extra = {})
{
    QByteArray header(13, '\0');
    qToBigEndian<std::uint32_t>(std::uint32_t(width), header.data());
    qToBigEndian<std::uint32_t>(std::uint32_t(rows.size()), header.data() + 4);
    header[8] = char(bitDepth);
    header[9] = char(colourType);
    QByteArray raw;
    for (const QByteArray& row : rows)
        raw += '\0' + row;
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header) + extra + PngChunk("IDAT", qCompress(raw).mid(4))
           + PngChunk("IEND", {});
}

// Run-length BMP data: each value one byte.
QByteArray RunLength(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes += char(value);
    return bytes;
}

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;

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

struct GoodPicture {
    const char* name;
    QByteArray bytes;
    int width;
    std::vector<QRgb> pixels; // row by row, premultiplied
};

TEST(PictureLoaderTest, EveryKindOfValidPictureShowsItsColours)
{
    const std::uint32_t kRle8 = 1, kRle4 = 2, kBitFields = 3;
    const QRgb kHalfRed = qPremultiply(qRgba(255, 0, 0, 128));
    const std::vector<GoodPicture> cases = {
        // Pixels that a run-length picture skips show its first palette colour.
        { "rle8.bmp",
          Bytes({ .width = 4, .height = 3, .bitsPerPixel = 8, .compression = kRle8, .palette = { kRed, kGreen, kBlue },
                  .pixels = RunLength({ 2, 1, 0, 0, /* delta */ 0, 2, 1, 1, /* absolute */ 0, 3, 2, 1, 2, 0, /* end */ 0, 1 }) }),
          4,
          { kRed, kBlue, kGreen, kBlue, kRed, kRed, kRed, kRed, kGreen, kGreen, kRed, kRed } },
        { "rle4.bmp",
          Bytes({ .width = 4, .height = 2, .bitsPerPixel = 4, .compression = kRle4, .palette = { kWhite, kRed, kGreen },
                  .pixels = RunLength({ 3, 0x12, 0, 0, /* absolute */ 0, 3, 0x21, 0x20, /* end */ 0, 1 }) }),
          4,
          { kGreen, kRed, kGreen, kWhite, kRed, kGreen, kRed, kWhite } },
        // 5 bits a channel: 31 is full, 16 is 132 of 255, 1 is 8.
        { "rgb555.bmp", Bytes({ .width = 2, .bitsPerPixel = 16, .pixels = RunLength({ 0x00, 0x7E, 0x1F, 0x04 }) }), 2,
          { qRgb(255, 132, 0), qRgb(8, 0, 255) } },
        { "rgb565.bmp",
          Bytes({ .width = 2, .bitsPerPixel = 16, .compression = kBitFields, .masks = { 0xF800, 0x07E0, 0x001F },
                  .pixels = RunLength({ 0xE0, 0xFF, 0x10, 0x04 }) }),
          2, { qRgb(255, 255, 0), qRgb(0, 130, 132) } },
        { "argb.bmp",
          Bytes({ .width = 2, .bitsPerPixel = 32, .compression = kBitFields,
                  .masks = { 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000 },
                  .pixels = RunLength({ 0, 0, 0xFF, 0x80, 0, 0xFF, 0, 0xFF }), .headerSize = 108 }),
          2, { kHalfRed, kGreen } },
        // Rows stored top-down; an index beyond the palette is black.
        { "topdown.bmp",
          Bytes({ .width = 3, .height = -2, .bitsPerPixel = 8, .palette = { kRed, kGreen, kBlue },
                  .pixels = RunLength({ 0, 1, 2, 0, 2, 2, 7, 0 }) }),
          3, { kRed, kGreen, kBlue, kBlue, kBlue, kBlack } },
        // 16-bit PNGs with a transparent colour: only that exact colour is clear.
        { "rgb16-transparent.png",
          Png(3, 16, 2, { BigEndian16({ 0x1000, 0x2000, 0x3000, 0x1001, 0x2000, 0x3000, 0xFFFF, 0x8080, 0x0000 }) },
              PngChunk("tRNS", BigEndian16({ 0x1000, 0x2000, 0x3000 }))),
          3, { 0, qRgb(16, 32, 48), qRgb(255, 128, 0) } },
        { "grey16-transparent.png",
          Png(2, 16, 0, { BigEndian16({ 0x1234, 0xFFFF }) }, PngChunk("tRNS", BigEndian16({ 0x1234 }))), 2, { 0, kWhite } },
        { "grey1.png", Png(4, 1, 0, { RunLength({ 0b10100000 }) }), 4, { kWhite, kBlack, kWhite, kBlack } },
        { "trailing-bytes.gif", kTinyGif + "trailing bytes from a careless tool", 1, { kRed } },
    };
    TempFolder folder;
    for (const GoodPicture& good : cases) {
        folder.write(good.name, good.bytes);
        QImage image;
        try {
            image = LoadPicture(folder.file(good.name)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        } catch (const std::exception& error) {
            ADD_FAILURE() << good.name << ": " << error.what();
            continue;
        }
        const int height = int(good.pixels.size()) / good.width;
        ASSERT_EQ(image.size(), QSize(good.width, height)) << good.name;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < good.width; ++x)
                EXPECT_EQ(image.pixel(x, y), good.pixels[size_t(y * good.width + x)])
                    << good.name << " at " << x << ", " << y << ": " << std::hex << image.pixel(x, y);
    }
}

TEST(PictureLoaderTest, PicturesUpTo64MegapixelsAreAccepted)
{
    constexpr int kSide = 6000; // 36 megapixels
    QList<QByteArray> rows(kSide, QByteArray(kSide, '\x40'));
    rows.last()[kSide - 1] = '\xFF';
    const QImage image = DecodePicture(Png(kSide, 8, 0, rows), "png");
    ASSERT_EQ(image.size(), QSize(kSide, kSide));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0x40, 0x40, 0x40));
    EXPECT_EQ(image.pixel(kSide - 1, kSide - 1), kWhite);
}

TEST(PictureLoaderTest, ATwoColourPictureKeepsOneBitPerPixelAndThePixelValuesOfItsFile)
{
    // The two-colour rule of textures keys on the pixel values of the file:
    // a BMP in either palette order and a black-and-white PNG (0 is black).
    struct Case {
        QByteArray bytes;
        const char* format;
        QList<QRgb> palette;
    };
    std::vector<Case> cases;
    for (const QList<QRgb>& palette : { QList<QRgb> { kBlack, kWhite }, QList<QRgb> { qRgb(255, 255, 0), qRgb(0, 0, 128) } }) {
        QImage mono(16, 16, QImage::Format_Mono);
        mono.setColorTable(palette);
        mono.fill(1);
        mono.setPixel(3, 4, 0);
        const QByteArray bytes = Encoded(mono, "bmp");
        ASSERT_EQ(ReadLittleEndian<std::uint16_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()), 28), 1);
        cases.push_back({ bytes, "bmp", palette });
    }
    QList<QByteArray> rows(16, QByteArray(2, '\xFF'));
    rows[4][0] = char(0b11101111);
    cases.push_back({ Png(16, 1, 0, rows), "png", { kBlack, kWhite } });

    for (const Case& picture : cases) {
        const QImage image = DecodePicture(picture.bytes, picture.format);
        EXPECT_EQ(image.depth(), 1) << picture.format;
        EXPECT_EQ(image.colorTable(), picture.palette) << picture.format;
        EXPECT_EQ(image.pixelIndex(3, 4), 0) << picture.format;
        EXPECT_EQ(image.pixelIndex(4, 4), 1) << picture.format;
        EXPECT_EQ(image.pixelIndex(15, 15), 1) << picture.format;
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
        { "pipe.bmp", {}, true, "not a regular file" },
        { "empty.bmp", "", false, "empty" },
        { "empty.jpg", "", false, "empty" },
        { "text.png", "This is not a picture.\n", false, "not a valid PNG picture" },
        { "text.jpg", "This is not a picture.\n", false, "Not a JPEG file" },
        { "cut.png", png.left(png.size() / 2), false, "ends before the picture does" },
        { "cut.bmp", bmp.left(bmp.size() - 10), false, "ends before the picture does" },
        { "cut.gif", kTinyGif.chopped(1), false, "ends before the picture does" },
        { "cut-at-semicolon.gif", kTinyGif.chopped(4) + ';', false, "ends before the picture does" },
        { "cut-rle.bmp",
          Bytes({ .width = 4, .height = 2, .bitsPerPixel = 8, .compression = 1, .palette = { kRed }, .pixels = RunLength({ 4, 0, 0, 0 }) }),
          false, "ends before the picture does" },
        { "deep.bmp", Bytes({ .width = 2, .height = 2, .bitsPerPixel = 30000, .pixels = QByteArray(64, '\0') }), false,
          "30000 bits per pixel" },
        { "cut.jpg", jpeg.chopped(jpeg.size() / 3), false, "Premature end of JPEG file" },
        { "huge.bmp", BmpHeaderOnly(30000, 30000), false, "too large (30000 × 30000 pixels" },
        { "huge.gif", QByteArray(kTinyGif).replace(6, 4, "\x28\x23\x28\x23"), false, "too large (9000 × 9000 pixels" },
        { "picture.xyz", png, false, "files of type .xyz" },
        { "picture", png, false, "no picture extension" },
    };
    TempFolder folder;
    QDir(folder.path()).mkdir("folder.bmp");
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.file("pipe.bmp")).constData(), 0600), 0);
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
