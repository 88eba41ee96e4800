#include "Graphics/FontPacking.h"

#include "Debug.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/RenderContext.h"
#include "Graphics/Vector2.h"

#include <algorithm>
#include <cstdint>

namespace Corvane
{
namespace
{
constexpr int kGap = 2;
constexpr int kFirstSide = 64;

// Places the glyphs left to right in rows of width; false when a glyph is wider than a row or
// the rows need more than height.
bool LayOut(const std::vector<FontGlyphEntry>& glyphs, int width, int height, std::int64_t rowHeight,
            std::vector<Vector2<int>>& places)
{
    places.clear();
    std::int64_t x = 0;
    std::int64_t row = 0;
    for (const FontGlyphEntry& glyph : glyphs)
    {
        const int glyphWidth = glyph.rect.width;
        if (glyphWidth > width)
            return false; // it would be cut at any place of this size
        if (x > 0 && x + glyphWidth >= width)
        {
            x = 0;
            ++row;
            if ((row + 1) * rowHeight > height)
                return false;
        }
        places.push_back({static_cast<int>(x), static_cast<int>(row * rowHeight)});
        x += glyphWidth + kGap;
    }
    return (row + 1) * rowHeight <= height;
}

// Copies the glyphs unchanged (no blending) through an image canvas on this thread's context.
void CopyGlyphs(Image& strip, const std::vector<FontGlyphEntry>& glyphs, const std::vector<Vector2<int>>& places,
                Image& packed)
{
    using namespace Graphics;
    ICanvas* canvas = CreateImageCanvas(packed);
    DrawState copying = GetDefaultDrawState();
    copying.SetFlag(kDrawBlend, false);
    {
        const ScopedDrawState scope({canvas, copying});
        for (std::size_t i = 0; i < glyphs.size(); ++i)
        {
            DrawState glyph = GetRenderContext().state;
            glyph.SetSourceRect(glyphs[i].rect);
            DrawImage(&strip, float(places[i].x), float(places[i].y), glyph, GetCurrentCanvas());
        }
    }
    DestroyImageCanvas(canvas);
}
} // namespace

std::unique_ptr<Image> PackFontGlyphs(const std::wstring& name, Image& strip, int cellHeight,
                                      std::vector<FontGlyphEntry>& glyphs)
{
    // Sums in 64 bits: the sizes come from a file.
    const std::int64_t rowHeight = std::int64_t(std::max(cellHeight, 0)) + kGap;
    std::vector<Vector2<int>> places;
    int width = kFirstSide;
    int height = kFirstSide;
    while (width <= kLargestPackedFontSide && height <= kLargestPackedFontSide)
    {
        // A first guess from the strip's length skips sizes that cannot hold it, silently.
        if (std::int64_t(strip.GetWidth() / width) * cellHeight <= height)
        {
            if (LayOut(glyphs, width, height, rowHeight, places))
            {
                auto packed = std::make_unique<Image>(width, height);
                packed->SetAlphaKind(strip.HasAlpha(), strip.HasBinaryAlpha());
                CopyGlyphs(strip, glyphs, places, *packed);
                for (std::size_t i = 0; i < glyphs.size(); ++i)
                {
                    glyphs[i].rect.x = places[i].x;
                    glyphs[i].rect.y = places[i].y;
                }
                DebugPrint("Font: %ls was %dx%d now %dx%d\n", name.c_str(), strip.GetWidth(), strip.GetHeight(), width,
                           height);
                return packed;
            }
            DebugPrint("Font: %ls did not fit into a %dx%d\n", name.c_str(), width, height);
        }
        if (width < height)
            width *= 2;
        else
            height *= 2;
    }
    DebugPrint("Font: %ls does not fit into any texture up to %dx%d\n", name.c_str(), kLargestPackedFontSide,
               kLargestPackedFontSide);
    return nullptr;
}
} // namespace Corvane
