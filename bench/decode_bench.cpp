// Decoding and encoding at the snapshot's size, side by side with the bare
// libraries on the same bytes and with memcpy as the physical limit.

#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

// clang-format off
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
// clang-format on

#include "BenchImages.h"
#include "BmpDecoder.h"
#include "JpegDecoder.h"
#include "JpegWriter.h"
#include "support/JpegFixtures.h"
#include "TgaDecoder.h"

namespace {

const Blob& Screenshot()
{
    static const Blob rgb = ScreenshotLikeRgb();
    return rgb;
}

const Blob& ScreenshotJpeg()
{
    static const Blob jpeg = [] {
        Blob out;
        EncodeJpeg(Screenshot().data(), kShotWidth, kShotHeight, std::size_t(kShotWidth) * 3, out);
        return out;
    }();
    return jpeg;
}

void SetBytes(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}

// ---------------------------------------------------------------- JPEG decode

void BM_JpegDecodeToRgba(benchmark::State& state)
{
    for (auto _ : state) {
        auto result = Textures::DecodeJpeg(ScreenshotJpeg());
        benchmark::DoNotOptimize(result.image.pixels.data());
    }
    SetBytes(state, std::size_t(kShotWidth) * kShotHeight * 4);
}

// Plain libjpeg with the same settings into its own RGB scanlines.
void BM_JpegBareLibjpegRgb(benchmark::State& state)
{
    Blob rgb(std::size_t(kShotWidth) * kShotHeight * 3);
    for (auto _ : state) {
        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr errors{};
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, ScreenshotJpeg().data(), ScreenshotJpeg().size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_RGB;
        cinfo.dct_method = JDCT_FLOAT;
        cinfo.do_fancy_upsampling = TRUE;
        cinfo.do_block_smoothing = TRUE;
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = &rgb[std::size_t(cinfo.output_scanline) * kShotWidth * 3];
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(rgb.data());
    }
    SetBytes(state, std::size_t(kShotWidth) * kShotHeight * 4);
}

// ---------------------------------------------------------------- JPEG encode

void BM_JpegEncodeSnapshot(benchmark::State& state)
{
    Blob out;
    for (auto _ : state) {
        EncodeJpeg(Screenshot().data(), kShotWidth, kShotHeight, std::size_t(kShotWidth) * 3, out);
        benchmark::DoNotOptimize(out.data());
    }
    SetBytes(state, Screenshot().size());
}

// Plain libjpeg with the same settings, as the tests' reference encode.
void BM_JpegEncodeBareLibjpeg(benchmark::State& state)
{
    for (auto _ : state) {
        auto jpeg = ReferenceSnapshotJpeg(Screenshot().data(), kShotWidth, kShotHeight, std::size_t(kShotWidth) * 3);
        benchmark::DoNotOptimize(jpeg.data());
    }
    SetBytes(state, Screenshot().size());
}

// ---------------------------------------------------------------- BMP and TGA

const Blob& Bmp()
{
    static const Blob b = AsBmp(Screenshot(), kShotWidth, kShotHeight);
    return b;
}
const Blob& Tga24()
{
    static const Blob b = AsTga24(Screenshot(), kShotWidth, kShotHeight);
    return b;
}
const Blob& Tga32Rle()
{
    static const Blob b = AsTga32Rle(Screenshot(), kShotWidth, kShotHeight);
    return b;
}

template <const Blob& (*File)()>
void BM_Ours(benchmark::State& state)
{
    const Blob& file = File();
    const bool isBmp = file[0] == 'B';
    std::size_t out = 0;
    for (auto _ : state) {
        if (isBmp) {
            auto result = Textures::DecodeBmp(file);
            out = result.image.pixels.size();
            benchmark::DoNotOptimize(result.image.pixels.data());
        } else {
            auto result = Textures::DecodeTga(file);
            out = result.image.pixels.size();
            benchmark::DoNotOptimize(result.image.pixels.data());
        }
    }
    SetBytes(state, out);
}

template <const Blob& (*File)()>
void BM_StbImage(benchmark::State& state)
{
    const Blob& file = File();
    int w = 0, h = 0, n = 0;
    for (auto _ : state) {
        unsigned char* pixels = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &n, 0);
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    SetBytes(state, std::size_t(w) * std::size_t(h) * std::size_t(n));
}

template <const Blob& (*File)()>
void BM_Memcpy(benchmark::State& state)
{
    const Blob& file = File();
    Blob copy(file.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), file.data(), file.size());
        benchmark::DoNotOptimize(copy.data());
    }
    SetBytes(state, file.size());
}

}  // namespace

BENCHMARK(BM_JpegDecodeToRgba)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegBareLibjpegRgb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegEncodeSnapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegEncodeBareLibjpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Ours, Bmp)->Name("BMP24/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_StbImage, Bmp)->Name("BMP24/stb_image")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Memcpy, Bmp)->Name("BMP24/memcpy")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Ours, Tga24)->Name("TGA24/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_StbImage, Tga24)->Name("TGA24/stb_image")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Memcpy, Tga24)->Name("TGA24/memcpy")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Ours, Tga32Rle)->Name("TGA32RLE/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_StbImage, Tga32Rle)->Name("TGA32RLE/stb_image")->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Memcpy, Tga32Rle)->Name("TGA32RLE/memcpy")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
