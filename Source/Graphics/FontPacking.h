// Older fonts keep their glyphs in one long strip; a renderer wants a modest power-of-two texture.
// Packing copies the glyphs into rows of the smallest such image that holds them, trying 64 x 64,
// 64 x 128, 128 x 128, 128 x 256 and so on. Runs on the loader thread: it draws through that
// thread's own render context into an image canvas, never through the main thread's.
#pragma once

#include "Graphics/FontMetrics.h"

#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
class Image;

// The largest side packing tries; a font that needs more is refused.
constexpr int kLargestPackedFontSide = 4096;

// Copies each listed glyph's rectangle of strip into a new image and moves the entry's rectangle
// there (a character listed twice is copied twice; its later place counts). Rows are cellHeight
// + 2 apart with 2 pixels between glyphs. Reports each size tried on the debug output under the
// font's name. Null, after a message, when no size up to the largest fits.
std::unique_ptr<Image> PackFontGlyphs(const std::wstring& name, Image& strip, int cellHeight,
                                      std::vector<FontGlyphEntry>& glyphs);
} // namespace Corvane
