#include "JpegDecoder.h"

// Images above 4 megapixels are skipped, as libjpeg-turbo's own fuzzers do,
// to keep memory within the fuzzer's limit.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = Textures::DecodeJpeg({data, size}, 4u << 20);
    if (result.outcome == Textures::JpegOutcome::Decoded &&
        result.image.pixels.size() != std::size_t(result.image.width) * std::size_t(result.image.height) * 4)
        __builtin_trap();
    return 0;
}
