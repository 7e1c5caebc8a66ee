#pragma once

#include <cstdint>
#include <cstring>

#include "PixelBuffer.h"

namespace Textures {

// Reads little-endian fields from a byte span. A read past the end returns 0
// and makes ok() false for good, so a short header is noticed once, at the end.
class ByteReader {
public:
    explicit ByteReader(Bytes bytes) : bytes_(bytes) {}

    std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(take(4)); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

    void skip(std::size_t count) { advance(count); }
    // The next count bytes, or an empty span (and ok() false) when fewer remain.
    Bytes span(std::size_t count)
    {
        const std::size_t start = position_;
        return advance(count) ? bytes_.subspan(start, count) : Bytes{};
    }

    bool ok() const { return ok_; }
    std::size_t remaining() const { return ok_ ? bytes_.size() - position_ : 0; }
    Bytes rest() const { return ok_ ? bytes_.subspan(position_) : Bytes{}; }

private:
    bool advance(std::size_t count)
    {
        if (!ok_ || count > bytes_.size() - position_) {
            ok_ = false;
            return false;
        }
        position_ += count;
        return true;
    }

    std::uint64_t take(std::size_t count)
    {
        const std::size_t start = position_;
        if (!advance(count))
            return 0;
        std::uint64_t value = 0;
        for (std::size_t i = count; i-- > 0;)
            value = (value << 8) | bytes_[start + i];
        return value;
    }

    Bytes bytes_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

}  // namespace Textures
