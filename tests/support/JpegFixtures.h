#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

// A JPEG of the given pixels (top row first, rows packed), written by libjpeg
// without chroma subsampling so that colours survive exactly.
std::vector<std::uint8_t> MakeJpeg(const std::vector<std::uint8_t>& pixels, int width, int height,
                                   J_COLOR_SPACE space, int components, int quality = 100);

// What the snapshot must write, encoded by plain libjpeg: its defaults at
// quality 90 with baseline tables and the floating-point DCT.
std::vector<std::uint8_t> ReferenceSnapshotJpeg(const std::uint8_t* rgb, int width, int height, std::size_t stride);
