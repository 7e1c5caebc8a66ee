#pragma once

#include <cstdint>
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

// A JPEG of the given pixels (top row first), written by libjpeg.
std::vector<std::uint8_t> MakeJpeg(const std::vector<std::uint8_t>& pixels, int width, int height,
                                   J_COLOR_SPACE space, int components, int quality = 100);
