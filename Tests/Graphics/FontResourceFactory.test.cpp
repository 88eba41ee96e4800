#include "Graphics/FontResourceFactory.h"
#include "Graphics/Image.h"
#include "Graphics/ImageFont.h"
#include "ImageFileWriters.h"
#include "ImageResources.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// A 24 x 8 strip: "A" 10 wide in red, "B" 6 wide in green, "C" 8 wide in blue.
std::string StripPng()
{
    std::vector<PackedColor> pixels(24 * 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 24; ++x)
            pixels[y * 24 + x] = x < 10 ? 0xFFFF0000 : x < 16 ? 0xFF00FF00 : 0xFF0000FF;
    return EncodePng(24, 8, pixels);
}
} // namespace

TEST(FontResourceFactory, BuildsFontsFromTheirTwoFiles)
{
    ImageResources resources;
    resources.Folder().Write("Fonts/small.png", StripPng());
    resources.Folder().Write("Fonts/small.txt", "0 8 1 2 4 3\nA 0 10\nB 10 6\nC 16 8\n0 0 -2\n0 0 0\n0 0 0\n");
    resources.Folder().Write("Fonts/nometrics.png", StripPng());
    resources.Folder().Write("Fonts/noimage.txt", "0 8 1 1 4 0\n");
    resources.Folder().Write("Fonts/damaged.png", StripPng());
    resources.Folder().Write("Fonts/damaged.txt", "0 2147483647 1 1 4 1\nA 0 10\n");
    DebugCapture capture;
    std::string error;
    try
    {
        resources.Load(R"(<font name="Small" src="Fonts/small"/>
                          <font name="NoMetrics" src="Fonts/nometrics"/>
                          <font name="NoImage" src="Fonts/noimage"/>
                          <font name="Damaged" src="Fonts/damaged"/>)");
    }
    catch (const std::exception& e)
    {
        error = e.what();
    }

    const auto font = ResourceManager::Get<Font>("Small");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->GetLineHeight(), 8);
    EXPECT_EQ(Font::MeasureString(*font, L"AC B"), 11 - 2 + 9 + 5 + 7);
    // The strip was repacked; each glyph shows its own colour where the font now says it is.
    GlyphInfo glyph;
    font->GetGlyph(L'C', &glyph);
    ASSERT_TRUE(glyph.image);
    EXPECT_EQ(glyph.image->GetWidth(), 64);
    EXPECT_EQ(glyph.rect, (Rect<int>{20, 0, 8, 8}));
    EXPECT_EQ(glyph.image->GetPixel(glyph.rect.x + 7, 7), 0xFF0000FFu);
    EXPECT_NE(capture.Text().find("Font: Fonts/small was 24x8 now 64x64\n"), std::string::npos);

    // Either file missing: no resource.
    EXPECT_FALSE(ResourceManager::Get<Font>("NoMetrics"));
    EXPECT_NE(capture.Text().find("Fonts/nometrics.txt was not found"), std::string::npos);
    EXPECT_FALSE(ResourceManager::Get<Font>("NoImage"));
    // A damaged metrics file: no font, and the load fails naming the file and line.
    EXPECT_FALSE(ResourceManager::Get<Font>("Damaged"));
    EXPECT_NE(error.find("Fonts/damaged.txt(1): the cell height 2147483647 is out of range"), std::string::npos)
        << error;
}

TEST(FontResourceFactory, DependsOnTheMetricsThenTheImageAndItsMask)
{
    FontResourceFactory factory;
    const std::vector<ResourceDependency> files = DependenciesOf(factory, R"(<font name="F" src="Fonts/menu"/>)");
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].location, L"Fonts/menu");
    EXPECT_EQ(files[0].candidates, (std::vector<std::wstring>{L".txt"}));
    EXPECT_EQ(files[1].candidates, (std::vector<std::wstring>{L".jpg", L".gif", L".png"}));
    EXPECT_EQ(files[2].location, L"Fonts/menu_mask");
}
