#include "look/art/jpeg_codec.h"

#include <array>
#include <csetjmp>
#include <cstdlib>
#include <jpeglib.h>

namespace JpegCodec {

namespace {

// The byte order of QImage::Format_RGB32 in memory (libjpeg-turbo's extended colour spaces).
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE rgb32Layout = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE rgb32Layout = JCS_EXT_ARGB;
#endif

// The decoder's reductions, largest first: M/8 for M = 8 .. 1.
struct Scale {
    int num;
    int denom;
};
constexpr std::array<Scale, 8> scales = {{{1, 1}, {7, 8}, {3, 4}, {5, 8}, {1, 2}, {3, 8}, {1, 4}, {1, 8}}};

int scaled(int side, Scale scale)
{
    return int((qint64(side) * scale.num + scale.denom - 1) / scale.denom);
}

Scale scaleFor(QSize full, QSize wanted)
{
    Scale best = scales[0];
    if (!wanted.isValid() || wanted.isEmpty())
        return best;
    for (const Scale scale : scales)
        if (scaled(full.width(), scale) >= wanted.width() && scaled(full.height(), scale) >= wanted.height())
            best = scale;
    return best;
}

// Errors leave through a jump back into the function that met them; warnings (a damaged but
// decodable stream) are kept quiet and the picture is still used.
struct ErrorManager {
    jpeg_error_mgr manager;
    std::jmp_buf exit;
};

void leave(j_common_ptr codec)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(codec->err)->exit, 1);
}

void quiet(j_common_ptr, int) {}

void useErrors(ErrorManager &errors)
{
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = leave;
    errors.manager.emit_message = quiet;
}

// The decoder over the data with its header read; false when the data is no readable JPEG.
// Called inside the setjmp of the caller, hence no objects with destructors here.
void readHeader(jpeg_decompress_struct &decoder, const QByteArray &data)
{
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char *>(data.constData()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&decoder, TRUE);
}

} // namespace

bool AcceptableSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxSide && size.height() <= MaxSide &&
           qint64(size.width()) * size.height() <= MaxPixels;
}

QSize HeaderSize(const QByteArray &data)
{
    if (data.size() < 4)
        return QSize();
    jpeg_decompress_struct decoder{};
    ErrorManager errors;
    useErrors(errors);
    decoder.err = &errors.manager;
    if (setjmp(errors.exit)) {
        jpeg_destroy_decompress(&decoder);
        return QSize();
    }
    readHeader(decoder, data);
    const QSize size(int(decoder.image_width), int(decoder.image_height));
    jpeg_destroy_decompress(&decoder);
    return size;
}

QSize ScaledSize(QSize full, QSize wanted)
{
    const Scale scale = scaleFor(full, wanted);
    return QSize(scaled(full.width(), scale), scaled(full.height(), scale));
}

QImage Decode(const QByteArray &data, QSize wanted)
{
    if (data.size() < 4)
        return QImage();
    jpeg_decompress_struct decoder{};
    ErrorManager errors;
    useErrors(errors);
    decoder.err = &errors.manager;
    // Made before the jump point, so that an error met while decoding frees it.
    QImage image;
    if (setjmp(errors.exit)) {
        jpeg_destroy_decompress(&decoder);
        return QImage();
    }
    readHeader(decoder, data);
    const QSize full(int(decoder.image_width), int(decoder.image_height));
    if (!AcceptableSize(full)) {
        jpeg_destroy_decompress(&decoder);
        return QImage();
    }
    const Scale scale = scaleFor(full, wanted);
    decoder.scale_num = unsigned(scale.num);
    decoder.scale_denom = unsigned(scale.denom);
    decoder.out_color_space = rgb32Layout;
    jpeg_start_decompress(&decoder);
    image = QImage(int(decoder.output_width), int(decoder.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        jpeg_destroy_decompress(&decoder);
        return QImage();
    }
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row = image.scanLine(int(decoder.output_scanline));
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return image;
}

QByteArray Encode(const QImage &image, int quality)
{
    if (image.isNull() || !AcceptableSize(image.size()))
        return QByteArray();
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct encoder{};
    ErrorManager errors;
    useErrors(errors);
    encoder.err = &errors.manager;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.exit)) {
        jpeg_destroy_compress(&encoder);
        std::free(buffer);
        return QByteArray();
    }
    jpeg_create_compress(&encoder);
    jpeg_mem_dest(&encoder, &buffer, &size);
    encoder.image_width = JDIMENSION(source.width());
    encoder.image_height = JDIMENSION(source.height());
    encoder.input_components = 4;
    encoder.in_color_space = rgb32Layout;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, qBound(1, quality, 100), TRUE);
    // Accurate transforms; YCbCr with the colour halved both ways (4:2:0, the defaults).
    encoder.dct_method = JDCT_ISLOW;
    jpeg_set_colorspace(&encoder, JCS_YCbCr);
    encoder.comp_info[0].h_samp_factor = 2;
    encoder.comp_info[0].v_samp_factor = 2;
    for (int component = 1; component < 3; ++component) {
        encoder.comp_info[component].h_samp_factor = 1;
        encoder.comp_info[component].v_samp_factor = 1;
    }
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row = const_cast<uchar *>(source.constScanLine(int(encoder.next_scanline)));
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    QByteArray encoded(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return encoded;
}

} // namespace JpegCodec
