#include "Glyph.h"

#include <QImage>
#include <array>

namespace {

// '.' yellow, 'D' dark green, 'G' bright green; top row first.
constexpr std::array<const char*, 16> kArrowMap{
    "................", "........D.......", "........DD......", "........DGD.....",
    "........DGGD....", ".DDDDDDDDGGGD...", ".DGGGGGGGGGGGD..", ".DGGGGGGGGGGGGD.",
    ".DGGGGGGGGGGGGD.", ".DGGGGGGGGGGGD..", ".DDDDDDDDGGGD...", "........DGGD....",
    "........DGD.....", "........DD......", "........D.......", "................",
};

QRgb ColourOf(char code)
{
    switch (code) {
    case 'D':
        return qRgb(0, 128, 0);
    case 'G':
        return qRgb(0, 255, 0);
    default:
        return qRgb(255, 255, 0);
    }
}

}  // namespace

QPixmap BuildGoGlyph()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, ColourOf(kArrowMap[y][x]));
    const QRgb transparent = image.pixel(0, 15);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (image.pixel(x, y) == transparent)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return QPixmap::fromImage(image);
}
