#pragma once

#include "PixelBuffer.h"

namespace Textures {

enum class BmpFailure {
    None,
    ShortHeader,      // fewer than the 14 + 40 header bytes
    ShortPalette,     // fewer than biClrUsed bytes of colour table
    ShortPixelData,   // fewer pixel bytes than biSizeImage (or the computed size) says
    BadSize,          // width not 1..65535, or height 0 or beyond +-65535
    NotRgb24,         // the pixel data cannot hold 24-bit rows of that size
};

struct BmpDecodeResult {
    BmpFailure failure = BmpFailure::None;
    PixelBuffer image;  // GL_RGB, bottom row first, rows padded to 4 bytes
};

// Reads the headers, skips biClrUsed bytes of colour table and takes the
// pixel data right after it as 24-bit blue-green-red rows. Bottom-up and
// top-down bitmaps both come out bottom row first.
BmpDecodeResult DecodeBmp(Bytes bmp);

}  // namespace Textures
