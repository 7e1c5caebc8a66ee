#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace Textures {

using Bytes = std::span<const std::uint8_t>;

// OpenGL's values, spelled out so that decoders need no GL header.
inline constexpr unsigned kFormatRgb = 0x1907;   // GL_RGB
inline constexpr unsigned kFormatRgba = 0x1908;  // GL_RGBA

// What a reader hands to UploadTexture: bottom row first, rows starting on
// 4-byte boundaries (OpenGL's default unpack alignment).
struct PixelBuffer {
    int width = 0;
    int height = 0;
    unsigned format = kFormatRgb;
    std::vector<std::uint8_t> pixels;
};

// Bytes of one row as OpenGL reads it with the default unpack alignment of 4.
constexpr std::size_t AlignedRowBytes(std::size_t width, std::size_t bytesPerPixel)
{
    return (width * bytesPerPixel + 3) & ~std::size_t{3};
}

}  // namespace Textures
