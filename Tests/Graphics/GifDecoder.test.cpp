#include "Graphics/GifDecoder.h"
#include "ImageFileWriters.h"
#include "MemoryStream.h"
#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace Corvane;
using namespace Corvane::Testing;
using namespace std::string_literals;

namespace
{
const std::vector<PackedColor> kFourColors = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

struct Decoded
{
    std::vector<PackedColor> pixels;
    int width = 0;
    int height = 0;
    bool transparent = false;
    int frames = 0;
    bool ok = false;
};

Decoded Decode(const std::string& file, bool maskMode = false)
{
    MemoryStream stream(L"test.gif");
    Fill(stream, file);
    Decoded d;
    auto pixels = DecodeGif(stream, maskMode, d.width, d.height, d.transparent, d.frames);
    d.ok = pixels != nullptr;
    if (pixels)
        d.pixels.assign(pixels.get(), pixels.get() + d.width * d.height);
    return d;
}

// A w x h image covering its screen, indices from a rule.
GifContent Plain(int w, int h, const std::vector<PackedColor>& palette, std::uint8_t (*index)(int x, int y))
{
    GifContent content;
    content.screenWidth = content.width = w;
    content.screenHeight = content.height = h;
    content.globalPalette = palette;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            content.indices.push_back(index(x, y));
    return content;
}

std::uint8_t Diagonal(int x, int y)
{
    return static_cast<std::uint8_t>((x + y) % 4);
}

std::uint8_t Noise(int x, int y)
{
    // Varied enough that the code table fills many times over.
    return static_cast<std::uint8_t>((x * 7919 + y * 104729 + (x * y) % 13) % 251);
}

std::vector<PackedColor> Expected(const GifContent& content, const std::vector<PackedColor>& palette)
{
    std::vector<PackedColor> out;
    for (std::uint8_t i : content.indices)
        out.push_back(0xFF000000u | palette[i % palette.size()]);
    return out;
}

std::vector<PackedColor> GreyRamp(int entries)
{
    std::vector<PackedColor> palette(std::size_t(entries), 0);
    for (int i = 0; i < entries; ++i)
        palette[std::size_t(i)] = PackedColor(i) * 0x010101u;
    return palette;
}
} // namespace

TEST(GifDecoder, DecodesOpaqueImagesAndReportsTheScreen)
{
    const GifContent content = Plain(5, 3, kFourColors, Diagonal);
    const Decoded d = Decode(EncodeGif(content));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, 5);
    EXPECT_EQ(d.height, 3);
    EXPECT_EQ(d.frames, 1);
    EXPECT_FALSE(d.transparent);
    EXPECT_EQ(d.pixels, Expected(content, kFourColors));
}

TEST(GifDecoder, TransparentIndexKeepsItsColourWithAlphaZero)
{
    std::vector<PackedColor> palette = GreyRamp(8);
    palette[5] = 0x123456;
    GifContent content = Plain(4, 2, palette, [](int x, int) { return static_cast<std::uint8_t>(x + 3); });
    content.graphicControl = true;
    content.transparentIndex = 5;
    const Decoded d = Decode(EncodeGif(content));
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(d.transparent);
    EXPECT_EQ(d.pixels[2], 0x00123456u); // index 5
    EXPECT_EQ(d.pixels[1], 0xFF040404u);
    EXPECT_EQ(d.pixels[6], 0x00123456u);

    // The extension without its flag names no transparent colour.
    content.transparentIndex = -1;
    const Decoded opaque = Decode(EncodeGif(content));
    EXPECT_FALSE(opaque.transparent);
    EXPECT_EQ(opaque.pixels[2], 0xFF123456u);
}

TEST(GifDecoder, InterlacedImageMatchesItsTwin)
{
    GifContent content = Plain(7, 19, GreyRamp(256), Noise);
    const Decoded plain = Decode(EncodeGif(content));
    content.interlaced = true;
    const Decoded interlaced = Decode(EncodeGif(content));
    ASSERT_TRUE(plain.ok);
    ASSERT_TRUE(interlaced.ok);
    EXPECT_EQ(interlaced.pixels, plain.pixels);
    EXPECT_EQ(plain.pixels, Expected(content, GreyRamp(256)));
}

TEST(GifDecoder, FullCodeTableWithAndWithoutClearCodes)
{
    // 160 x 120 varied pixels fill the 4,096-entry table many times.
    GifContent content = Plain(160, 120, GreyRamp(256), Noise);
    const Decoded cleared = Decode(EncodeGif(content));
    content.deferredClear = true; // the table stays full: later codes still decode
    const Decoded deferred = Decode(EncodeGif(content));
    ASSERT_TRUE(cleared.ok);
    ASSERT_TRUE(deferred.ok);
    EXPECT_EQ(cleared.pixels, Expected(content, GreyRamp(256)));
    EXPECT_EQ(deferred.pixels, cleared.pixels);
    EXPECT_FALSE(deferred.transparent);
}

TEST(GifDecoder, PalettesAndMaskMode)
{
    // Without a global table the palette is a grey ramp.
    GifContent content = Plain(4, 1, {}, [](int x, int) { return static_cast<std::uint8_t>(x * 60); });
    Decoded d = Decode(EncodeGif(content));
    EXPECT_EQ(d.pixels, (std::vector<PackedColor>{0xFF000000, 0xFF3C3C3C, 0xFF787878, 0xFFB4B4B4}));

    // A local table wins over the global one.
    content = Plain(4, 1, kFourColors, Diagonal);
    content.localPalette = {0x111111, 0x222222, 0x333333, 0x444444};
    d = Decode(EncodeGif(content));
    EXPECT_EQ(d.pixels, (std::vector<PackedColor>{0xFF111111, 0xFF222222, 0xFF333333, 0xFF444444}));

    // Indices beyond the table wrap into it.
    content = Plain(2, 1, {0x000000, 0xFF0000}, [](int x, int) { return static_cast<std::uint8_t>(x + 2); });
    content.minimumCodeSize = 2;
    d = Decode(EncodeGif(content));
    EXPECT_EQ(d.pixels, (std::vector<PackedColor>{0xFF000000, 0xFFFF0000}));

    // Mask mode: each pixel the average of its colour's channels, as an opaque grey.
    content = Plain(3, 1, {0x000000, 0xFF0000, 0x30C060, 0xFFFFFF}, [](int x, int) { return std::uint8_t(x + 1); });
    d = Decode(EncodeGif(content), true);
    EXPECT_EQ(d.pixels, (std::vector<PackedColor>{0xFF555555, 0xFF707070, 0xFFFFFFFF}));
}

TEST(GifDecoder, ImageIsPlacedOnItsScreenAndClipped)
{
    // 2 x 2 at (1, 1) on a 4 x 3 screen: the rest is transparent.
    GifContent content = Plain(2, 2, kFourColors, [](int, int) { return std::uint8_t(1); });
    content.screenWidth = 4;
    content.screenHeight = 3;
    content.left = 1;
    content.top = 1;
    Decoded d = Decode(EncodeGif(content));
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(d.transparent);
    const PackedColor r = 0xFFFF0000;
    EXPECT_EQ(d.pixels, (std::vector<PackedColor>{0, 0, 0, 0, 0, r, r, 0, 0, r, r, 0}));

    // 6 x 4 on a 3 x 2 screen at (1, 0): only what lies on the screen.
    content = Plain(6, 4, kFourColors, Diagonal);
    content.screenWidth = 3;
    content.screenHeight = 2;
    content.left = 1;
    d = Decode(EncodeGif(content));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, 3);
    EXPECT_TRUE(d.transparent);
    EXPECT_EQ(d.pixels, (std::vector<PackedColor>{0, 0xFF000000, 0xFFFF0000, 0, 0xFFFF0000, 0xFF00FF00}));

    // An image entirely off its screen leaves the screen transparent.
    content.left = 40;
    d = Decode(EncodeGif(content));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.pixels, std::vector<PackedColor>(6, 0));

    // A screen of 0 x 0 takes the image's extent.
    content = Plain(2, 1, kFourColors, Diagonal);
    content.screenWidth = content.screenHeight = 0;
    content.top = 1;
    d = Decode(EncodeGif(content));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, 2);
    EXPECT_EQ(d.height, 2);
    EXPECT_EQ(d.pixels, (std::vector<PackedColor>{0, 0, 0xFF000000, 0xFFFF0000}));
}

TEST(GifDecoder, DamagedDataStopsAndLeavesTheRestTransparent)
{
    const int clear = 4, end = 5;
    GifContent content = Plain(3, 2, kFourColors, Diagonal);
    content.hasLzwData = true;

    // A code above the next free code (6 is next; 7 names nothing): decoding stops there.
    content.lzwData = PackGifCodes({{clear, 3}, {1, 3}, {7, 3}, {3, 3}, {end, 3}});
    Decoded d = Decode(EncodeGif(content));
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(d.transparent);
    EXPECT_EQ(d.pixels, (std::vector<PackedColor>{0xFFFF0000, 0, 0, 0, 0, 0}));

    // The next free code itself is the previous string plus its first index (code 8 makes the
    // codes 4 bits wide).
    content.lzwData = PackGifCodes({{clear, 3}, {1, 3}, {6, 3}, {2, 3}, {end, 4}});
    d = Decode(EncodeGif(content));
    EXPECT_EQ(d.pixels, (std::vector<PackedColor>{0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0, 0}));

    // Right after a clear code only single indices exist.
    content.lzwData = PackGifCodes({{clear, 3}, {6, 3}, {end, 3}});
    d = Decode(EncodeGif(content));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.pixels, std::vector<PackedColor>(6, 0));

    // Data that ends early: the pixels it reached, then transparency.
    const std::string full = EncodeGifLzw(std::vector<std::uint8_t>(600, 2), 2);
    content = Plain(30, 20, kFourColors, [](int, int) { return std::uint8_t(2); });
    content.hasLzwData = true;
    content.lzwData = full.substr(0, full.size() / 2);
    d = Decode(EncodeGif(content));
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(d.transparent);
    const auto reached = std::count(d.pixels.begin(), d.pixels.end(), 0xFF00FF00u);
    EXPECT_GT(reached, 30);
    EXPECT_LT(reached, 600);
    EXPECT_EQ(std::count(d.pixels.begin(), d.pixels.end(), 0u), 600 - reached);
    EXPECT_EQ(d.pixels[std::size_t(reached) - 1], 0xFF00FF00u); // reached in order
}

TEST(GifDecoder, FilesThatGiveNoImage)
{
    const std::string good = EncodeGif(Plain(3, 2, kFourColors, Diagonal));
    EXPECT_TRUE(Decode(good).ok);

    EXPECT_FALSE(Decode("GIF88a" + good.substr(6)).ok);
    EXPECT_FALSE(Decode("").ok);
    EXPECT_FALSE(Decode(good.substr(0, 12)).ok);

    // The trailer before any image.
    const std::size_t descriptor = 13 + 12;
    ASSERT_EQ(good[descriptor], '\x2C');
    Decoded d = Decode(good.substr(0, descriptor) + "\x3B" + good.substr(descriptor));
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(d.frames, 0);

    // Stray bytes and foreign extensions before the image are passed over.
    d = Decode(good.substr(0, descriptor) +
               "\x07\x21\xFE\x03"
               "abc\x00\x21\xFF\x01x\x02yz\x00"s +
               good.substr(descriptor));
    EXPECT_TRUE(d.ok);

    // Minimum code sizes that cannot be decoded.
    for (int size : {0, 12, 255})
    {
        GifContent content = Plain(3, 2, kFourColors, Diagonal);
        content.hasLzwData = true;
        content.lzwData = "\x55\x55";
        content.minimumCodeSize = size;
        d = Decode(EncodeGif(content));
        EXPECT_FALSE(d.ok) << size;
        EXPECT_EQ(d.frames, 0);
    }

    // A screen too large to be a picture.
    GifContent huge = Plain(3, 2, kFourColors, Diagonal);
    huge.screenWidth = huge.screenHeight = 65535;
    EXPECT_FALSE(Decode(EncodeGif(huge)).ok);
}

TEST(GifDecoder, LzwReportsBitsAndRowsReached)
{
    GifFrame frame;
    frame.width = 3;
    frame.height = 5;
    frame.stride = 4;
    frame.interlaced = true;
    frame.indices.reset(new std::uint8_t[20]);
    // 1, 1 1, 2, 2, 2 and the end code; entry 8 widens the codes to 4 bits: 24 bits in all.
    const std::string data = PackGifCodes({{4, 3}, {1, 3}, {6, 3}, {2, 3}, {2, 4}, {2, 4}, {5, 4}});
    const unsigned bits = DecodeGifLzw(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), frame, 2);
    EXPECT_EQ(bits, 24u);
    EXPECT_EQ(frame.decodedPixels, 6u);
    // Interlaced rows arrive as 0, 4, 2, 1, 3: the first two got the six pixels.
    EXPECT_EQ(frame.GetFilledPixelsPerRow(), (std::vector<int>{3, 0, 0, 0, 3}));
    EXPECT_EQ(frame.indices[16], 2);

    EXPECT_EQ(DecodeGifLzw(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), frame, 12), 0u);
    EXPECT_EQ(frame.decodedPixels, 0u);
}
