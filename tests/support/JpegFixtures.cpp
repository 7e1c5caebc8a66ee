#include "JpegFixtures.h"

#include <cstdio>
#include <cstdlib>

std::vector<std::uint8_t> MakeJpeg(const std::vector<std::uint8_t>& pixels, int width, int height,
                                   J_COLOR_SPACE space, int components, int quality)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);  // fixtures are valid: libjpeg's own exit is fine here
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    for (int i = 0; i < cinfo.num_components; ++i)  // no chroma subsampling: exact colours
        cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + cinfo.next_scanline * std::size_t(width * components));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}
