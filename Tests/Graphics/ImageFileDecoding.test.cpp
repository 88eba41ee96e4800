#include "Graphics/ImageFileDecoding.h"
#include "ImageFileWriters.h"
#include "MemoryStream.h"
#include "Support/DebugCapture.h"
#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
std::unique_ptr<MemoryStream> Stream(const std::string& bytes)
{
    auto stream = std::make_unique<MemoryStream>(L"file");
    Fill(*stream, bytes);
    return stream;
}

// 2 x 2 GIF: index 0 red, 1 green, 2 blue, 3 grey; optionally index 2 transparent.
std::string SmallGif(int transparentIndex = -1)
{
    GifContent content;
    content.screenWidth = content.width = 2;
    content.screenHeight = content.height = 2;
    content.globalPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    content.indices = {0, 1, 2, 3};
    content.graphicControl = transparentIndex >= 0;
    content.transparentIndex = transparentIndex;
    return EncodeGif(content);
}

// A grey GIF mask of the given levels (one row).
std::string GreyGifMask(const std::vector<std::uint8_t>& levels, int width, int height)
{
    GifContent content;
    content.screenWidth = content.width = width;
    content.screenHeight = content.height = height;
    for (int i = 0; i < 256; ++i)
        content.globalPalette.push_back(PackedColor(i) * 0x010101u);
    content.indices = levels;
    return EncodeGif(content);
}

DecodedImage Decode(const std::string& bytes, const std::wstring& ext, const std::string* mask = nullptr,
                    const std::wstring& maskExt = L"")
{
    auto image = Stream(bytes);
    auto maskStream = mask ? Stream(*mask) : nullptr;
    return Internal::DecodeImageFile(L"Art/thing", *image, ext, maskStream.get(), maskExt);
}
} // namespace

TEST(ImageFileDecoding, AlphaKindFollowsTheFormat)
{
    DebugCapture capture;
    DecodedImage gif = Decode(SmallGif(), L".gif");
    ASSERT_TRUE(gif);
    EXPECT_FALSE(gif.hasAlpha); // no transparent colour: no alpha
    EXPECT_FALSE(gif.binaryAlpha);

    gif = Decode(SmallGif(2), L".GIF"); // extensions in any case
    ASSERT_TRUE(gif);
    EXPECT_TRUE(gif.hasAlpha);
    EXPECT_TRUE(gif.binaryAlpha);
    EXPECT_EQ(gif.pixels[2], 0x000000FFu);

    const DecodedImage png = Decode(EncodePng(1, 1, {0x80FFFFFF}), L".Png");
    ASSERT_TRUE(png);
    EXPECT_TRUE(png.hasAlpha);
    EXPECT_FALSE(png.binaryAlpha);

    const DecodedImage jpg = Decode(LoadImageFixture("solid-8x8.jpg"), L".jpg");
    ASSERT_TRUE(jpg);
    EXPECT_FALSE(jpg.hasAlpha);
    EXPECT_EQ(capture.Text(), "");
}

TEST(ImageFileDecoding, FilesThatCannotBeDecoded)
{
    DebugCapture capture;
    EXPECT_FALSE(Decode("GIF88a" + SmallGif().substr(6), L".gif"));
    EXPECT_EQ(capture.Text(), "Image Art/thing could not be loaded.\n");
    capture.Clear();
    EXPECT_FALSE(Decode(SmallGif(), L".bmp"));
    EXPECT_EQ(capture.Text(), "Image Art/thing could not be loaded.\n");
    // The file's kind must match its extension.
    capture.Clear();
    EXPECT_FALSE(Decode(SmallGif(), L".png"));
    EXPECT_EQ(capture.Text(), "PNGLoader: Failed to load file: file\r\nImage Art/thing could not be loaded.\n");
}

TEST(ImageFileDecoding, MaskGivesAlphaFromItsBlueOrGrey)
{
    DebugCapture capture;
    // A JPEG picture with a grey JPEG mask of its size: alpha from the mask's blue channel.
    const std::string mask = LoadImageFixture("grey-mask-8x8.jpg");
    DecodedImage image = Decode(LoadImageFixture("solid-8x8.jpg"), L".jpg", &mask, L".jpg");
    ASSERT_TRUE(image);
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_FALSE(image.binaryAlpha);
    for (int i = 0; i < 64; ++i)
        EXPECT_NEAR(int(image.pixels[i] >> 24), 0x80, 3);

    // A PNG mask gives its blue channel, not its own alpha.
    const std::string pngMask = EncodePng(2, 2, {0x00000010, 0xFF0000FF, 0xFFFFFF00, 0x12345678});
    image = Decode(SmallGif(2), L".gif", &pngMask, L".png");
    ASSERT_TRUE(image);
    EXPECT_FALSE(image.binaryAlpha);
    EXPECT_EQ(image.pixels[0], 0x10FF0000u);
    EXPECT_EQ(image.pixels[1], 0xFF00FF00u);
    EXPECT_EQ(image.pixels[2], 0x000000FFu);
    EXPECT_EQ(image.pixels[3], 0x78808080u);

    // A GIF mask gives each pixel's grey level from its palette.
    const std::string gifMask = GreyGifMask({0, 64, 128, 255}, 2, 2);
    image = Decode(EncodePng(2, 2, std::vector<PackedColor>(4, 0x00ABCDEF)), L".png", &gifMask, L".gif");
    ASSERT_TRUE(image);
    EXPECT_EQ(std::vector<PackedColor>(image.pixels.get(), image.pixels.get() + 4),
              (std::vector<PackedColor>{0x00ABCDEF, 0x40ABCDEF, 0x80ABCDEF, 0xFFABCDEF}));
    EXPECT_EQ(capture.Text(), "");
}

TEST(ImageFileDecoding, MasksThatDoNotFitAreLeftOut)
{
    DebugCapture capture;
    const std::string wrongSize = LoadImageFixture("grey-mask-16x8.jpg");
    DecodedImage image = Decode(LoadImageFixture("solid-8x8.jpg"), L".jpg", &wrongSize, L".jpg");
    ASSERT_TRUE(image);
    EXPECT_FALSE(image.hasAlpha);
    EXPECT_EQ(image.pixels[5] >> 24, 0xFFu);
    EXPECT_EQ(capture.Text(), "Image Art/thing had an alpha mask that was the wrong size.\n");

    // A broken mask never fails the load: the picture keeps its own alpha kind.
    capture.Clear();
    const std::string broken = "GIF89a";
    image = Decode(SmallGif(2), L".gif", &broken, L".gif");
    ASSERT_TRUE(image);
    EXPECT_TRUE(image.binaryAlpha);
    EXPECT_EQ(image.pixels[2], 0x000000FFu);
    EXPECT_EQ(capture.Text(), "Image Mask Art/thing could not be loaded.\n");
}
