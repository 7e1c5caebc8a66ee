#include "TgaDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = Textures::DecodeTga({data, size});
    if (result.failure == Textures::TgaFailure::None) {
        const auto& image = result.image;
        const std::size_t bytesPerPixel = image.format == Textures::kFormatRgba ? 4 : 3;
        if (image.pixels.size() !=
            Textures::AlignedRowBytes(std::size_t(image.width), bytesPerPixel) * std::size_t(image.height))
            __builtin_trap();
    }
    return 0;
}
