#pragma once

#include <cstdint>
#include <vector>

using Blob = std::vector<std::uint8_t>;

constexpr int kShotWidth = 982;
constexpr int kShotHeight = 462;

// RGB rows, top first: a screenshot-like page (flat background, panels,
// coloured blocks and lines of dark "text").
Blob ScreenshotLikeRgb(int width = kShotWidth, int height = kShotHeight);

Blob AsBmp(const Blob& rgb, int width, int height);            // 24-bit, bottom-up, padded rows
Blob AsTga24(const Blob& rgb, int width, int height);          // type 2, bottom-left origin
Blob AsTga32Rle(const Blob& rgb, int width, int height);       // type 10, alpha 255
