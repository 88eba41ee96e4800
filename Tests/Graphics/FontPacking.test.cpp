#include "Graphics/FontPacking.h"
#include "Graphics/Image.h"
#include "Graphics/RenderContext.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

#include <thread>

using namespace Corvane;

namespace
{
constexpr int kStripTop = 5;

// count glyphs of the given widths side by side at kStripTop, cellHeight high; every pixel says
// which glyph and where in it (glyph in red, x in green, y in blue), and the rows around the
// glyphs hold a colour no glyph has.
struct Strip
{
    std::unique_ptr<Image> image;
    std::vector<FontGlyphEntry> glyphs;
};

Strip MakeStrip(const std::vector<int>& widths, int cellHeight)
{
    Strip strip;
    int width = 0;
    for (std::size_t i = 0; i < widths.size(); ++i)
    {
        strip.glyphs.push_back({int(33 + i), {width, kStripTop, widths[i], cellHeight}});
        width += widths[i];
    }
    strip.image = std::make_unique<Image>(width, cellHeight + 2 * kStripTop);
    for (int y = 0; y < strip.image->GetHeight(); ++y)
        for (int x = 0; x < width; ++x)
            strip.image->SetPixel(x, y, 0xFFEEEEEE);
    for (std::size_t i = 0; i < strip.glyphs.size(); ++i)
    {
        const Rect<int>& r = strip.glyphs[i].rect;
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x)
                strip.image->SetPixel(r.x + x, r.y + y,
                                      0x80000000u | PackedColor(i + 1) << 16 | PackedColor(x & 0xFF) << 8 |
                                          PackedColor(y));
    }
    strip.image->SetAlphaKind(true, false);
    return strip;
}

// Each glyph's pixels are where its moved rectangle says, and nothing else is drawn.
void ExpectGlyphsKept(const Strip& before, const std::vector<FontGlyphEntry>& after, const Image& packed)
{
    int glyphPixels = 0;
    for (std::size_t i = 0; i < after.size(); ++i)
    {
        const Rect<int>& from = before.glyphs[i].rect;
        const Rect<int>& to = after[i].rect;
        ASSERT_EQ(to.width, from.width);
        ASSERT_EQ(to.height, from.height);
        ASSERT_TRUE(to.x >= 0 && to.y >= 0 && to.Right() <= packed.GetWidth() && to.Bottom() <= packed.GetHeight())
            << i;
        for (int y = 0; y < to.height; ++y)
            for (int x = 0; x < to.width; ++x)
                ASSERT_EQ(packed.GetPixel(to.x + x, to.y + y), before.image->GetPixel(from.x + x, from.y + y)) << i;
        glyphPixels += to.width * to.height;
    }
    int drawn = 0;
    for (int y = 0; y < packed.GetHeight(); ++y)
        for (int x = 0; x < packed.GetWidth(); ++x)
            drawn += packed.GetPixel(x, y) != 0;
    EXPECT_EQ(drawn, glyphPixels);
    EXPECT_TRUE(packed.HasAlpha());
    EXPECT_FALSE(packed.HasBinaryAlpha());
}
} // namespace

TEST(FontPacking, KeepsEveryGlyphAndTriesTheSizesInOrder)
{
    // 20 glyphs 30 wide in rows 32 apart: 64 x 64 and 64 x 128 fail the first guess silently,
    // 128 x 128 holds four rows of four, not five; 128 x 256 holds them.
    Strip strip = MakeStrip(std::vector<int>(20, 30), 30);
    std::vector<FontGlyphEntry> glyphs = strip.glyphs;
    Testing::DebugCapture capture;
    const std::unique_ptr<Image> packed = PackFontGlyphs(L"Menu", *strip.image, 30, glyphs);
    ASSERT_TRUE(packed);
    EXPECT_EQ(capture.Writes(), (std::vector<std::string>{"Font: Menu did not fit into a 128x128\n",
                                                          "Font: Menu was 600x40 now 128x256\n"}));
    EXPECT_EQ(glyphs[4].rect, (Rect<int>{0, 32, 30, 30}));
    ExpectGlyphsKept(strip, glyphs, *packed);

    // Mixed widths, a zero-width glyph and a character listed twice.
    Strip mixed = MakeStrip({5, 9, 0, 13, 7, 7, 21, 3, 11}, 12);
    mixed.glyphs[5].code = mixed.glyphs[1].code;
    glyphs = mixed.glyphs;
    const std::unique_ptr<Image> packedMixed = PackFontGlyphs(L"Mixed", *mixed.image, 12, glyphs);
    ASSERT_TRUE(packedMixed);
    ExpectGlyphsKept(mixed, glyphs, *packedMixed);
}

TEST(FontPacking, AGlyphWiderThanTheImageIsNeverCut)
{
    Strip strip = MakeStrip({10, 100, 10}, 10);
    std::vector<FontGlyphEntry> glyphs = strip.glyphs;
    Testing::DebugCapture capture;
    const std::unique_ptr<Image> packed = PackFontGlyphs(L"Wide", *strip.image, 10, glyphs);
    ASSERT_TRUE(packed);
    EXPECT_EQ(capture.Writes(), (std::vector<std::string>{"Font: Wide did not fit into a 64x64\n",
                                                          "Font: Wide did not fit into a 64x128\n",
                                                          "Font: Wide was 120x20 now 128x128\n"}));
    ExpectGlyphsKept(strip, glyphs, *packed);

    // One that no texture holds is refused, not grown without end.
    Strip huge = MakeStrip({kLargestPackedFontSide + 1}, 4);
    glyphs = huge.glyphs;
    Testing::DebugCapture refusal;
    EXPECT_FALSE(PackFontGlyphs(L"Huge", *huge.image, 4, glyphs));
    EXPECT_EQ(refusal.Writes().back(), "Font: Huge does not fit into any texture up to 4096x4096\n");
}

TEST(FontPacking, PacksOnItsOwnThreadWithoutTouchingTheMainContext)
{
    using namespace Graphics;
    DrawState main;
    main.color = {0.5f, 0.25f, 1, 1};
    main.textMode = kTextOutline;
    PushDrawState({nullptr, main});
    const RenderContext before = GetRenderContext();

    Strip strip = MakeStrip(std::vector<int>(40, 7), 9);
    std::vector<FontGlyphEntry> glyphs = strip.glyphs;
    std::unique_ptr<Image> packed;
    Testing::DebugCapture quiet;
    std::thread loader([&] { packed = PackFontGlyphs(L"Loader", *strip.image, 9, glyphs); });
    loader.join();

    EXPECT_EQ(GetRenderContext(), before);
    EXPECT_EQ(GetDrawStateDepth(), 1);
    PopDrawState();
    ASSERT_TRUE(packed);
    ExpectGlyphsKept(strip, glyphs, *packed);
}
