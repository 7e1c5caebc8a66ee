#include "BmpDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = Textures::DecodeBmp({data, size});
    if (result.failure == Textures::BmpFailure::None) {
        // Everything the upload reads must be there.
        const auto& image = result.image;
        if (image.pixels.size() != Textures::AlignedRowBytes(std::size_t(image.width), 3) * std::size_t(image.height))
            __builtin_trap();
    }
    return 0;
}
