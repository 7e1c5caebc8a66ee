#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace Textures {

using Bytes = std::span<const std::uint8_t>;

// OpenGL's values, spelled out so that decoders need no GL header.
inline constexpr unsigned kFormatRgb = 0x1907;   // GL_RGB
inline constexpr unsigned kFormatRgba = 0x1908;  // GL_RGBA

// Allocates without filling with zeros: every decoder writes each byte it
// hands out, so zeroing first would only cost a pass over the image.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitializedAllocator<U>;
    };
    template <class U, class... Args>
    void construct(U* place, Args&&... args)
    {
        if constexpr (sizeof...(Args) == 0)
            ::new (static_cast<void*>(place)) U;
        else
            ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

using PixelBytes = std::vector<std::uint8_t, UninitializedAllocator<std::uint8_t>>;

// What a reader hands to UploadTexture: bottom row first, rows starting on
// 4-byte boundaries (OpenGL's default unpack alignment).
struct PixelBuffer {
    int width = 0;
    int height = 0;
    unsigned format = kFormatRgb;
    PixelBytes pixels;
};

// Bytes of one row as OpenGL reads it with the default unpack alignment of 4.
constexpr std::size_t AlignedRowBytes(std::size_t width, std::size_t bytesPerPixel)
{
    return (width * bytesPerPixel + 3) & ~std::size_t{3};
}

}  // namespace Textures
