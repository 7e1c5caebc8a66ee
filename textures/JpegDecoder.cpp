#include "JpegDecoder.h"

#include "JpegErrors.h"

namespace Textures {

namespace {

bool IsCmyk(J_COLOR_SPACE space)
{
    return space == JCS_CMYK || space == JCS_YCCK;
}

// Returns 0 or libjpeg's error code. All locals are trivially destructible.
int ReadHeader(jpeg_decompress_struct* cinfo, JpegErrorManager* errors, Bytes jpeg)
{
    if (setjmp(errors->jump))
        return errors->pub.msg_code;
    jpeg_mem_src(cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(cinfo, TRUE);
    return 0;
}

// Decompresses into rows[0..height), top row first as libjpeg delivers them.
// Returns 0 or libjpeg's error code.
int DecompressRows(jpeg_decompress_struct* cinfo, JpegErrorManager* errors, Bytes jpeg, bool headerRead,
                   JSAMPROW* rows)
{
    if (setjmp(errors->jump))
        return errors->pub.msg_code;
    if (!headerRead) {
        jpeg_mem_src(cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
        jpeg_read_header(cinfo, TRUE);
    }
    cinfo->out_color_space = IsCmyk(cinfo->jpeg_color_space) ? JCS_CMYK : JCS_EXT_RGBA;
    cinfo->dct_method = JDCT_FLOAT;
    cinfo->do_fancy_upsampling = TRUE;
    cinfo->do_block_smoothing = TRUE;
    jpeg_start_decompress(cinfo);
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION row = cinfo->output_scanline;
        jpeg_read_scanlines(cinfo, rows + row, cinfo->output_height - row);
    }
    return 0;
}

// Adobe writes CMYK inverted (0 = full ink), which is what libjpeg hands out
// for Adobe files; others store plain ink amounts.
void ConvertCmykRowsToRgba(std::uint8_t* pixels, std::size_t count, bool inverted)
{
    for (std::size_t i = 0; i < count; ++i, pixels += 4) {
        unsigned c = pixels[0], m = pixels[1], y = pixels[2], k = pixels[3];
        if (!inverted) {
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        }
        pixels[0] = static_cast<std::uint8_t>(c * k / 255);
        pixels[1] = static_cast<std::uint8_t>(m * k / 255);
        pixels[2] = static_cast<std::uint8_t>(y * k / 255);
        pixels[3] = 255;
    }
}

struct DecompressGuard {
    jpeg_decompress_struct* cinfo;
    ~DecompressGuard() { jpeg_destroy_decompress(cinfo); }
};

}  // namespace

JpegDecodeResult DecodeJpeg(Bytes jpeg, std::uint64_t maxPixels)
{
    JpegDecodeResult result;
    jpeg_decompress_struct cinfo{};
    JpegErrorManager errors{};
    errors.attachTo(cinfo);
    jpeg_create_decompress(&cinfo);
    DecompressGuard guard{&cinfo};

    // An empty stream passes loading with a size of 0 x 0; libjpeg rejects it
    // when decompression starts.
    const bool headerRead = !jpeg.empty();
    if (headerRead && ReadHeader(&cinfo, &errors, jpeg) != 0)
        return result;

    const std::uint64_t width = cinfo.image_width, height = cinfo.image_height;
    if (width * height > maxPixels) {
        result.outcome = JpegOutcome::TooLarge;
        return result;
    }
    PixelBuffer& image = result.image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.format = kFormatRgba;
    image.pixels.resize(width * height * 4);
    // Rows are handed to libjpeg bottom-first, so it writes the picture's top
    // row at the end of the buffer and no second pass is needed.
    std::vector<JSAMPROW> rows(height);
    for (std::size_t row = 0; row < height; ++row)
        rows[row] = image.pixels.data() + (height - 1 - row) * width * 4;

    result.errorCode = DecompressRows(&cinfo, &errors, jpeg, headerRead, rows.data());
    if (result.errorCode != 0) {
        result.outcome = JpegOutcome::DecodeFailed;
        result.image = {};
        return result;
    }
    if (cinfo.out_color_space == JCS_CMYK)
        ConvertCmykRowsToRgba(image.pixels.data(), width * height, cinfo.saw_Adobe_marker);
    result.outcome = JpegOutcome::Decoded;
    return result;
}

}  // namespace Textures
