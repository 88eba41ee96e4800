// Decoding an 800 x 600, 256-colour GIF with the engine's decoder against giflib (the peer), both
// from bytes already in memory and both ending in packed 0xAARRGGBB pixels, as the engine needs:
//   build-rel/Benchmarks/gif_decoder_benchmark --benchmark_min_time=2
// giflib also encodes the file, so the engine reads a file it did not write. A third case shows
// giflib's decode alone, without the conversion to pixels.
#include "Graphics/GifDecoder.h"
#include "MemoryStream.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A dithered picture: smooth gradients, a few flat shapes and noise, like the game's art.
std::vector<GifPixelType> Picture()
{
    std::mt19937 random(7);
    std::vector<GifPixelType> indices(std::size_t(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
        {
            int value = (x / 4 + y / 3) % 200 + static_cast<int>(random() % 3);
            if ((x - 400) * (x - 400) + (y - 300) * (y - 300) < 120 * 120)
                value = 230;
            else if (x > 600 && y < 150)
                value = 240 + (x / 40) % 8;
            indices[std::size_t(y) * kWidth + x] = static_cast<GifPixelType>(value);
        }
    return indices;
}

int WriteToString(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), std::size_t(length));
    return length;
}

const std::string& EncodedFile()
{
    static const std::string file = [] {
        std::string out;
        int error = 0;
        GifFileType* gif = EGifOpen(&out, WriteToString, &error);
        GifColorType colors[256];
        for (int i = 0; i < 256; ++i)
            colors[i] = {GifByteType(i), GifByteType(255 - i), GifByteType((i * 7) & 0xFF)};
        ColorMapObject* map = GifMakeMapObject(256, colors);
        std::vector<GifPixelType> picture = Picture();
        if (!gif || EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map) == GIF_ERROR ||
            EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, nullptr) == GIF_ERROR)
            std::abort();
        for (int y = 0; y < kHeight; ++y)
            if (EGifPutLine(gif, picture.data() + std::size_t(y) * kWidth, kWidth) == GIF_ERROR)
                std::abort();
        GifFreeMapObject(map);
        EGifCloseFile(gif, &error);
        return out;
    }();
    return file;
}

struct MemoryReader
{
    const std::string* bytes;
    std::size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length)
{
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t n = std::min(std::size_t(length), reader->bytes->size() - reader->position);
    std::memcpy(out, reader->bytes->data() + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

// giflib's decode of the first image; with pixels, also the conversion the engine does.
std::vector<std::uint32_t> GiflibDecode(const std::string& file, bool toPixels)
{
    MemoryReader reader{&file, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (!gif || DGifSlurp(gif) == GIF_ERROR || gif->ImageCount < 1)
        std::abort();
    std::vector<std::uint32_t> pixels;
    if (toPixels)
    {
        const ColorMapObject* map = gif->SColorMap;
        std::uint32_t lookup[256] = {};
        for (int i = 0; i < map->ColorCount; ++i)
            lookup[i] = 0xFF000000u | std::uint32_t(map->Colors[i].Red) << 16 |
                        std::uint32_t(map->Colors[i].Green) << 8 | map->Colors[i].Blue;
        const SavedImage& image = gif->SavedImages[0];
        pixels.resize(std::size_t(gif->SWidth) * gif->SHeight);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = lookup[image.RasterBits[i]];
    }
    DGifCloseFile(gif, &error);
    return pixels;
}

std::vector<std::uint32_t> EngineDecode(Corvane::MemoryStream& stream)
{
    stream.Seek(Corvane::IStream::kFromStart, 0);
    int width = 0, height = 0, frames = 0;
    bool transparent = false;
    auto pixels = Corvane::DecodeGif(stream, false, width, height, transparent, frames);
    if (!pixels || width != kWidth || height != kHeight)
        std::abort();
    return {pixels.get(), pixels.get() + std::size_t(width) * height};
}

Corvane::MemoryStream& EngineStream()
{
    static Corvane::MemoryStream stream = [] {
        Corvane::MemoryStream s(L"picture.gif");
        s.Write(EncodedFile().data(), static_cast<unsigned>(EncodedFile().size()));
        // Both decoders must see the same picture, or the race means nothing.
        if (EngineDecode(s) != GiflibDecode(EncodedFile(), true))
            std::abort();
        return s;
    }();
    return stream;
}

void BM_EngineDecodeGif(benchmark::State& state)
{
    Corvane::MemoryStream& stream = EngineStream();
    for (auto _ : state)
    {
        stream.Seek(Corvane::IStream::kFromStart, 0);
        int width = 0, height = 0, frames = 0;
        bool transparent = false;
        auto pixels = Corvane::DecodeGif(stream, false, width, height, transparent, frames);
        benchmark::DoNotOptimize(pixels.get());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(EncodedFile().size()));
    state.counters["file_bytes"] = static_cast<double>(EncodedFile().size());
}
BENCHMARK(BM_EngineDecodeGif)->Unit(benchmark::kMillisecond);

void BM_GiflibDecodeGif(benchmark::State& state)
{
    EngineStream();
    for (auto _ : state)
        benchmark::DoNotOptimize(GiflibDecode(EncodedFile(), true));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(EncodedFile().size()));
}
BENCHMARK(BM_GiflibDecodeGif)->Unit(benchmark::kMillisecond);

void BM_GiflibDecodeGifIndicesOnly(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GiflibDecode(EncodedFile(), false));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(EncodedFile().size()));
}
BENCHMARK(BM_GiflibDecodeGifIndicesOnly)->Unit(benchmark::kMillisecond);
} // namespace
