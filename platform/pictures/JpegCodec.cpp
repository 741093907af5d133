#include "platform/pictures/JpegCodec.h"

#include "platform/pictures/PictureError.h"

#include <cstdio>
#include <csetjmp>
#include <cstdlib>
#include <limits>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// The most a picture within the pixel limit needs while it is decoded: the
// whole-picture coefficient buffer of a multi-scan file holds two bytes for
// each of four components of every pixel, plus room for the tables.
constexpr long kMaxWorkingMemory = long(kMaxJpegPixels) * 4 * 2 + 16L * 1024 * 1024;

// libjpeg scales a decoded picture by M / 8.
constexpr unsigned kScaleDenominator = 8;

struct ErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ExitWithMessage(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, manager->message);
    std::longjmp(manager->escape, 1);
}

// libjpeg only warns about damaged data (a cut file, corrupt scan data,
// stray bytes) and goes on filling the picture with grey; every such warning
// ends the decoding instead. Warnings about the file's extras, not its
// pixels, are let through.
void StopOnDamage(j_common_ptr info, int level)
{
    const bool isWarning = level < 0;
    if (!isWarning)
        return;
    switch (info->err->msg_code) {
    case JWRN_ADOBE_XFORM:
    case JWRN_JFIF_MAJOR:
    case JWRN_BOGUS_ICC:
        return;
    default:
        ExitWithMessage(info);
    }
}

void InstallErrorManager(ErrorManager& manager, j_common_ptr info)
{
    info->err = jpeg_std_error(&manager.library);
    manager.library.error_exit = ExitWithMessage;
    manager.library.emit_message = StopOnDamage;
    manager.message[0] = '\0';
}

std::jmp_buf& EscapeOf(j_common_ptr info)
{
    return reinterpret_cast<ErrorManager*>(info->err)->escape;
}

// The libjpeg steps run in functions that hold no C++ objects, since a
// library error leaves them through longjmp; each sets its escape before its
// first library call.
bool CreateDecompress(jpeg_decompress_struct& info)
{
    if (setjmp(EscapeOf(reinterpret_cast<j_common_ptr>(&info))))
        return false;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxWorkingMemory;
    return true;
}

// Reads the header and chooses the output: the smallest of libjpeg's scales
// M/8 (M = 1..8) whose picture is at least atLeast in both directions, which
// the library decodes from fewer coefficients; full size when none is.
bool ReadHeader(jpeg_decompress_struct& info, const QByteArray& bytes, QSize atLeast)
{
    if (setjmp(EscapeOf(reinterpret_cast<j_common_ptr>(&info))))
        return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    const bool isInk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = isInk ? JCS_CMYK : JCS_RGB;
    info.scale_denom = kScaleDenominator;
    for (unsigned eighths = 1; eighths <= kScaleDenominator; ++eighths) {
        info.scale_num = eighths;
        jpeg_calc_output_dimensions(&info);
        if (long(info.output_width) >= atLeast.width() && long(info.output_height) >= atLeast.height())
            break;
    }
    return true;
}

// Ink amounts to light, per channel. Adobe's files store the inks inverted
// (255 is no ink).
void InksToRgb(const unsigned char* inks, unsigned char* rgb, JDIMENSION width, bool invertedInks)
{
    for (JDIMENSION x = 0; x < width; ++x, inks += 4, rgb += 3) {
        const int black = invertedInks ? inks[3] : 255 - inks[3];
        for (int channel = 0; channel < 3; ++channel) {
            const int paper = invertedInks ? inks[channel] : 255 - inks[channel];
            rgb[channel] = static_cast<unsigned char>((paper * black + 127) / 255);
        }
    }
}

bool ReadScanlines(jpeg_decompress_struct& info, unsigned char* firstRow, long long stride, unsigned char* inkRow)
{
    if (setjmp(EscapeOf(reinterpret_cast<j_common_ptr>(&info))))
        return false;
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        unsigned char* rgb = firstRow + stride * info.output_scanline;
        JSAMPROW row = inkRow ? inkRow : rgb;
        jpeg_read_scanlines(&info, &row, 1);
        if (inkRow)
            InksToRgb(inkRow, rgb, info.output_width, info.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&info);
    return true;
}

bool CreateCompress(jpeg_compress_struct& info)
{
    if (setjmp(EscapeOf(reinterpret_cast<j_common_ptr>(&info))))
        return false;
    jpeg_create_compress(&info);
    return true;
}

bool WriteScanlines(jpeg_compress_struct& info, const QImage& rgb, int quality, unsigned char** out, unsigned long* size)
{
    if (setjmp(EscapeOf(reinterpret_cast<j_common_ptr>(&info))))
        return false;
    jpeg_mem_dest(&info, out, size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

// Every block of every component costs at least one bit in a Huffman-coded
// file, so fewer bytes than that cannot hold the picture; refusing them here
// keeps a small file that declares a huge picture from taking the memory of
// one. (Arithmetic coding has no such floor; its decoding stops at the first
// missing byte instead.)
bool CanHoldPicture(const jpeg_decompress_struct& info, qsizetype bytes)
{
    if (info.arith_code)
        return true;
    long long blocks = 0;
    for (int component = 0; component < info.num_components; ++component)
        blocks += static_cast<long long>(info.comp_info[component].width_in_blocks) * info.comp_info[component].height_in_blocks;
    return static_cast<long long>(bytes) * 8 >= blocks;
}

// Throws the error for a picture that can be read no further, after the
// decoder's memory is given back.
[[noreturn]] void Refuse(jpeg_decompress_struct& info, const QString& message)
{
    jpeg_destroy_decompress(&info);
    throw PictureError(message);
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes)
{
    // No scaled picture is this large, so the full size is chosen.
    constexpr int kLargest = std::numeric_limits<int>::max();
    return DecodeJpegAtLeast(bytes, QSize(kLargest, kLargest));
}

QImage DecodeJpegAtLeast(const QByteArray& bytes, QSize atLeast)
{
    if (bytes.isEmpty())
        throw PictureError(QStringLiteral("Empty JPEG file"));

    jpeg_decompress_struct info {};
    ErrorManager manager;
    InstallErrorManager(manager, reinterpret_cast<j_common_ptr>(&info));
    if (!CreateDecompress(info) || !ReadHeader(info, bytes, atLeast))
        Refuse(info, QString::fromLocal8Bit(manager.message));
    // The limits hold for the picture the file declares: a scaled decoding
    // still reads all of it.
    if (static_cast<long long>(info.image_width) * info.image_height > kMaxJpegPixels)
        Refuse(info, PictureTooLargeError(info.image_width, info.image_height).message());
    if (!CanHoldPicture(info, bytes.size()))
        Refuse(info, QStringLiteral("Premature end of JPEG file (%1 bytes cannot hold a picture of %2 × %3 pixels)")
                         .arg(bytes.size())
                         .arg(info.image_width)
                         .arg(info.image_height));

    QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull())
        Refuse(info, QStringLiteral("Not enough memory for the picture"));
    std::vector<unsigned char> inkRow(info.out_color_space == JCS_CMYK ? size_t(info.output_width) * 4 : 0);
    if (!ReadScanlines(info, image.bits(), image.bytesPerLine(), inkRow.empty() ? nullptr : inkRow.data()))
        Refuse(info, QString::fromLocal8Bit(manager.message));
    jpeg_destroy_decompress(&info);
    return image;
}

QByteArray EncodeJpeg(const QImage& image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw PictureError(QStringLiteral("Cannot encode an empty picture"));

    jpeg_compress_struct info {};
    ErrorManager manager;
    InstallErrorManager(manager, reinterpret_cast<j_common_ptr>(&info));
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool encoded = CreateCompress(info) && WriteScanlines(info, rgb, quality, &buffer, &size);
    jpeg_destroy_compress(&info);
    QByteArray result;
    if (encoded)
        result = QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    if (!encoded)
        throw PictureError(QString::fromLocal8Bit(manager.message));
    return result;
}
