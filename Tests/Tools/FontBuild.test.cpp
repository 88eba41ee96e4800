// fontbuild's fonts as the game gets them: made from DejaVu Sans in every metrics version, loaded
// through the font factory, measured and drawn; and the build's own default fonts.
#include "Graphics/Font.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/ImageResources.h"
#include "Graphics/TextDrawing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
int RunFontBuild(const std::filesystem::path& output, int version)
{
    const std::string command = std::string("'") + FONTBUILD_PROGRAM + "' --font '" + FONTBUILD_TRUETYPE +
                                "' --size 16 --version " + std::to_string(version) + " --output '" + output.string() +
                                "' > /dev/null";
    return std::system(command.c_str());
}

// text drawn in white on a transparent image.
std::unique_ptr<Image> Drawn(Font& font, const wchar_t* text)
{
    auto image = std::make_unique<Image>(400, 24);
    Graphics::cImageCanvas canvas(*image);
    Graphics::DrawState state;
    state.font = &font;
    EXPECT_EQ(Graphics::DrawText(text, 2, 2, state, &canvas), 0);
    return image;
}

int CountDifferent(const Image& a, const Image& b)
{
    int different = 0;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            different += a.GetPixel(x, y) != b.GetPixel(x, y);
    return different;
}

int CountDrawn(const Image& image)
{
    return CountDifferent(image, Image(image.GetWidth(), image.GetHeight()));
}
} // namespace

TEST(FontBuild, EveryVersionLoadsMeasuresAndDrawsAlike)
{
    ImageResources resources;
    for (int version = 1; version <= 3; ++version)
        ASSERT_EQ(RunFontBuild(resources.Folder().Path() / "Fonts" / ("v" + std::to_string(version)), version), 0);
    resources.Load(
        R"(<font name="V1" src="Fonts/v1"/> <font name="V2" src="Fonts/v2"/> <font name="V3" src="Fonts/v3"/>)");
    const auto v1 = ResourceManager::Get<Font>("V1");
    const auto v2 = ResourceManager::Get<Font>("V2");
    const auto v3 = ResourceManager::Get<Font>("V3");
    ASSERT_TRUE(v1 && v2 && v3);

    // One rasterisation: the same line height and glyph advances; only versions 2 and 3 kern.
    EXPECT_GE(v3->GetLineHeight(), 16);
    EXPECT_EQ(v1->GetLineHeight(), v3->GetLineHeight());
    for (wchar_t c = 33; c < 256; ++c)
    {
        EXPECT_EQ(v1->GetAdvance(c, 0), v3->GetAdvance(c, 0)) << int(c);
        EXPECT_EQ(v2->GetAdvance(c, L'x'), v3->GetAdvance(c, L'x')) << int(c);
    }
    EXPECT_GT(v3->GetAdvance(L'A', 0), 5);
    EXPECT_GT(v3->GetAdvance(L' ', 0), 2);
    EXPECT_LT(v3->GetAdvance(L'A', L'V'), v1->GetAdvance(L'A', L'V'));
    EXPECT_EQ(Font::MeasureString(*v1, L"\u00C4\u00D6\u00DC \u00E9"),
              Font::MeasureString(*v3, L"\u00C4\u00D6\u00DC \u00E9"));

    // Repacked by the loader (2) or packed by the tool (3), the glyphs draw the same picture.
    const wchar_t* text = L"Fennik's kitchen: AVA W\u00E4ve 0123 \u00C9t\u00E9";
    const std::unique_ptr<Image> picture = Drawn(*v3, text);
    EXPECT_GT(CountDrawn(*picture), 200);
    EXPECT_EQ(CountDifferent(*Drawn(*v2, text), *picture), 0);
    EXPECT_GT(CountDifferent(*Drawn(*v1, text), *picture), 0); // unkerned

    // Lines break within the width.
    const Vector2<int> block = Font::MeasureTextBlock(*v3, L"Chop the onions, then stir the pot until golden.", 120);
    EXPECT_LE(block.x, 120);
    EXPECT_GE(block.y, 3 * v3->GetLineHeight());
}

TEST(FontBuild, TheBuildsDefaultFontsLoad)
{
    ImageResources resources;
    std::filesystem::copy(std::filesystem::path(CORVANE_DATA_OUTPUT) / "Fonts", resources.Folder().Path() / "Fonts");
    resources.Load(R"(<font name="Small" src="Fonts/DejaVuSans-12"/> <font name="Large" src="Fonts/DejaVuSans-16"/>)");
    const auto small = ResourceManager::Get<Font>("Small");
    const auto large = ResourceManager::Get<Font>("Large");
    ASSERT_TRUE(small && large);
    EXPECT_LT(small->GetLineHeight(), large->GetLineHeight());
    EXPECT_LT(Font::MeasureString(*small, L"Bon app\u00E9tit!"), Font::MeasureString(*large, L"Bon app\u00E9tit!"));
    EXPECT_GT(CountDrawn(*Drawn(*small, L"Bon app\u00E9tit!")), 50);
}
