#include <utility>

#include "Textures.h"

namespace Textures {

void SwapRedBlue(std::uint8_t* Pixels, std::int32_t Count)
{
    for (std::int32_t i = 0; i < Count; ++i, Pixels += 3)
        std::swap(Pixels[0], Pixels[2]);
}

void CopyRlePixel(const std::uint8_t* Source, std::uint8_t* Destination, int BytesPerPixel)
{
    Destination[0] = Source[2];
    Destination[1] = Source[1];
    Destination[2] = Source[0];
    if (BytesPerPixel == 4)
        Destination[3] = Source[3];
}

}  // namespace Textures
