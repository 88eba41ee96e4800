// Renders the glyphs of a TrueType font at one pixel size with FreeType: anti-aliased coverage
// bitmaps placed on a common baseline, their advances and the font's pair kerning.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// FreeType's handles, opaque here.
struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace Corvane::FontBuild
{
struct RasterGlyph
{
    int code = 0;    // character code (Latin-1, 33 to 255)
    int advance = 0; // pixels to the next pen position
    int left = 0;    // bitmap's left edge from the pen position
    int top = 0;     // bitmap's top row above the baseline
    int width = 0;   // bitmap size
    int rows = 0;
    std::vector<std::uint8_t> coverage; // width * rows, 0 to 255
    unsigned index = 0;                 // FreeType's glyph index, for kerning
};

struct RasterFont
{
    int ascent = 0;  // pixels from a line's top to the baseline
    int descent = 0; // pixels from the baseline to the line's bottom
    int spaceAdvance = 0;
    bool hasKerning = false;
    std::vector<RasterGlyph> glyphs; // the characters the font has, in code order
};

class GlyphRasterizer
{
public:
    // Opens the font at pixelSize; throws std::runtime_error when it cannot be opened or sized.
    GlyphRasterizer(const std::string& path, int pixelSize);
    ~GlyphRasterizer();
    GlyphRasterizer(const GlyphRasterizer&) = delete;
    GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

    // The glyphs of codes first to last that the font has.
    RasterFont Rasterize(int first, int last);
    // Kerning of each pair of font's glyphs in pixels, row-major (left glyph, right glyph); all
    // zero when the font has none.
    std::vector<int> Kerning(const RasterFont& font);

private:
    FT_LibraryRec_* mLibrary = nullptr;
    FT_FaceRec_* mFace = nullptr;
};
} // namespace Corvane::FontBuild
