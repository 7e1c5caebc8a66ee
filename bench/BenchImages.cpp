#include "BenchImages.h"

#include <cstring>

namespace {

void Put16(Blob& b, std::size_t at, unsigned v)
{
    b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8);
}

void Put32(Blob& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

Blob TgaHeader(std::uint8_t type, int width, int height, std::uint8_t depth)
{
    Blob b(18, 0);
    b[2] = type;
    Put16(b, 12, unsigned(width));
    Put16(b, 14, unsigned(height));
    b[16] = depth;
    return b;
}

const std::uint8_t* PixelAt(const Blob& rgb, int width, int x, int yFromTop)
{
    return &rgb[(std::size_t(yFromTop) * std::size_t(width) + std::size_t(x)) * 3];
}

}  // namespace

Blob ScreenshotLikeRgb(int width, int height)
{
    Blob rgb(std::size_t(width) * std::size_t(height) * 3);
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t r = 250, g = 250, b = 248;
            if (y < 40) {
                r = 40, g = 70, b = 120;  // header bar
            } else if (x < 180) {
                r = g = b = 236;  // side panel
            } else if ((y / 90) % 2 == 0 && x > 700 && x < 940) {
                r = std::uint8_t(x), g = std::uint8_t(y * 2), b = 160;  // picture block
            }
            noise = noise * 1664525u + 1013904223u;
            const bool textLine = y > 60 && (y % 18) < 11 && x > 200 && x < 680;
            if (textLine && (noise >> 28) < 5)
                r = g = b = std::uint8_t(30 + (noise >> 24) % 40);
            std::uint8_t* p = &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3];
            p[0] = r, p[1] = g, p[2] = b;
        }
    }
    return rgb;
}

Blob AsBmp(const Blob& rgb, int width, int height)
{
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t{3};
    Blob b(54 + stride * std::size_t(height), 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 2, std::uint32_t(b.size()));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, std::uint32_t(width));
    Put32(b, 22, std::uint32_t(height));
    Put16(b, 26, 1);
    Put16(b, 28, 24);
    Put32(b, 34, std::uint32_t(stride * std::size_t(height)));
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = PixelAt(rgb, width, x, height - 1 - row);
            std::uint8_t* q = &b[54 + std::size_t(row) * stride + std::size_t(x) * 3];
            q[0] = p[2], q[1] = p[1], q[2] = p[0];
        }
    return b;
}

Blob AsTga24(const Blob& rgb, int width, int height)
{
    Blob b = TgaHeader(2, width, height, 24);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = PixelAt(rgb, width, x, height - 1 - row);
            b.insert(b.end(), {p[2], p[1], p[0]});
        }
    return b;
}

Blob AsTga32Rle(const Blob& rgb, int width, int height)
{
    std::vector<std::uint32_t> pixels;  // BGRA in file order, bottom row first
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = PixelAt(rgb, width, x, height - 1 - row);
            pixels.push_back(std::uint32_t(p[2]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[0]) << 16 | 0xFF000000u);
        }
    Blob b = TgaHeader(10, width, height, 32);
    const auto put = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(std::uint8_t(v >> (8 * i)));
    };
    for (std::size_t i = 0; i < pixels.size();) {
        std::size_t run = 1;
        while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i])
            ++run;
        if (run > 1) {
            b.push_back(std::uint8_t(0x80 | (run - 1)));
            put(pixels[i]);
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < pixels.size() && raw < 128 &&
               (i + raw + 1 >= pixels.size() || pixels[i + raw] != pixels[i + raw + 1]))
            ++raw;
        b.push_back(std::uint8_t(raw - 1));
        for (std::size_t k = 0; k < raw; ++k)
            put(pixels[i + k]);
        i += raw;
    }
    return b;
}
