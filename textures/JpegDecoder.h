#pragma once

#include <cstdint>
#include <limits>

#include "PixelBuffer.h"

namespace Textures {

enum class JpegOutcome {
    Decoded,         // image holds the RGBA pixel buffer
    HeaderRejected,  // the decoder refused the stream while reading its header
    DecodeFailed,    // the header was accepted, decompression failed: errorCode
    TooLarge,        // the header asks for more pixels than the caller allows
};

struct JpegDecodeResult {
    JpegOutcome outcome = JpegOutcome::HeaderRejected;
    int errorCode = 0;  // libjpeg's message code
    PixelBuffer image;
};

// Decodes a whole JPEG held in memory into an RGBA pixel buffer (bottom row
// first, alpha 255). A stream that ends early decodes as far as its data go.
// Greyscale comes out as grey RGB; CMYK and YCCK are converted to RGB.
// An empty stream has no header to reject: it fails in decompression with
// libjpeg's own error for empty input.
JpegDecodeResult DecodeJpeg(Bytes jpeg, std::uint64_t maxPixels = std::numeric_limits<std::uint64_t>::max());

}  // namespace Textures
