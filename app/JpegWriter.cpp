#include "JpegWriter.h"

#include <cstdlib>

#include "JpegErrors.h"

namespace {


// All locals are trivially destructible; the compressed bytes land in the
// caller's buffer and size. Returns false after a libjpeg error.
bool Compress(jpeg_compress_struct* cinfo, Textures::JpegErrorManager* errors, const std::uint8_t* rgb, int width,
              int height, std::size_t stride, unsigned char** buffer, unsigned long* size)
{
    if (setjmp(errors->jump))
        return false;
    jpeg_mem_dest(cinfo, buffer, size);
    cinfo->image_width = static_cast<JDIMENSION>(width);
    cinfo->image_height = static_cast<JDIMENSION>(height);
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, 90, TRUE);
    cinfo->dct_method = JDCT_FLOAT;
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + cinfo->next_scanline * stride);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

bool EncodeJpeg(const std::uint8_t* rgb, int width, int height, std::size_t stride, std::vector<std::uint8_t>& out)
{
    jpeg_compress_struct cinfo{};
    Textures::JpegErrorManager errors{};
    errors.attachTo(cinfo);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = Compress(&cinfo, &errors, rgb, width, height, stride, &buffer, &size);
    jpeg_destroy_compress(&cinfo);
    out.clear();
    if (ok)
        out.assign(buffer, buffer + size);
    std::free(buffer);
    return ok;
}
