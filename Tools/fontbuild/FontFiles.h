// Writes a rasterised font as the engine's bitmap font: a PNG strip image of white glyphs whose
// alpha is their coverage (drawing tints them), and the metrics file beside it.
//
// Every glyph gets a cell as tall as the line and as wide as its advance plus a margin on both
// sides for strokes that reach past the advance (italics, 'j'); the metrics' spacing takes the
// margins back, so cells overlap by them and the pen still moves by the advance.
#pragma once

#include "GlyphRasterizer.h"

#include <string>
#include <vector>

namespace Corvane::FontBuild
{
// Version 1: one row of glyphs, no kerning; 2: the same with kerning; 3: the glyphs packed into a
// power-of-two image with their own places, with kerning (what the engine loads without repacking).
constexpr int kFirstVersion = 1;
constexpr int kLastVersion = 3;

// Writes base + ".png" and base + ".txt". kerning as GlyphRasterizer::Kerning gives it. Throws
// std::runtime_error when a file cannot be written or the glyphs fit no image.
void WriteFontFiles(const RasterFont& font, const std::vector<int>& kerning, int version, const std::string& base);
} // namespace Corvane::FontBuild
