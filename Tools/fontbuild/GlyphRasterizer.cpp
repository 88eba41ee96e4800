#include "GlyphRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

namespace Corvane::FontBuild
{
namespace
{
// 26.6 fixed point to whole pixels, rounded up (ascent, descent) or to nearest.
int CeilPixels(FT_Pos value)
{
    return static_cast<int>((value + 63) >> 6);
}

int RoundPixels(FT_Pos value)
{
    return static_cast<int>((value + 32) >> 6);
}
} // namespace

GlyphRasterizer::GlyphRasterizer(const std::string& path, int pixelSize)
{
    if (FT_Init_FreeType(&mLibrary) != 0)
        throw std::runtime_error("FreeType could not start");
    if (FT_New_Face(mLibrary, path.c_str(), 0, &mFace) != 0)
    {
        FT_Done_FreeType(mLibrary);
        throw std::runtime_error("cannot open the font " + path);
    }
    if (FT_Set_Pixel_Sizes(mFace, 0, static_cast<FT_UInt>(pixelSize)) != 0)
    {
        FT_Done_Face(mFace);
        FT_Done_FreeType(mLibrary);
        throw std::runtime_error("the font " + path + " has no size " + std::to_string(pixelSize));
    }
}

GlyphRasterizer::~GlyphRasterizer()
{
    FT_Done_Face(mFace);
    FT_Done_FreeType(mLibrary);
}

RasterFont GlyphRasterizer::Rasterize(int first, int last)
{
    RasterFont font;
    font.ascent = CeilPixels(mFace->size->metrics.ascender);
    font.descent = CeilPixels(-mFace->size->metrics.descender);
    font.hasKerning = FT_HAS_KERNING(mFace);
    if (FT_Load_Char(mFace, ' ', FT_LOAD_DEFAULT) == 0)
        font.spaceAdvance = RoundPixels(mFace->glyph->advance.x);

    for (int code = first; code <= last; ++code)
    {
        const FT_UInt index = FT_Get_Char_Index(mFace, static_cast<FT_ULong>(code));
        if (index == 0 || FT_Load_Glyph(mFace, index, FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot slot = mFace->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0)
            continue; // only anti-aliased outlines are expected
        RasterGlyph glyph;
        glyph.code = code;
        glyph.index = index;
        glyph.advance = RoundPixels(slot->advance.x);
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.coverage.resize(std::size_t(glyph.width) * glyph.rows);
        for (int y = 0; y < glyph.rows; ++y)
            std::copy_n(bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch, glyph.width,
                        glyph.coverage.begin() + std::ptrdiff_t(y) * glyph.width);
        // Accents and descenders that reach past the font's own ascent and descent widen the line.
        font.ascent = std::max(font.ascent, glyph.top);
        font.descent = std::max(font.descent, glyph.rows - glyph.top);
        font.glyphs.push_back(std::move(glyph));
    }
    return font;
}

std::vector<int> GlyphRasterizer::Kerning(const RasterFont& font)
{
    const std::size_t count = font.glyphs.size();
    std::vector<int> kerning(count * count, 0);
    if (!font.hasKerning)
        return kerning;
    for (std::size_t left = 0; left < count; ++left)
        for (std::size_t right = 0; right < count; ++right)
        {
            FT_Vector delta{};
            if (FT_Get_Kerning(mFace, font.glyphs[left].index, font.glyphs[right].index, FT_KERNING_DEFAULT, &delta) ==
                0)
                kerning[left * count + right] = RoundPixels(delta.x);
        }
    return kerning;
}
} // namespace Corvane::FontBuild
