#include <array>
#include <string_view>

#include "BmpDecoder.h"
#include "JpegDecoder.h"
#include "TexturePlatform.h"
#include "TgaDecoder.h"
#include "Textures.h"

namespace Textures {

namespace {

const std::string kBmpUnit = "BMP Unit";
const std::string kTgaFileError = "TGA File Error";

std::string Quoted(const std::string& text)
{
    return '"' + text + '"';
}

bool Refuse(const std::string& text, const std::string& caption)
{
    ShowMessageBox(text, caption);
    return false;
}

bool Upload(const PixelBuffer& image, TextureName& Texture)
{
    Texture = UploadTexture(static_cast<std::uint16_t>(image.width), static_cast<std::uint16_t>(image.height),
                            static_cast<std::uint16_t>(image.format), image.pixels.data());
    return true;
}

LoadedBytes Load(const std::string& FileName, bool FromResource, std::string_view resourceType)
{
    return FromResource ? LoadResource(resourceType, ResourceNameOf(FileName)) : LoadFile(FileName);
}

std::string ResourceNotFound(const std::string& FileName)
{
    return "File not found in resource - " + FileName;
}

std::string ResourceUnreadable(const std::string& FileName)
{
    return "Unable to read from resource - " + FileName;
}

std::string BmpFailureText(BmpFailure failure, const std::string& FileName, bool FromResource)
{
    switch (failure) {
    case BmpFailure::BadSize:
        return "Unsupported bitmap size - " + FileName;
    case BmpFailure::NotRgb24:
        return "Only uncompressed 24-bit bitmaps supported - " + FileName;
    default:
        break;
    }
    if (FromResource)
        return ResourceUnreadable(FileName);
    switch (failure) {
    case BmpFailure::ShortHeader:
        return "Error reading bitmap header";
    case BmpFailure::ShortPalette:
        return "Error reading palette";
    default:
        return "Error reading bitmap data";
    }
}

std::string TgaHeaderText(TgaFailure failure, const std::string& FileName)
{
    const std::string subject = "Couldn't load " + Quoted(FileName) + ". ";
    switch (failure) {
    case TgaFailure::NotTrueColour:
        return subject + "Only 24 and 32bit TGA supported.";
    case TgaFailure::ColourMapped:
        return subject + "Colormapped TGA files not supported.";
    default:
        return subject + "Only 24 and 32 bit TGA files supported.";
    }
}

}  // namespace

JpegError::JpegError(int code) : std::runtime_error("JPEG error #" + std::to_string(code)), code_(code) {}

bool ReadBmpTexture(const std::string& FileName, TextureName& Texture, bool FromResource)
{
    const LoadedBytes source = Load(FileName, FromResource, "BMP");
    if (source.status != LookupStatus::Found) {
        if (!FromResource)
            return Refuse("Error opening " + FileName, kBmpUnit);
        if (source.status == LookupStatus::Missing)
            return Refuse(ResourceNotFound(FileName), "BMP Texture");
        return Refuse(ResourceUnreadable(FileName), kBmpUnit);
    }
    const BmpDecodeResult decoded = DecodeBmp(source.bytes);
    if (decoded.failure != BmpFailure::None)
        return Refuse(BmpFailureText(decoded.failure, FileName, FromResource), kBmpUnit);
    return Upload(decoded.image, Texture);
}

bool ReadJpegTexture(const std::string& FileName, TextureName& Texture, bool FromResource)
{
    const std::string cannotLoad =
        (FromResource ? "Couldn't load JPG Resource - " : "Couldn't load JPG - ") + Quoted(FileName);
    JpegDecodeResult decoded;
    {
        const LoadedBytes source = Load(FileName, FromResource, "JPEG");
        if (FromResource && source.status == LookupStatus::Missing)
            return Refuse(ResourceNotFound(FileName), "JPG Texture");
        if (source.status != LookupStatus::Found)
            return Refuse(cannotLoad, kBmpUnit);
        decoded = DecodeJpeg(source.bytes);
    }
    switch (decoded.outcome) {
    case JpegOutcome::Decoded:
        return Upload(decoded.image, Texture);
    case JpegOutcome::DecodeFailed:
        throw JpegError(decoded.errorCode);
    default:
        return Refuse(cannotLoad, kBmpUnit);
    }
}

bool ReadTgaTexture(const std::string& FileName, TextureName& Texture, bool FromResource)
{
    // Opened for reading only: the file is never written, and read-only files must load.
    const LoadedBytes source = Load(FileName, FromResource, "TGA");
    if (source.status == LookupStatus::Missing)
        return FromResource ? Refuse(ResourceNotFound(FileName), "TGA Texture")
                            : Refuse("File not found  - " + FileName, "TGA Texture");
    if (source.status != LookupStatus::Found) {
        if (FromResource)
            return Refuse(ResourceUnreadable(FileName), kBmpUnit);
        throw InputOutputError("Cannot read file " + Quoted(FileName) + ". " + source.error);
    }
    const TgaDecodeResult decoded = DecodeTga(source.bytes);
    switch (decoded.failure) {
    case TgaFailure::None:
        return Upload(decoded.image, Texture);
    case TgaFailure::ShortHeader:
        if (FromResource)
            return Refuse(ResourceUnreadable(FileName), kBmpUnit);
        throw InputOutputError("Read beyond end of file");
    case TgaFailure::ShortData:
        return FromResource ? Refuse(ResourceUnreadable(FileName), kBmpUnit)
                            : Refuse("Couldn't read file " + Quoted(FileName) + ".", kTgaFileError);
    default:
        return Refuse(TgaHeaderText(decoded.failure, FileName), kTgaFileError);
    }
}

bool ReadTextureFile(const std::string& FileName, TextureName& Texture, bool FromResource)
{
    struct Route {
        std::string_view extension;
        TextureReader reader;
    };
    static constexpr std::array<Route, 3> kRoutes{{
        {".BMP", ReadBmpTexture},
        {".JPG", ReadJpegTexture},
        {".TGA", ReadTgaTexture},
    }};
    if (FileName.size() < 4)
        return false;
    std::string extension = FileName.substr(FileName.size() - 4);
    for (char& c : extension)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    for (const Route& route : kRoutes)
        if (route.extension == extension)
            return route.reader(FileName, Texture, FromResource);
    return false;
}

}  // namespace Textures
