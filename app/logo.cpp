#include "app/logo.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

// Q_INIT_RESOURCE must be used outside any namespace; the static library's resource is otherwise dropped by the linker.
static void InitAppResources() { Q_INIT_RESOURCE(app); }

namespace app {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub; // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1); }

void OutputMessage(j_common_ptr) { }

struct RawImage {
    unsigned char* pixels; // malloc'd, width * height * 3 bytes, rows packed
    int width;
    int height;
};

// Only C objects live between setjmp and a longjmp out of libjpeg, so skipping frames destroys nothing;
// the pixel buffer is released on both paths. Values changed after setjmp and used after the jump are volatile.
bool DecodeToRaw(const unsigned char* data, unsigned long size, qint64 maxPixels, RawImage* out)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    unsigned char* volatile pixels = nullptr;

    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    if (setjmp(err.jump) != 0) {
        jpeg_destroy_decompress(&cinfo);
        std::free(pixels);
        return false;
    }

    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    // Checked before decompression starts: a progressive picture already reserves whole-image buffers there.
    if (cinfo.image_width == 0 || cinfo.image_height == 0
        || static_cast<qint64>(cinfo.image_width) * cinfo.image_height > maxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);

    const JDIMENSION width = cinfo.output_width;
    const JDIMENSION height = cinfo.output_height;
    if (cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    pixels = static_cast<unsigned char*>(std::malloc(stride * height));
    if (pixels == nullptr) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < height) {
        JSAMPROW row = pixels + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    const bool corrupt = err.pub.num_warnings != 0; // e.g. premature end of data, filled in as grey by libjpeg
    jpeg_destroy_decompress(&cinfo);
    if (corrupt) {
        std::free(pixels);
        return false;
    }
    out->pixels = pixels;
    out->width = static_cast<int>(width);
    out->height = static_cast<int>(height);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data, qint64 maxPixels)
{
    if (data.isEmpty())
        return {};
    RawImage raw{};
    if (!DecodeToRaw(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()),
            maxPixels, &raw))
        return {};
    QImage image(raw.width, raw.height, QImage::Format_RGB888);
    if (!image.isNull()) {
        const std::size_t stride = static_cast<std::size_t>(raw.width) * 3;
        for (int y = 0; y < raw.height; ++y)
            std::memcpy(image.scanLine(y), raw.pixels + stride * y, stride); // QImage rows are 4-byte aligned
    }
    std::free(raw.pixels);
    return image;
}

QByteArray LogoJpeg()
{
    InitAppResources();
    QFile file(QStringLiteral(":/logo.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void ShowLogo(QLabel* label, const QByteArray& jpeg)
{
    const QImage image = DecodeJpeg(jpeg);
    if (image.isNull()) {
        label->clear();
        return;
    }
    label->setPixmap(QPixmap::fromImage(image));
}

} // namespace app
