// The metrics file that sits beside a font's strip image ("<name>.txt"): a header of six numbers
// (strip top, cell height, spacing, version, space width, glyph count), one entry per glyph (its
// character, x and width, and from version 3 on y and height), and from version 2 on a square of
// pair kernings in the order the glyphs are listed. Characters 0x80 to 0xFF may be written as
// UTF-8; everything else is one byte per character.
#pragma once

#include "Graphics/Rect.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
// Kerning is kept for every pair of character codes below 256, indexed left * 256 + right.
constexpr int kFontKerningPairs = 256 * 256;
// No position, size or spacing of a font lies beyond this (in either direction): larger values in
// a metrics file mean a damaged file, and keeping them out keeps every sum of them inside an int.
constexpr int kLargestFontValue = 1 << 16;

struct FontGlyphEntry
{
    int code = 0;   // 0 to 255
    Rect<int> rect; // in the strip image; width and height never negative
};

struct FontMetrics
{
    int stripTop = 0;
    int cellHeight = 0; // the font's line height
    int spacing = 0;
    int version = 0;
    int spaceWidth = 0;
    std::vector<FontGlyphEntry> glyphs;     // in the order the file lists them
    std::unique_ptr<std::int8_t[]> kerning; // kFontKerningPairs values from version 2 on, else null
    // Empty when the file holds every value its header announces, each within kLargestFontValue;
    // otherwise what is wrong first, and the line (from 1) where it was found. Such metrics make no
    // font: a file cut short must not pass for a font with fewer characters.
    std::string problem;
    int problemLine = 0;
};

// The file's bytes as characters: 0xC2 b gives b, 0xC3 b gives b + 0x40, any other byte itself.
std::wstring DecodeFontMetricsText(const std::uint8_t* bytes, std::size_t size);

// Reads a metrics file's bytes. Never throws and never reads past them: reading stops at the end
// of the text or at a token that is not a number, and what was not read stays 0 (glyph entries
// stop there); either is reported in problem, as is a value out of range. Negative glyph widths
// and heights read as 0.
FontMetrics ReadFontMetrics(const std::uint8_t* bytes, std::size_t size);
} // namespace Corvane
