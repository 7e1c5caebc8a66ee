#pragma once

#include "PixelBuffer.h"

namespace Textures {

enum class TgaFailure {
    None,
    ShortHeader,    // fewer than 18 bytes
    NotTrueColour,  // image type neither 2 nor 10
    ColourMapped,   // colour-map type not 0
    BadDepth,       // pixel depth neither 24 nor 32
    ShortData,      // the pixels or packets end before the image is complete
};

struct TgaDecodeResult {
    TgaFailure failure = TgaFailure::None;
    PixelBuffer image;  // GL_RGB (rows padded to 4 bytes) or GL_RGBA, in file row order
};

// Uncompressed (type 2) and run-length-encoded (type 10) true-colour images of
// 24 or 32 bits. Pixel data starts right after the 18-byte header; the ID
// field and the origin bits are not consulted. A run that reaches past the
// last pixel is cut off there.
TgaDecodeResult DecodeTga(Bytes tga);

}  // namespace Textures
