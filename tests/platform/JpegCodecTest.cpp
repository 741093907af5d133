#include "platform/pictures/JpegCodec.h"
#include "platform/pictures/PictureError.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

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

// How a test picture is written with libjpeg itself, for the kinds of file
// that EncodeJpeg never writes.
struct JpegLayout {
    J_COLOR_SPACE samples = JCS_RGB; // the samples handed over, 3 or 4 a pixel
    J_COLOR_SPACE stored = JCS_YCbCr;
    bool adobeMarker = true; // only written for CMYK and YCCK
    bool progressive = false;
};

QByteArray WrittenByLibjpeg(int width, int height, const std::vector<unsigned char>& samples, const JpegLayout& layout)
{
    jpeg_compress_struct info {};
    jpeg_error_mgr errors {};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = layout.samples == JCS_CMYK ? 4 : 3;
    info.in_color_space = layout.samples;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, layout.stored);
    info.write_Adobe_marker = layout.adobeMarker;
    jpeg_set_quality(&info, 100, TRUE);
    if (layout.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    const size_t rowSize = size_t(width) * size_t(info.input_components);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(samples.data()) + rowSize * info.next_scanline;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

// Rewrites the frame header to declare another size.
QByteArray Declaring(QByteArray jpeg, const char* frameMarker, int width, int height)
{
    const qsizetype frame = jpeg.indexOf(frameMarker);
    EXPECT_GT(frame, 0);
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height & 0xFF);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width & 0xFF);
    return jpeg;
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

// A thumbnail decodes at the smallest of libjpeg's scales M/8 that is no
// smaller than it needs, and looks like the full picture scaled down.
TEST(JpegCodec, ScaledDecodingIsTheSmallestScaleLargeEnough)
{
    const QImage original = Gradient(300, 200);
    const QByteArray jpeg = EncodeJpeg(original, 90);
    const struct {
        QSize atLeast;
        QSize decoded;
    } cases[] = {
        { QSize(120, 120), QSize(188, 125) }, // 5/8: 4/8 would be 100 high
        { QSize(120, 50), QSize(150, 100) },  // 4/8
        { QSize(30, 10), QSize(38, 25) },     // 1/8, rounded up
        { QSize(300, 200), QSize(300, 200) },
        { QSize(1000, 1000), QSize(300, 200) }, // never enlarged
    };
    for (const auto& [atLeast, decoded] : cases)
        EXPECT_EQ(DecodeJpegAtLeast(jpeg, atLeast).size(), decoded) << atLeast.width() << "x" << atLeast.height();

    const QImage half = DecodeJpegAtLeast(jpeg, QSize(150, 100));
    EXPECT_LE(LargestChannelDifference(half, original.scaled(150, 100, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)), 12);
    EXPECT_THROW(DecodeJpegAtLeast(jpeg.left(jpeg.size() / 2), QSize(40, 40)), PictureError);
}

TEST(JpegCodec, BadInputRaisesTheLibrarysMessage)
{
    const QByteArray jpeg = EncodeJpeg(Gradient(300, 300), 90);
    EXPECT_EQ(MessageOf(QByteArray()), "Empty JPEG file");
    EXPECT_EQ(MessageOf("GIF89a not a jpeg at all"), "Not a JPEG file: starts with 0x47 0x49");
    EXPECT_EQ(MessageOf(jpeg.left(jpeg.size() * 3 / 4)), "Premature end of JPEG file");
    EXPECT_NE(MessageOf(jpeg.left(40)), "decoded");
}

TEST(JpegCodec, DamagedScanDataIsRefusedNotFilledWithGrey)
{
    QImage noise(200, 200, QImage::Format_RGB888);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixelColor(x, y, QColor(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    const QByteArray jpeg = EncodeJpeg(noise, 90);
    const qsizetype scanStart = jpeg.indexOf("\xFF\xDA");
    ASSERT_GT(scanStart, 0);

    QByteArray cutWithEndMarker = jpeg.left(jpeg.size() * 3 / 5);
    cutWithEndMarker += "\xFF\xD9";
    QByteArray scrambled = jpeg;
    for (qsizetype i = scanStart + 400; i < scanStart + 420; ++i)
        scrambled[i] = char(0xFE);

    EXPECT_EQ(MessageOf(cutWithEndMarker), "Corrupt JPEG data: premature end of data segment");
    EXPECT_EQ(MessageOf(scrambled).rfind("Corrupt JPEG data", 0), 0u) << MessageOf(scrambled);
}

TEST(JpegCodec, CmykPicturesAreShownInTheirColours)
{
    // Four 8 x 8 blocks: cyan, magenta with half black, yellow, white; as
    // (C, M, Y, K) ink amounts and the colour each must show.
    const std::vector<std::vector<int>> inks = { { 255, 0, 0, 0 }, { 0, 255, 0, 128 }, { 0, 0, 255, 0 }, { 0, 0, 0, 0 } };
    const std::vector<QColor> shown = { QColor(0, 255, 255), QColor(127, 0, 127), QColor(255, 255, 0), QColor(255, 255, 255) };
    struct Case {
        const char* name;
        J_COLOR_SPACE stored;
        bool adobeMarker; // files with it keep the inks inverted, as Photoshop writes them
    };
    for (const Case& kind : { Case { "Adobe CMYK", JCS_CMYK, true }, Case { "Adobe YCCK", JCS_YCCK, true },
                              Case { "plain CMYK", JCS_CMYK, false } }) {
        std::vector<unsigned char> samples;
        for (int y = 0; y < 8; ++y)
            for (int block = 0; block < 4; ++block)
                for (int x = 0; x < 8; ++x)
                    for (int ink : inks[size_t(block)])
                        samples.push_back(static_cast<unsigned char>(kind.adobeMarker ? 255 - ink : ink));
        const QByteArray jpeg = WrittenByLibjpeg(32, 8, samples, { JCS_CMYK, kind.stored, kind.adobeMarker, false });

        QImage decoded;
        try {
            decoded = DecodeJpeg(jpeg);
        } catch (const PictureError& error) {
            ADD_FAILURE() << kind.name << ": " << error.what();
            continue;
        }
        ASSERT_EQ(decoded.size(), QSize(32, 8)) << kind.name;
        for (int block = 0; block < 4; ++block)
            for (QPoint at : { QPoint(block * 8 + 1, 1), QPoint(block * 8 + 6, 6) }) {
                const QColor pixel = decoded.pixelColor(at), expected = shown[size_t(block)];
                EXPECT_LE(std::abs(pixel.red() - expected.red()) + std::abs(pixel.green() - expected.green())
                              + std::abs(pixel.blue() - expected.blue()),
                          6)
                    << kind.name << " block " << block << ": " << pixel.name().toStdString();
            }
    }
}

TEST(JpegCodec, ProgressivePicturesDecodeLikeBaselineOnes)
{
    const QImage original = Gradient(64, 48);
    std::vector<unsigned char> samples;
    for (int y = 0; y < original.height(); ++y)
        samples.insert(samples.end(), original.constScanLine(y), original.constScanLine(y) + 3 * original.width());
    const QByteArray progressive = WrittenByLibjpeg(64, 48, samples, { JCS_RGB, JCS_YCbCr, true, true });
    ASSERT_GT(progressive.indexOf("\xFF\xC2"), 0);
    EXPECT_LE(LargestChannelDifference(original, DecodeJpeg(progressive)), 8);
}

// Peak resident memory, in MB, that decoding the bytes adds, measured in a
// child process so that nothing earlier in this one hides it.
long MemoryGrowthOfDecoding(const QByteArray& bytes, std::string& message)
{
    long residentPages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        EXPECT_EQ(std::fscanf(statm, "%*s %ld", &residentPages), 1);
        std::fclose(statm);
    }
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        const std::string text = MessageOf(bytes);
        [[maybe_unused]] const ssize_t written = write(pipeEnds[1], text.data(), text.size());
        _exit(0);
    }
    close(pipeEnds[1]);
    char text[512];
    const ssize_t length = read(pipeEnds[0], text, sizeof text);
    close(pipeEnds[0]);
    message.assign(text, size_t(std::max<ssize_t>(length, 0)));
    int status = 0;
    rusage usage {};
    EXPECT_EQ(wait4(child, &status, 0, &usage), child);
    const long residentKilobytes = residentPages * (sysconf(_SC_PAGESIZE) / 1024);
    return (usage.ru_maxrss - residentKilobytes) / 1024;
}

TEST(JpegCodec, ASmallFileDeclaringAHugePictureIsRefusedWithoutTakingItsMemory)
{
    // 8000 x 8000 is within the pixel limit, but a few kilobytes cannot hold
    // its picture; decoding it anyway would take over 500 MB.
    const QImage original = Gradient(64, 64);
    std::vector<unsigned char> samples;
    for (int y = 0; y < original.height(); ++y)
        samples.insert(samples.end(), original.constScanLine(y), original.constScanLine(y) + 3 * original.width());
    for (bool progressive : { true, false }) {
        JpegLayout layout;
        layout.progressive = progressive;
        const QByteArray small = WrittenByLibjpeg(64, 64, samples, layout);
        const QByteArray huge = Declaring(small, progressive ? "\xFF\xC2" : "\xFF\xC0", 8000, 8000);
        std::string message;
        EXPECT_LT(MemoryGrowthOfDecoding(huge, message), 64) << "progressive " << progressive;
        EXPECT_EQ(message.rfind("Premature end of JPEG file", 0), 0u) << message;
    }
}

TEST(JpegCodec, RefusesPicturesAbove64Megapixels)
{
    const QByteArray jpeg = Declaring(EncodeJpeg(Gradient(16, 16), 90), "\xFF\xC0", 10000, 10000);
    EXPECT_EQ(MessageOf(jpeg), "The picture is too large (10000 × 10000 pixels; at most 64 megapixels are accepted)");
}

} // namespace
