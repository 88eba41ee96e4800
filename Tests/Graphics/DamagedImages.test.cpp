// Every file of the damaged-image corpus goes through every decoder: none may crash, read or write
// out of bounds (the sanitizers watch) or report a size it did not fill. Files the fuzzer finds
// go into the same folder and are run by the first test without further ado.
#include "Graphics/DecodedImage.h"
#include "Graphics/GifDecoder.h"
#include "Graphics/ImageDecoders.h"
#include "ImageFileWriters.h"
#include "MemoryStream.h"
#include "Support/DebugCapture.h"
#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace Corvane;

namespace
{
const std::filesystem::path kCorpus = std::filesystem::path(CORVANE_TEST_DATA) / "Images" / "damaged";

std::string Load(const std::string& name)
{
    return Testing::LoadImageFixture("damaged/" + name);
}

enum class Decoder
{
    GifColor,
    GifMask,
    Jpeg,
    Png,
};

struct Outcome
{
    std::vector<PackedColor> pixels; // empty when nothing was decoded
    int width = 0;
    int height = 0;
    bool transparent = false;
};

Outcome Decode(const std::string& bytes, Decoder decoder)
{
    MemoryStream stream(L"damaged");
    Testing::Fill(stream, bytes);
    Outcome out;
    int frames = 0;
    std::unique_ptr<PackedColor[]> pixels;
    switch (decoder)
    {
    case Decoder::GifColor:
    case Decoder::GifMask:
        pixels = DecodeGif(stream, decoder == Decoder::GifMask, out.width, out.height, out.transparent, frames);
        break;
    case Decoder::Jpeg: pixels = DecodeJpeg(stream, out.width, out.height); break;
    case Decoder::Png: pixels = DecodePng(stream, out.width, out.height); break;
    }
    if (pixels)
    {
        EXPECT_GT(out.width, 0);
        EXPECT_GT(out.height, 0);
        EXPECT_LE(std::int64_t(out.width) * out.height, kMaxDecodedPixels);
        out.pixels.assign(pixels.get(), pixels.get() + std::size_t(out.width) * std::size_t(out.height));
    }
    return out;
}

Outcome DecodeFile(const std::string& name)
{
    const std::string ext = std::filesystem::path(name).extension().string();
    const Decoder decoder = ext == ".gif" ? Decoder::GifColor : ext == ".jpg" ? Decoder::Jpeg : Decoder::Png;
    return Decode(Load(name), decoder);
}

std::size_t CountAlpha(const Outcome& o, PackedColor alpha)
{
    return static_cast<std::size_t>(
        std::count_if(o.pixels.begin(), o.pixels.end(), [&](PackedColor p) { return (p >> 24) == alpha; }));
}
} // namespace

TEST(DamagedImages, EveryFileThroughEveryDecoder)
{
    Testing::DebugCapture quiet;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus))
    {
        const std::string bytes = Load(entry.path().filename().string());
        SCOPED_TRACE(entry.path().filename().string());
        for (Decoder decoder : {Decoder::GifColor, Decoder::GifMask, Decoder::Jpeg, Decoder::Png})
            Decode(bytes, decoder);
        // And every prefix of the small ones: a file can end anywhere.
        if (bytes.size() <= 128)
            for (std::size_t n = 0; n < bytes.size(); ++n)
                for (Decoder decoder : {Decoder::GifColor, Decoder::Jpeg, Decoder::Png})
                    Decode(bytes.substr(0, n), decoder);
        ++files;
    }
    EXPECT_GE(files, 40);
}

TEST(DamagedImages, GifSizesThatLie)
{
    // The image is placed on its screen and clipped; whatever it does not cover is transparent.
    Outcome o = DecodeFile("gif-frame-larger-than-screen.gif");
    EXPECT_EQ(o.width, 4);
    EXPECT_EQ(CountAlpha(o, 255), 16u);

    o = DecodeFile("gif-frame-offset-off-screen.gif");
    EXPECT_EQ(o.width, 8);
    EXPECT_EQ(CountAlpha(o, 255), 4u); // the 2 x 2 corner at (6, 6)
    EXPECT_TRUE(o.transparent);

    o = DecodeFile("gif-frame-smaller-than-screen.gif");
    EXPECT_EQ(o.width, 16);
    EXPECT_EQ(CountAlpha(o, 255) + CountAlpha(o, 0), 256u);
    EXPECT_EQ(CountAlpha(o, 255), 32u); // the white half of the 8 x 8 checker; index 0 is transparent

    // Sizes no picture has, and images with no pixels at all.
    for (const char* name : {"gif-huge-screen.gif", "gif-huge-frame.gif", "gif-zero-size-frame.gif"})
        EXPECT_TRUE(DecodeFile(name).pixels.empty()) << name;
}

TEST(DamagedImages, GifDataThatStopsOrPointsNowhere)
{
    Outcome o = DecodeFile("gif-truncated-lzw.gif");
    EXPECT_TRUE(o.transparent);
    EXPECT_GT(CountAlpha(o, 255), 0u);
    EXPECT_GT(CountAlpha(o, 0), 0u);

    o = DecodeFile("gif-interlaced-short.gif");
    EXPECT_EQ(o.height, 19);
    EXPECT_GT(CountAlpha(o, 0), 0u);

    o = DecodeFile("gif-code-above-next.gif");
    EXPECT_EQ(o.width, 8);
    EXPECT_TRUE(o.transparent);

    o = DecodeFile("gif-local-table.gif");
    EXPECT_EQ(o.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(o.pixels[2], 0xFF0000FFu);

    for (const char* name : {"gif-truncated-header.gif", "gif-truncated-palette.gif", "gif-no-image.gif",
                             "gif-code-size-0.gif", "gif-code-size-12.gif", "gif-unterminated-extension.gif"})
        EXPECT_TRUE(DecodeFile(name).pixels.empty()) << name;
    EXPECT_EQ(DecodeFile("gif-graphic-control-size-0.gif").pixels, DecodeFile("valid.gif").pixels);
}

TEST(DamagedImages, StbFilesThatLieAreRefused)
{
    Testing::DebugCapture quiet;
    EXPECT_EQ(DecodeFile("valid.png").width, 4);
    EXPECT_EQ(DecodeFile("valid.png").pixels[0], 0x80102030u);
    EXPECT_EQ(DecodeFile("valid.jpg").width, 16);
    for (const char* name : {"png-truncated.png", "png-signature-only.png", "png-huge-header.png", "png-zero-size.png",
                             "png-bad-zlib.png", "jpg-signature-only.jpg", "jpg-huge-header.jpg"})
        EXPECT_TRUE(DecodeFile(name).pixels.empty()) << name;
    // A file of the other kind is not decoded, though the library could read it.
    EXPECT_TRUE(Decode(Load("valid.png"), Decoder::Jpeg).pixels.empty());
    EXPECT_TRUE(Decode(Load("valid.jpg"), Decoder::Png).pixels.empty());
}
