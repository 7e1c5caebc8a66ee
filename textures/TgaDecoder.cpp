#include "TgaDecoder.h"

#include <algorithm>

#include "ByteReader.h"
#include "Textures.h"

namespace Textures {

namespace {

constexpr std::size_t kLongestRun = 128;

struct Header {
    std::uint8_t colourMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t depth = 0;
};

Header ReadHeader(ByteReader& in)
{
    Header h;
    in.skip(1);  // ID length: not consulted
    h.colourMapType = in.u8();
    h.imageType = in.u8();
    in.skip(5 + 4);  // colour-map fields, origin
    h.width = in.u16();
    h.height = in.u16();
    h.depth = in.u8();
    in.skip(1);  // descriptor
    return h;
}

TgaFailure CheckHeader(const Header& h)
{
    if (h.imageType != 2 && h.imageType != 10)
        return TgaFailure::NotTrueColour;
    if (h.colourMapType != 0)
        return TgaFailure::ColourMapped;
    if (h.depth != 24 && h.depth != 32)
        return TgaFailure::BadDepth;
    return TgaFailure::None;
}

// Puts pixels one after the other into rows that may end in filler bytes.
template <int BytesPerPixel>
class RowWriter {
public:
    RowWriter(PixelBuffer& image, std::size_t rowBytes)
        : next_(image.pixels.data()), rowBytes_(rowBytes), rowLeft_(std::size_t(image.width)),
          width_(std::size_t(image.width)), left_(std::size_t(image.width) * std::size_t(image.height))
    {
    }

    std::size_t left() const { return left_; }

    // Writes count copies of one file pixel; count must not exceed left().
    void run(const std::uint8_t* source, std::size_t count)
    {
        std::uint8_t pixel[BytesPerPixel];
        CopyRlePixel(source, pixel, BytesPerPixel);
        while (count > 0) {
            const std::size_t n = std::min(count, rowLeft_);
            for (std::size_t i = 0; i < n; ++i, next_ += BytesPerPixel)
                std::copy_n(pixel, BytesPerPixel, next_);
            advance(n);
            count -= n;
        }
    }

    // Writes count consecutive file pixels; count must not exceed left().
    void raw(const std::uint8_t* source, std::size_t count)
    {
        while (count > 0) {
            const std::size_t n = std::min(count, rowLeft_);
            for (std::size_t i = 0; i < n; ++i, next_ += BytesPerPixel, source += BytesPerPixel)
                CopyRlePixel(source, next_, BytesPerPixel);
            advance(n);
            count -= n;
        }
    }

private:
    void advance(std::size_t pixels)
    {
        left_ -= pixels;
        rowLeft_ -= pixels;
        if (rowLeft_ == 0 && left_ > 0) {
            next_ += rowBytes_ - width_ * BytesPerPixel;
            rowLeft_ = width_;
        }
    }

    std::uint8_t* next_;
    std::size_t rowBytes_;
    std::size_t rowLeft_;
    std::size_t width_;
    std::size_t left_;
};

// Whole rows at a time: a copy, then the exchange in place.
template <int BytesPerPixel>
bool DecodeUncompressed(Bytes data, PixelBuffer& image, std::size_t rowBytes)
{
    const std::size_t width = std::size_t(image.width), fileRowBytes = width * BytesPerPixel;
    if (data.size() < fileRowBytes * std::size_t(image.height))
        return false;
    for (std::size_t row = 0; row < std::size_t(image.height); ++row) {
        std::uint8_t* target = image.pixels.data() + row * rowBytes;
        std::copy_n(data.data() + row * fileRowBytes, fileRowBytes, target);
        if constexpr (BytesPerPixel == 3) {
            SwapRedBlue(target, static_cast<std::int32_t>(width));
        } else {
            for (std::size_t x = 0; x < width; ++x, target += 4)
                std::swap(target[0], target[2]);
        }
    }
    return true;
}

template <int BytesPerPixel>
bool DecodeRunLength(Bytes packets, RowWriter<BytesPerPixel>& out)
{
    ByteReader in(packets);
    while (out.left() > 0) {
        const std::uint8_t h = in.u8();
        const std::size_t count = std::min<std::size_t>((h & 0x7F) + 1u, out.left());
        const bool isRun = h & 0x80;
        // A raw packet's pixels beyond the image are skipped unread.
        const Bytes pixels = in.span(std::size_t(isRun ? 1 : (h & 0x7F) + 1) * BytesPerPixel);
        if (!in.ok())
            return false;
        if (isRun)
            out.run(pixels.data(), count);
        else
            out.raw(pixels.data(), count);
    }
    return true;
}

// Filler bytes carry no pixel, but they are handed out: make them zeros.
void ClearRowFiller(PixelBuffer& image, std::size_t rowBytes, std::size_t usedBytes)
{
    if (rowBytes == usedBytes)
        return;
    for (std::size_t row = 0; row < std::size_t(image.height); ++row)
        std::fill_n(image.pixels.data() + row * rowBytes + usedBytes, rowBytes - usedBytes, std::uint8_t{0});
}

// The fewest packet bytes that can describe this many pixels: runs of 128.
std::uint64_t LeastRunLengthBytes(std::uint64_t pixels, int bytesPerPixel)
{
    return (pixels + kLongestRun - 1) / kLongestRun * (1 + std::uint64_t(bytesPerPixel));
}

template <int BytesPerPixel>
bool DecodePixels(const Header& h, Bytes data, PixelBuffer& image)
{
    const std::uint64_t pixels = std::uint64_t(h.width) * h.height;
    const std::uint64_t least = h.imageType == 2 ? pixels * BytesPerPixel : LeastRunLengthBytes(pixels, BytesPerPixel);
    if (data.size() < least)  // refuse before allocating for a size the data cannot fill
        return false;
    const std::size_t rowBytes = AlignedRowBytes(h.width, BytesPerPixel);
    image.width = h.width;
    image.height = h.height;
    image.format = BytesPerPixel == 4 ? kFormatRgba : kFormatRgb;
    image.pixels.resize(rowBytes * h.height);
    ClearRowFiller(image, rowBytes, std::size_t(h.width) * BytesPerPixel);
    if (h.imageType == 2)
        return DecodeUncompressed<BytesPerPixel>(data, image, rowBytes);
    RowWriter<BytesPerPixel> out(image, rowBytes);
    return DecodeRunLength(data, out);
}

}  // namespace

TgaDecodeResult DecodeTga(Bytes tga)
{
    TgaDecodeResult result;
    ByteReader in(tga);
    const Header h = ReadHeader(in);
    if (!in.ok()) {
        result.failure = TgaFailure::ShortHeader;
        return result;
    }
    result.failure = CheckHeader(h);
    if (result.failure != TgaFailure::None)
        return result;
    const bool decoded = h.depth == 24 ? DecodePixels<3>(h, in.rest(), result.image)
                                       : DecodePixels<4>(h, in.rest(), result.image);
    if (!decoded) {
        result.failure = TgaFailure::ShortData;
        result.image = {};
    }
    return result;
}

}  // namespace Textures
