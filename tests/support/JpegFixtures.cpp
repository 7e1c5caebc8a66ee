#include "JpegFixtures.h"

#include <cstdlib>

namespace {

struct Settings {
    J_COLOR_SPACE space;
    int components;
    int quality;
    bool fullChroma;  // 1 x 1 sampling for every component
    bool floatDct;
};

// Fixtures are valid, so libjpeg's own error exit is fine here.
std::vector<std::uint8_t> Encode(const std::uint8_t* pixels, int width, int height, std::size_t stride,
                                 const Settings& settings)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = settings.components;
    cinfo.in_color_space = settings.space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, settings.quality, TRUE);
    if (settings.floatDct)
        cinfo.dct_method = JDCT_FLOAT;
    if (settings.fullChroma)
        for (int i = 0; i < cinfo.num_components; ++i)
            cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}

}  // namespace

std::vector<std::uint8_t> MakeJpeg(const std::vector<std::uint8_t>& pixels, int width, int height,
                                   J_COLOR_SPACE space, int components, int quality)
{
    return Encode(pixels.data(), width, height, std::size_t(width * components),
                  {space, components, quality, true, false});
}

std::vector<std::uint8_t> ReferenceSnapshotJpeg(const std::uint8_t* rgb, int width, int height, std::size_t stride)
{
    return Encode(rgb, width, height, stride, {JCS_RGB, 3, 90, false, true});
}
