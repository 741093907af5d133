#include "platform/JpegCodec.h"

#include "platform/PictureError.h"

#include <cstdio>
#include <csetjmp>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
    bool endedEarly;
};

void ExitWithMessage(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, manager->message);
    std::longjmp(manager->escape, 1);
}

void NoteWarning(j_common_ptr info, int level)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF && !manager->endedEarly) {
        manager->endedEarly = true;
        info->err->format_message(info, manager->message);
    }
}

void InstallErrorManager(ErrorManager& manager)
{
    jpeg_std_error(&manager.library);
    manager.library.error_exit = ExitWithMessage;
    manager.library.emit_message = NoteWarning;
    manager.message[0] = '\0';
    manager.endedEarly = false;
}

// The libjpeg steps run in functions that hold no C++ objects, since a
// library error leaves them through longjmp.
bool ReadHeader(jpeg_decompress_struct& info, const QByteArray& bytes)
{
    if (setjmp(reinterpret_cast<ErrorManager*>(info.err)->escape))
        return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    return true;
}

bool ReadScanlines(jpeg_decompress_struct& info, unsigned char* firstRow, long long stride)
{
    if (setjmp(reinterpret_cast<ErrorManager*>(info.err)->escape))
        return false;
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = firstRow + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

bool WriteScanlines(jpeg_compress_struct& info, const QImage& rgb, int quality, unsigned char** out, unsigned long* size)
{
    if (setjmp(reinterpret_cast<ErrorManager*>(info.err)->escape))
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

} // namespace

QImage DecodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        throw PictureError(QStringLiteral("Empty JPEG file"));

    jpeg_decompress_struct info {};
    ErrorManager manager;
    info.err = &manager.library;
    InstallErrorManager(manager);
    jpeg_create_decompress(&info);

    if (!ReadHeader(info, bytes)) {
        jpeg_destroy_decompress(&info);
        throw PictureError(QString::fromLocal8Bit(manager.message));
    }
    const long long pixels = static_cast<long long>(info.output_width) * info.output_height;
    if (pixels > kMaxJpegPixels) {
        const PictureError tooLarge = PictureTooLargeError(info.output_width, info.output_height);
        jpeg_destroy_decompress(&info);
        throw tooLarge;
    }

    QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        throw PictureError(QStringLiteral("Not enough memory for the picture"));
    }
    const bool decoded = ReadScanlines(info, image.bits(), image.bytesPerLine());
    jpeg_destroy_decompress(&info);
    if (!decoded || manager.endedEarly)
        throw PictureError(QString::fromLocal8Bit(manager.message));
    return image;
}

QByteArray EncodeJpeg(const QImage& image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw PictureError(QStringLiteral("Cannot encode an empty picture"));

    jpeg_compress_struct info {};
    ErrorManager manager;
    info.err = &manager.library;
    InstallErrorManager(manager);
    jpeg_create_compress(&info);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool encoded = WriteScanlines(info, rgb, quality, &buffer, &size);
    jpeg_destroy_compress(&info);
    QByteArray result;
    if (encoded)
        result = QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    if (!encoded)
        throw PictureError(QString::fromLocal8Bit(manager.message));
    return result;
}
