// imagebuild's pictures as the engine reads them: strips cut back into the frames they were made
// of, and JPEG pictures whose masks give back the drawing's transparency.
#include "Framework/ResourceManager.h"
#include "Graphics/FilmStrip.h"
#include "Graphics/Image.h"
#include "Graphics/ImageResources.h"
#include "ImageOps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

using namespace Corvane;
using namespace Corvane::ImageBuild;
using namespace Corvane::Testing;

namespace
{
Picture Filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgba.resize(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4)
    {
        picture.rgba[i] = r;
        picture.rgba[i + 1] = g;
        picture.rgba[i + 2] = b;
        picture.rgba[i + 3] = a;
    }
    return picture;
}

PackedColor Argb(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255)
{
    return PackedColor(a) << 24 | PackedColor(r) << 16 | PackedColor(g) << 8 | b;
}

int Channel(PackedColor color, int shift)
{
    return int((color >> shift) & 0xFF);
}
} // namespace

TEST(ImageBuild, StripFramesComeBackAsTheFilmStripsCells)
{
    ImageResources resources;
    const std::vector<Picture> frames = {Filled(3, 2, 200, 0, 0), Filled(3, 2, 0, 200, 0), Filled(3, 2, 0, 0, 200)};
    WritePng(JoinFrames(frames, 2), (resources.Folder().Path() / "strip.png").string());
    resources.Load(R"(<filmstrip name="Strip" src="strip" cols="2" rows="2"/>)");

    const auto strip = ResourceManager::Get<FilmStrip>("Strip");
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->GetStripImage()->GetWidth(), 6);
    EXPECT_EQ(strip->GetStripImage()->GetHeight(), 4);
    EXPECT_EQ(strip->GetWidth(0), 3);
    EXPECT_EQ(strip->GetPixel(0, 2, 1), Argb(200, 0, 0));
    EXPECT_EQ(strip->GetPixel(1, 0, 0), Argb(0, 200, 0));
    EXPECT_EQ(strip->GetPixel(2, 1, 1), Argb(0, 0, 200));
    // The grid's fourth cell has no frame: it stays clear.
    EXPECT_EQ(strip->GetAlpha(3, 0, 0), 0);

    // Without a column count the frames stand in one row.
    const Picture row = JoinFrames(frames, 0);
    EXPECT_EQ(row.width, 9);
    EXPECT_EQ(row.height, 2);
}

TEST(ImageBuild, FramesOfDifferentSizesAreRefusedNamingTheFrame)
{
    try
    {
        JoinFrames({Filled(3, 2, 0, 0, 0), Filled(3, 2, 0, 0, 0), Filled(4, 2, 0, 0, 0)}, 0);
        FAIL() << "a frame of another size was joined";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_NE(std::string(error.what()).find("frame 3 is 4x2, the first is 3x2"), std::string::npos)
            << error.what();
    }
    EXPECT_THROW(JoinFrames({}, 0), std::runtime_error);
}

TEST(ImageBuild, AJpegAndItsMaskGiveTheEngineTheDrawingsColourAndTransparency)
{
    ImageResources resources;
    // Left half opaque orange, right half a fading green edge, as a soft-edged drawing has.
    Picture drawing = Filled(16, 8, 230, 120, 40);
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x)
        {
            std::uint8_t* pixel = drawing.At(x, y);
            pixel[0] = 60, pixel[1] = 160, pixel[2] = 70, pixel[3] = std::uint8_t(255 - (x - 8) * 32);
        }
    ASSERT_TRUE(HasTransparency(drawing));
    const Picture flat = FlattenForJpeg(drawing);
    EXPECT_FALSE(HasTransparency(flat));
    WriteJpeg(flat, (resources.Folder().Path() / "soft.jpg").string(), 95);
    WriteMask(drawing, (resources.Folder().Path() / "soft_mask.png").string());
    resources.Load(R"(<image name="Soft" src="soft"/>)");

    const auto image = ResourceManager::Get<Image>("Soft");
    ASSERT_TRUE(image);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(Channel(image->GetPixel(x, y), 24), drawing.At(x, y)[3]) << x << "," << y;
    // JPEG keeps the colour closely; a see-through pixel is blended towards the drawing's own
    // colours, never towards black.
    const PackedColor opaque = image->GetPixel(2, 3);
    EXPECT_NEAR(Channel(opaque, 16), 230, 12);
    EXPECT_NEAR(Channel(opaque, 8), 120, 12);
    EXPECT_NEAR(Channel(opaque, 0), 40, 12);
    EXPECT_GT(Channel(image->GetPixel(15, 3), 8), 100);
}

TEST(ImageBuild, TheToolRefusesToStoreATransparentPictureAsJpegWithoutAMask)
{
    TempFolder folder;
    const std::string input = (folder.Path() / "edge.png").string();
    WritePng(Filled(4, 4, 10, 20, 30, 100), input);
    const std::string jpeg = (folder.Path() / "out" / "edge.jpg").string();
    const std::string log = (folder.Path() / "log.txt").string();

    const auto run = [&](const std::string& options) {
        return std::system(("'" + std::string(IMAGEBUILD_PROGRAM) + "' jpeg --output '" + jpeg + "' " + options + " '" +
                            input + "' 2> '" + log + "'")
                               .c_str());
    };
    EXPECT_NE(run(""), 0);
    EXPECT_NE(folder.Read("log.txt").find("has transparent pixels, which a JPEG cannot keep: give it a --mask"),
              std::string::npos)
        << folder.Read("log.txt");
    EXPECT_FALSE(folder.Exists("out/edge.jpg"));

    EXPECT_EQ(run("--mask '" + (folder.Path() / "out" / "edge_mask.png").string() + "'"), 0);
    EXPECT_TRUE(folder.Exists("out/edge.jpg"));
    EXPECT_EQ(ReadPicture((folder.Path() / "out" / "edge_mask.png").string()).At(1, 1)[0], 100);
}
