#pragma once

// The unit Textures: BMP, JPEG and TGA images from files or from resources of
// the running executable, turned into OpenGL textures.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace Textures {

using TextureName = std::uint32_t;  // a GLuint

// Reader signature shared by every reader and by ReadTextureFile: on success
// the new texture's name goes to Texture; on failure Texture keeps its value.
using TextureReader = bool (*)(const std::string& FileName, TextureName& Texture, bool FromResource);

bool ReadTextureFile(const std::string& FileName, TextureName& Texture, bool FromResource);
bool ReadBmpTexture(const std::string& FileName, TextureName& Texture, bool FromResource);
bool ReadJpegTexture(const std::string& FileName, TextureName& Texture, bool FromResource);
bool ReadTgaTexture(const std::string& FileName, TextureName& Texture, bool FromResource);

// Needs a current OpenGL context. Leaves the new texture bound.
TextureName UploadTexture(std::uint16_t Width, std::uint16_t Height, std::uint16_t Format, const void* Pixels);

// Exchanges the first and third byte of Count consecutive 3-byte groups.
void SwapRedBlue(std::uint8_t* Pixels, std::int32_t Count);

// Copies one pixel of run-length data, blue-green-red(-alpha) to red-green-blue(-alpha).
void CopyRlePixel(const std::uint8_t* Source, std::uint8_t* Destination, int BytesPerPixel);

// Decoding failures that the JPEG reader lets through to its caller.
class JpegError : public std::runtime_error {
public:
    explicit JpegError(int code);
    int code() const { return code_; }

private:
    int code_;
};

// File failures that the TGA reader lets through to its caller.
class InputOutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace Textures
