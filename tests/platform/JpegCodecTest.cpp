#include "platform/JpegCodec.h"
#include "platform/PictureError.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor(x * 255 / width, y * 255 / height, 128));
    return image;
}

int LargestChannelDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            largest = std::max({ largest, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()), std::abs(p.blue() - q.blue()) });
        }
    return largest;
}

std::string MessageOf(const QByteArray& bytes)
{
    try {
        DecodeJpeg(bytes);
    } catch (const PictureError& error) {
        return error.what();
    }
    return "decoded";
}

TEST(JpegCodec, EncodesAndDecodesAt24Bits)
{
    const QImage original = Gradient(300, 300);
    const QByteArray jpeg = EncodeJpeg(original, 90);
    ASSERT_TRUE(jpeg.startsWith("\xFF\xD8"));
    const QImage decoded = DecodeJpeg(jpeg);
    EXPECT_EQ(decoded.size(), QSize(300, 300));
    EXPECT_EQ(decoded.format(), QImage::Format_RGB888);
    EXPECT_LE(LargestChannelDifference(original, decoded), 12);
    EXPECT_LT(EncodeJpeg(original, 30).size(), jpeg.size());
}

TEST(JpegCodec, BadInputRaisesTheLibrarysMessage)
{
    const QByteArray jpeg = EncodeJpeg(Gradient(300, 300), 90);
    EXPECT_EQ(MessageOf(QByteArray()), "Empty JPEG file");
    EXPECT_EQ(MessageOf("GIF89a not a jpeg at all"), "Not a JPEG file: starts with 0x47 0x49");
    EXPECT_EQ(MessageOf(jpeg.left(jpeg.size() * 3 / 4)), "Premature end of JPEG file");
    EXPECT_NE(MessageOf(jpeg.left(40)), "decoded");
}

TEST(JpegCodec, RefusesPicturesAbove64Megapixels)
{
    QByteArray jpeg = EncodeJpeg(Gradient(16, 16), 90);
    // Rewrite the frame header to claim 10000 x 10000 pixels.
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    for (int offset : { 5, 7 }) {
        jpeg[frame + offset] = char(10000 >> 8);
        jpeg[frame + offset + 1] = char(10000 & 0xFF);
    }
    EXPECT_EQ(MessageOf(jpeg), "The picture is too large (10000 × 10000 pixels; at most 64 megapixels are accepted)");
}

} // namespace
