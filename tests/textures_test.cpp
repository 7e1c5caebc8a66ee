// The texture library: decoders on in-memory fixtures, the readers with their
// messages, dispatch, and the upload on a real GL context.

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "BmpDecoder.h"
#include "JpegDecoder.h"
#include "TexturePlatform.h"
#include "Textures.h"
#include "TgaDecoder.h"
#include "support/GlContext.h"
#include "support/JpegFixtures.h"

using namespace Textures;
using Blob = std::vector<std::uint8_t>;

namespace {

void Put16(Blob& b, std::size_t at, unsigned v)
{
    b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8);
}
void Put32(Blob& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = std::uint8_t(v >> (8 * i));
}

// A BMP with the given header fields followed by the given bytes after the headers.
Blob Bmp(std::int32_t width, std::int32_t height, std::uint32_t sizeImage, std::uint32_t clrUsed, const Blob& rest,
         std::uint16_t bitCount = 24)
{
    Blob b(54, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, std::uint32_t(width));
    Put32(b, 22, std::uint32_t(height));
    Put16(b, 26, 1);
    Put16(b, 28, bitCount);
    Put32(b, 34, sizeImage);
    Put32(b, 46, clrUsed);
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

Blob Tga(std::uint8_t type, std::uint16_t width, std::uint16_t height, std::uint8_t depth, const Blob& data,
         std::uint8_t colourMap = 0, std::uint8_t idLength = 0)
{
    Blob b(18, 0);
    b[0] = idLength, b[1] = colourMap, b[2] = type;
    Put16(b, 12, width);
    Put16(b, 14, height);
    b[16] = depth;
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

Blob Sequence(std::size_t count, std::uint8_t first = 1)
{
    Blob b(count);
    for (std::size_t i = 0; i < count; ++i)
        b[i] = std::uint8_t(first + i);
    return b;
}

Blob AsBlob(const PixelBuffer& image)
{
    return {image.pixels.begin(), image.pixels.end()};
}

struct Message {
    std::string text, caption;
    bool operator==(const Message&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Message& m)
{
    return out << '"' << m.text << "\" / \"" << m.caption << '"';
}

}  // namespace

// ---------------------------------------------------------------- conversions

TEST(PixelConversions, SwapRedBlueExchangesFirstAndThirdBytesOfEachGroup)
{
    Blob bytes = Sequence(6);
    SwapRedBlue(bytes.data(), 2);
    EXPECT_EQ(bytes, (Blob{3, 2, 1, 6, 5, 4}));
    for (std::int32_t count : {0, -1}) {
        Blob unchanged = Sequence(6);
        SwapRedBlue(unchanged.data(), count);
        EXPECT_EQ(unchanged, Sequence(6));
    }
}

TEST(PixelConversions, CopyRlePixelTouchesExactlyBytesPerPixel)
{
    const Blob source{1, 2, 3, 4};
    Blob rgb(4, 0xEE), rgba(4, 0xEE);
    CopyRlePixel(source.data(), rgb.data(), 3);
    CopyRlePixel(source.data(), rgba.data(), 4);
    EXPECT_EQ(rgb, (Blob{3, 2, 1, 0xEE}));
    EXPECT_EQ(rgba, (Blob{3, 2, 1, 4}));
}

TEST(ResourceNames, AreTheNameBeforeTheFirstDot)
{
    const std::pair<const char*, const char*> cases[] = {
        {"brick.bmp", "brick"}, {"wall.old.tga", "wall"}, {"a.bmp.jpg", "a"}, {"..\\tex.bmp", ""}, {"noext", "noext"}};
    for (const auto& [file, resource] : cases)
        EXPECT_EQ(ResourceNameOf(file), resource) << file;
}

// ---------------------------------------------------------------- BMP decoder

TEST(BmpDecoder, Reads24BitBottomUpRowsAndSwapsRedAndBlue)
{
    const Blob pixels = Sequence(24);
    Blob expected = pixels;
    SwapRedBlue(expected.data(), 8);
    for (std::uint32_t sizeImage : {24u, 0u}) {
        const auto result = DecodeBmp(Bmp(4, 2, sizeImage, 0, pixels));
        ASSERT_EQ(result.failure, BmpFailure::None) << sizeImage;
        EXPECT_EQ(result.image.width, 4);
        EXPECT_EQ(result.image.height, 2);
        EXPECT_EQ(result.image.format, kFormatRgb);
        EXPECT_EQ(AsBlob(result.image), expected);
    }
}

TEST(BmpDecoder, SkipsBiClrUsedBytesWhateverBfOffBitsSays)
{
    Blob rest{0xAA, 0xBB};
    const Blob pixels = Sequence(24);
    rest.insert(rest.end(), pixels.begin(), pixels.end());
    const auto result = DecodeBmp(Bmp(4, 2, 24, 2, rest));
    ASSERT_EQ(result.failure, BmpFailure::None);
    EXPECT_EQ(result.image.pixels[0], 3);  // first pixel 1, 2, 3 swapped
}

TEST(BmpDecoder, RowsWithFillerAreSwappedRowByRowAndSizedWithTheStride)
{
    // 1 x 2: each 3-byte row carries one filler byte.
    const Blob pixels{10, 20, 30, 0, 40, 50, 60, 0};
    const auto result = DecodeBmp(Bmp(1, 2, 0, 0, pixels));
    ASSERT_EQ(result.failure, BmpFailure::None);
    EXPECT_EQ(AsBlob(result.image), (Blob{30, 20, 10, 0, 60, 50, 40, 0}));
}

TEST(BmpDecoder, TopDownBitmapComesOutBottomRowFirst)
{
    const Blob topRowFirst{1, 2, 3, 0, 4, 5, 6, 0};
    const auto result = DecodeBmp(Bmp(1, -2, 0, 0, topRowFirst));
    ASSERT_EQ(result.failure, BmpFailure::None);
    EXPECT_EQ(result.image.height, 2);
    EXPECT_EQ(AsBlob(result.image), (Blob{6, 5, 4, 0, 3, 2, 1, 0}));
}

TEST(BmpDecoder, RefusesWhatItCannotReadSafely)
{
    const struct {
        const char* name;
        Blob file;
        BmpFailure failure;
    } cases[] = {
        {"header cut short", Blob(40, 0), BmpFailure::ShortHeader},
        {"palette beyond the end", Bmp(4, 2, 24, 3, {}), BmpFailure::ShortPalette},
        {"pixel data cut short", Bmp(4, 2, 24, 0, Sequence(23)), BmpFailure::ShortPixelData},
        {"zero width", Bmp(0, 2, 24, 0, Sequence(24)), BmpFailure::BadSize},
        {"negative width", Bmp(-4, 2, 24, 0, Sequence(24)), BmpFailure::BadSize},
        {"zero height", Bmp(4, 0, 24, 0, Sequence(24)), BmpFailure::BadSize},
        {"width beyond 16 bits", Bmp(70000, 1, 0, 0, Sequence(24)), BmpFailure::BadSize},
        {"height beyond 16 bits", Bmp(1, -70000, 4, 0, Sequence(24)), BmpFailure::BadSize},
        {"huge biSizeImage", Bmp(4, 2, 0xFFFFFFFF, 0, Sequence(24)), BmpFailure::ShortPixelData},
        {"8-bit pixels", Bmp(4, 2, 0, 0, Sequence(8), 8), BmpFailure::NotRgb24},
        {"biSizeImage below the rows", Bmp(4, 2, 12, 0, Sequence(24)), BmpFailure::NotRgb24},
        {"product overflowing 32 bits", Bmp(65535, 65535, 0, 0, Sequence(24)), BmpFailure::ShortPixelData},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeBmp(c.file).failure, c.failure) << c.name;
}

// ---------------------------------------------------------------- TGA decoder

TEST(TgaDecoder, DecodesTheSpecifiedImages)
{
    const struct {
        const char* name;
        Blob file;
        unsigned format;
        Blob pixels;
    } cases[] = {
        {"type 2, 24-bit 2 x 1", Tga(2, 2, 1, 24, Sequence(6)), kFormatRgb, {3, 2, 1, 6, 5, 4, 0, 0}},
        {"type 2, 32-bit 1 x 1", Tga(2, 1, 1, 32, {1, 2, 3, 4}), kFormatRgba, {3, 2, 1, 4}},
        {"run packet of four", Tga(10, 4, 1, 24, {0x83, 10, 20, 30}), kFormatRgb, {30, 20, 10, 30, 20, 10, 30, 20, 10, 30, 20, 10}},
        {"raw then run", Tga(10, 3, 1, 24, {0x00, 1, 2, 3, 0x81, 4, 5, 6}), kFormatRgb, {3, 2, 1, 6, 5, 4, 6, 5, 4, 0, 0, 0}},
        {"32-bit alpha kept", Tga(10, 2, 1, 32, {0x81, 1, 2, 3, 0x7F}), kFormatRgba, {3, 2, 1, 0x7F, 3, 2, 1, 0x7F}},
        {"footer ignored", Tga(2, 1, 1, 32, {1, 2, 3, 4, 'T', 'R', 'U', 'E'}), kFormatRgba, {3, 2, 1, 4}},
        {"ID bytes taken as pixels", Tga(2, 1, 1, 32, {9, 9, 9, 9, 9}, 0, 5), kFormatRgba, {9, 9, 9, 9}},
        {"run across a row end, padded rows", Tga(10, 1, 2, 24, {0x81, 7, 8, 9}), kFormatRgb, {9, 8, 7, 0, 9, 8, 7, 0}},
        {"run past the last pixel is cut", Tga(10, 2, 1, 24, {0xFF, 1, 2, 3}), kFormatRgb, {3, 2, 1, 3, 2, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        const auto result = DecodeTga(c.file);
        ASSERT_EQ(result.failure, TgaFailure::None) << c.name;
        EXPECT_EQ(result.image.format, c.format) << c.name;
        EXPECT_EQ(AsBlob(result.image), c.pixels) << c.name;
    }
}

TEST(TgaDecoder, RefusesInHeaderTestOrderAndShortData)
{
    const struct {
        const char* name;
        Blob file;
        TgaFailure failure;
    } cases[] = {
        {"10 bytes", Blob(10, 0), TgaFailure::ShortHeader},
        {"type 1 with a colour map", Tga(1, 1, 1, 24, {}, 1), TgaFailure::NotTrueColour},
        {"type 3", Tga(3, 1, 1, 8, {1}), TgaFailure::NotTrueColour},
        {"type 2 with a colour map", Tga(2, 1, 1, 24, {1, 2, 3}, 1), TgaFailure::ColourMapped},
        {"depth 16", Tga(2, 1, 1, 16, {1, 2}), TgaFailure::BadDepth},
        {"pixels cut short", Tga(2, 2, 2, 24, Sequence(11)), TgaFailure::ShortData},
        {"raw packet beyond the data", Tga(10, 4, 1, 24, {0x03, 1, 2, 3}), TgaFailure::ShortData},
        {"packets end early", Tga(10, 4, 1, 24, {0x81, 1, 2, 3}), TgaFailure::ShortData},
        {"huge size, little data", Tga(10, 65535, 65535, 32, {0xFF, 1, 2, 3, 4}), TgaFailure::ShortData},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeTga(c.file).failure, c.failure) << c.name;
}

// ---------------------------------------------------------------- JPEG decoder

namespace {
// 2 x 2: red, green on top; blue, white below.
const Blob kQuadrants{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};

void ExpectNear(const std::uint8_t* rgba, std::array<int, 4> expected, const char* where)
{
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(rgba[i], expected[i], 6) << where << " channel " << i;
}
}  // namespace

TEST(JpegDecoder, GivesBottomUpRgbaWithFullAlpha)
{
    const auto result = DecodeJpeg(MakeJpeg(kQuadrants, 2, 2, JCS_RGB, 3));
    ASSERT_EQ(result.outcome, JpegOutcome::Decoded);
    const auto& image = result.image;
    ASSERT_EQ(image.pixels.size(), 2u * 2 * 4);
    EXPECT_EQ(image.format, kFormatRgba);
    ExpectNear(&image.pixels[0], {0, 0, 255, 255}, "bottom-left");
    ExpectNear(&image.pixels[4], {255, 255, 255, 255}, "bottom-right");
    ExpectNear(&image.pixels[8], {255, 0, 0, 255}, "top-left");
    ExpectNear(&image.pixels[12], {0, 255, 0, 255}, "top-right");
}

TEST(JpegDecoder, GreyscaleAndCmykComeOutAsRgb)
{
    const auto grey = DecodeJpeg(MakeJpeg({0x80}, 1, 1, JCS_GRAYSCALE, 1));
    ASSERT_EQ(grey.outcome, JpegOutcome::Decoded);
    ExpectNear(grey.image.pixels.data(), {0x80, 0x80, 0x80, 255}, "grey");
    // libjpeg writes CMYK with an Adobe marker, inverted: red is C=0 M=Y=255 K=0 -> 255, 0, 0, 255.
    const auto cmyk = DecodeJpeg(MakeJpeg({255, 0, 0, 255}, 1, 1, JCS_CMYK, 4));
    ASSERT_EQ(cmyk.outcome, JpegOutcome::Decoded);
    ExpectNear(cmyk.image.pixels.data(), {255, 0, 0, 255}, "cmyk red");
}

TEST(JpegDecoder, TruncatedStreamDecodesAsFarAsItGoes)
{
    Blob big(64 * 64 * 3);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = std::uint8_t(i * 31);
    Blob jpeg = MakeJpeg(big, 64, 64, JCS_RGB, 3, 90);
    jpeg.resize(jpeg.size() * 2 / 3);
    const auto result = DecodeJpeg(jpeg);
    EXPECT_EQ(result.outcome, JpegOutcome::Decoded);
    EXPECT_EQ(result.image.width, 64);
}

TEST(JpegDecoder, FailuresAreToldApart)
{
    EXPECT_EQ(DecodeJpeg(Blob{}).outcome, JpegOutcome::DecodeFailed);
    EXPECT_EQ(DecodeJpeg(Blob{}).errorCode, 42);
    EXPECT_EQ(DecodeJpeg(Blob{'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'}).outcome, JpegOutcome::HeaderRejected);
    Blob corrupt = MakeJpeg(kQuadrants, 2, 2, JCS_RGB, 3);
    // Damage the frame header's component count after SOI.
    for (std::size_t i = 2; i + 9 < corrupt.size(); ++i)
        if (corrupt[i] == 0xFF && corrupt[i + 1] == 0xC0) {
            corrupt[i + 9] = 0;
            break;
        }
    EXPECT_NE(DecodeJpeg(corrupt).outcome, JpegOutcome::Decoded);
    EXPECT_EQ(DecodeJpeg(MakeJpeg(kQuadrants, 2, 2, JCS_RGB, 3), 3).outcome, JpegOutcome::TooLarge);
}

// ---------------------------------------------------------------- readers

class Readers : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeTestGlContextCurrent();
        previousBox_ = SetMessageBoxHandler([this](const std::string& t, const std::string& c) {
            messages.push_back({t, c});
        });
        previousFinder_ = SetResourceFinder([this](std::string_view type, std::string_view name) {
            LoadedBytes found;
            const auto it = resources.find(std::string(type) + "/" + std::string(name));
            if (it != resources.end()) {
                found.status = it->second.empty() ? LookupStatus::Unreadable : LookupStatus::Found;
                found.bytes = it->second;
            }
            return found;
        });
        previousDir_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() / ("kelvora-readers-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
    }

    void TearDown() override
    {
        std::filesystem::current_path(previousDir_);
        std::filesystem::remove_all(dir_);
        SetMessageBoxHandler(previousBox_);
        SetResourceFinder(previousFinder_);
    }

    static void Write(const std::string& name, const Blob& bytes)
    {
        std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    // Runs a reader and checks that a failure left Texture alone.
    bool Read(TextureReader reader, const std::string& name, bool fromResource)
    {
        texture = kUntouched;
        const bool ok = reader(name, texture, fromResource);
        if (!ok) {
            EXPECT_EQ(texture, kUntouched) << name;
        }
        return ok;
    }

    Message only() const
    {
        EXPECT_EQ(messages.size(), 1u);
        return messages.empty() ? Message{} : messages.back();
    }

    static constexpr TextureName kUntouched = 0xDEAD;
    TextureName texture = kUntouched;
    std::vector<Message> messages;
    std::map<std::string, Blob> resources;

private:
    MessageBoxHandler previousBox_;
    ResourceFinder previousFinder_;
    std::filesystem::path previousDir_, dir_;
};

TEST_F(Readers, UploadSetsTheTextureStateAndKeepsItBound)
{
    const Blob rgba = Sequence(2 * 2 * 4);
    const TextureName first = UploadTexture(2, 2, GL_RGBA, rgba.data());
    GLint bound = 0, mode = 0, minFilter = 0, magFilter = 0, alphaBits = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    EXPECT_EQ(GLuint(bound), first);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_GT(alphaBits, 0);
    Blob readBack(rgba.size());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, readBack.data());
    EXPECT_EQ(readBack, rgba);

    // RGB, or any other format value: three components, no alpha.
    const Blob rgb{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    for (std::uint16_t format : {std::uint16_t(GL_RGB), std::uint16_t(GL_LUMINANCE)}) {
        const TextureName name = UploadTexture(2, 2, format, rgb.data());
        EXPECT_NE(name, first);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
        EXPECT_EQ(alphaBits, 0) << format;
        Blob rgbBack(12);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgbBack.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        EXPECT_EQ(rgbBack, (Blob{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})) << format;
    }
    EXPECT_TRUE(glIsTexture(first));  // the first is never deleted
}

TEST_F(Readers, JpegFromFileAndResourceBecomesATexture)
{
    const Blob jpeg = MakeJpeg(kQuadrants, 2, 2, JCS_RGB, 3);
    Write("1.jpg", jpeg);
    EXPECT_TRUE(Read(ReadJpegTexture, "1.JPG", false));  // the name's case differs from the file's
    EXPECT_NE(texture, kUntouched);
    Blob pixels(16);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    ExpectNear(&pixels[0], {0, 0, 255, 255}, "texture bottom-left");

    resources["JPEG/page"] = jpeg;
    EXPECT_TRUE(Read(ReadJpegTexture, "page.whatever.jpg", true));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Readers, JpegMessages)
{
    Write("bad.jpg", {'n', 'o', 'p', 'e'});
    std::filesystem::create_directory("folder.jpg");
    resources["JPEG/bad"] = {'n', 'o', 'p', 'e'};
    resources["JPEG/locked"] = {};
    const struct {
        const char* name;
        bool fromResource;
        Message message;
    } cases[] = {
        {"missing.jpg", false, {"Couldn't load JPG - \"missing.jpg\"", "BMP Unit"}},
        {"bad.jpg", false, {"Couldn't load JPG - \"bad.jpg\"", "BMP Unit"}},
        {"folder.jpg", false, {"Couldn't load JPG - \"folder.jpg\"", "BMP Unit"}},
        {"missing.jpg", true, {"File not found in resource - missing.jpg", "JPG Texture"}},
        {"bad.jpg", true, {"Couldn't load JPG Resource - \"bad.jpg\"", "BMP Unit"}},
        {"locked.jpg", true, {"Couldn't load JPG Resource - \"locked.jpg\"", "BMP Unit"}},
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(Read(ReadJpegTexture, c.name, c.fromResource)) << c.name;
        EXPECT_EQ(only(), c.message);
    }
}

TEST_F(Readers, JpegDecodeErrorsReachTheCaller)
{
    Write("empty.jpg", {});
    texture = kUntouched;
    try {
        ReadTextureFile("empty.jpg", texture, false);
        FAIL() << "no exception";
    } catch (const JpegError& error) {
        EXPECT_STREQ(error.what(), "JPEG error #42");
    }
    EXPECT_EQ(texture, kUntouched);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Readers, BmpMessages)
{
    Write("short-palette.bmp", Bmp(4, 2, 24, 3, {}));
    Write("short-pixels.bmp", Bmp(4, 2, 24, 0, Sequence(10)));
    Write("short-header.bmp", Blob(20, 0));
    Write("wide.bmp", Bmp(-1, 1, 0, 0, Sequence(4)));
    resources["BMP/short"] = Bmp(4, 2, 24, 0, Sequence(10));
    const struct {
        const char* name;
        bool fromResource;
        Message message;
    } cases[] = {
        {"missing.bmp", false, {"Error opening missing.bmp", "BMP Unit"}},
        {"short-palette.bmp", false, {"Error reading palette", "BMP Unit"}},
        {"short-pixels.bmp", false, {"Error reading bitmap data", "BMP Unit"}},
        {"short-header.bmp", false, {"Error reading bitmap header", "BMP Unit"}},
        {"wide.bmp", false, {"Unsupported bitmap size - wide.bmp", "BMP Unit"}},
        {"missing.bmp", true, {"File not found in resource - missing.bmp", "BMP Texture"}},
        {"short.bmp", true, {"Unable to read from resource - short.bmp", "BMP Unit"}},
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(Read(ReadBmpTexture, c.name, c.fromResource)) << c.name;
        EXPECT_EQ(only(), c.message);
    }
    Write("good.bmp", Bmp(4, 2, 24, 0, Sequence(24)));
    EXPECT_TRUE(Read(ReadBmpTexture, "good.bmp", false));
}

TEST_F(Readers, TgaMessagesAndExceptions)
{
    Write("type1.tga", Tga(1, 1, 1, 24, {}, 1));
    Write("mapped.tga", Tga(2, 1, 1, 24, {1, 2, 3}, 1));
    Write("depth16.tga", Tga(2, 1, 1, 16, {1, 2}));
    Write("short.tga", Tga(2, 2, 2, 24, Sequence(5)));
    resources["TGA/grey"] = Tga(3, 1, 1, 8, {1});
    resources["TGA/short"] = Tga(10, 4, 1, 24, {0x03});
    const std::string q = "\"";
    const struct {
        const char* name;
        bool fromResource;
        Message message;
    } cases[] = {
        {"missing.tga", false, {"File not found  - missing.tga", "TGA Texture"}},
        {"type1.tga", false, {"Couldn't load " + q + "type1.tga" + q + ". Only 24 and 32bit TGA supported.", "TGA File Error"}},
        {"mapped.tga", false, {"Couldn't load " + q + "mapped.tga" + q + ". Colormapped TGA files not supported.", "TGA File Error"}},
        {"depth16.tga", false, {"Couldn't load " + q + "depth16.tga" + q + ". Only 24 and 32 bit TGA files supported.", "TGA File Error"}},
        {"short.tga", false, {"Couldn't read file " + q + "short.tga" + q + ".", "TGA File Error"}},
        {"missing.tga", true, {"File not found in resource - missing.tga", "TGA Texture"}},
        {"grey.tga", true, {"Couldn't load " + q + "grey.tga" + q + ". Only 24 and 32bit TGA supported.", "TGA File Error"}},
        {"short.tga", true, {"Unable to read from resource - short.tga", "BMP Unit"}},
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(Read(ReadTgaTexture, c.name, c.fromResource)) << c.name;
        EXPECT_EQ(only(), c.message);
    }

    messages.clear();
    Write("ten.tga", Blob(10, 0));
    EXPECT_THROW(Read(ReadTgaTexture, "ten.tga", false), InputOutputError);
    EXPECT_TRUE(messages.empty());

    Write("readonly.tga", Tga(2, 1, 1, 32, {1, 2, 3, 4}));
    chmod("readonly.tga", 0444);
    EXPECT_TRUE(Read(ReadTgaTexture, "readonly.tga", false));
}

TEST_F(Readers, DispatchByTheLastFourCharactersInTableOrder)
{
    const struct {
        const char* name;
        std::string message;  // empty: no reader reached
    } cases[] = {
        {"1.JPG", "Couldn't load JPG - \"1.JPG\""},
        {"1.jpg", "Couldn't load JPG - \"1.jpg\""},
        {"PHOTO.Jpg", "Couldn't load JPG - \"PHOTO.Jpg\""},
        {"a.bmp.jpg", "Couldn't load JPG - \"a.bmp.jpg\""},
        {"x.Bmp", "Error opening x.Bmp"},
        {"y.tGa", "File not found  - y.tGa"},
        {"photo.jpeg", ""},
        {"photo.png", ""},
        {"bmp", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(Read(ReadTextureFile, c.name, false)) << c.name;
        if (c.message.empty())
            EXPECT_TRUE(messages.empty()) << c.name;
        else
            EXPECT_EQ(only().text, c.message) << c.name;
    }
    Write("ok.jpg", MakeJpeg(kQuadrants, 2, 2, JCS_RGB, 3));
    EXPECT_TRUE(Read(ReadTextureFile, "ok.jpg", false));
}
