#include "BmpDecoder.h"

#include <algorithm>
#include <cstdlib>

#include "ByteReader.h"
#include "Textures.h"

namespace Textures {

namespace {

constexpr std::int64_t kMaxSide = 65535;  // UploadTexture takes 16-bit sizes

struct InfoHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;
};

InfoHeader ReadInfoHeader(ByteReader& in)
{
    InfoHeader h;
    in.skip(14 + 4);  // file header (nothing in it is used), biSize
    h.width = in.i32();
    h.height = in.i32();
    in.skip(2);  // biPlanes
    h.bitCount = in.u16();
    in.skip(4);  // biCompression
    h.sizeImage = in.u32();
    in.skip(8);  // biXPelsPerMeter, biYPelsPerMeter
    h.clrUsed = in.u32();
    in.skip(4);  // biClrImportant
    return h;
}

// biSizeImage, or the size worked out from the header when it is 0. For 24-bit
// rows the filler bytes that end each row are counted.
std::uint64_t PixelDataSize(const InfoHeader& h, std::uint64_t rowBytes, std::uint64_t rows)
{
    if (h.sizeImage != 0)
        return h.sizeImage;
    if (h.bitCount == 24)
        return rowBytes * rows;
    return std::uint64_t(h.width) * rows * h.bitCount / 8;
}

}  // namespace

BmpDecodeResult DecodeBmp(Bytes bmp)
{
    BmpDecodeResult result;
    ByteReader in(bmp);
    const InfoHeader h = ReadInfoHeader(in);
    if (!in.ok()) {
        result.failure = BmpFailure::ShortHeader;
        return result;
    }
    in.skip(h.clrUsed);
    if (!in.ok()) {
        result.failure = BmpFailure::ShortPalette;
        return result;
    }
    const std::int64_t rows = std::llabs(std::int64_t{h.height});
    if (h.width <= 0 || h.width > kMaxSide || rows == 0 || rows > kMaxSide) {
        result.failure = BmpFailure::BadSize;
        return result;
    }
    const std::size_t rowBytes = AlignedRowBytes(std::size_t(h.width), 3);
    const std::uint64_t dataSize = PixelDataSize(h, rowBytes, std::uint64_t(rows));
    if (dataSize > in.remaining()) {
        result.failure = BmpFailure::ShortPixelData;
        return result;
    }
    if (dataSize < rowBytes * std::uint64_t(rows)) {
        result.failure = BmpFailure::NotRgb24;
        return result;
    }

    const Bytes data = in.span(rowBytes * std::size_t(rows));
    PixelBuffer& image = result.image;
    image.width = h.width;
    image.height = static_cast<int>(rows);
    image.format = kFormatRgb;
    image.pixels.resize(data.size());
    const bool topDown = h.height < 0;
    for (std::size_t row = 0; row < std::size_t(rows); ++row) {
        std::uint8_t* target = image.pixels.data() + row * rowBytes;
        const std::size_t sourceRow = topDown ? std::size_t(rows) - 1 - row : row;
        std::copy_n(data.data() + sourceRow * rowBytes, rowBytes, target);
        SwapRedBlue(target, h.width);
    }
    return result;
}

}  // namespace Textures
