#pragma once

#include <cstdint>
#include <vector>

// Encodes 24-bit RGB rows (top row first, stride bytes apart) as a baseline
// JFIF: libjpeg's defaults with quality 90 and baseline tables forced, the
// floating-point forward DCT. Returns false when libjpeg fails; out is then
// left empty.
bool EncodeJpeg(const std::uint8_t* rgb, int width, int height, std::size_t stride, std::vector<std::uint8_t>& out);
