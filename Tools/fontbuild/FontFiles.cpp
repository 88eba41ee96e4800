#include "FontFiles.h"

#include "Utf8.h"

#include <stb_image_write.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace Corvane::FontBuild
{
namespace
{
constexpr int kLargestMargin = 4;
constexpr int kGap = 2; // between packed cells, so filtering never mixes neighbours
constexpr int kLargestSide = 4096;

struct Cell
{
    int x = 0;
    int y = 0;
    int width = 0;
};

struct Layout
{
    int margin = 0;
    int lineHeight = 0;
    int width = 0;
    int height = 0;
    std::vector<Cell> cells; // one per glyph
};

int Margin(const RasterFont& font)
{
    int margin = 0;
    for (const RasterGlyph& glyph : font.glyphs)
        margin = std::max({margin, -glyph.left, glyph.left + glyph.width - glyph.advance});
    return std::clamp(margin, 0, kLargestMargin);
}

// All cells side by side in one row.
void LayOutStrip(const RasterFont& font, Layout& layout)
{
    int x = 0;
    for (const RasterGlyph& glyph : font.glyphs)
    {
        layout.cells.push_back({x, 0, glyph.advance + 2 * layout.margin});
        x += layout.cells.back().width;
    }
    layout.width = std::max(x, 1);
    layout.height = std::max(layout.lineHeight, 1);
}

// Rows of cells in the smallest power-of-two image that holds them, growing as the engine does.
void LayOutPacked(const RasterFont& font, Layout& layout)
{
    for (int width = 64, height = 64; width <= kLargestSide && height <= kLargestSide;
         (width < height ? width : height) *= 2)
    {
        layout.cells.clear();
        int x = 0;
        int y = 0;
        bool fits = true;
        for (const RasterGlyph& glyph : font.glyphs)
        {
            const int cellWidth = glyph.advance + 2 * layout.margin;
            if (x > 0 && x + cellWidth > width)
            {
                x = 0;
                y += layout.lineHeight + kGap;
            }
            fits = fits && cellWidth <= width && y + layout.lineHeight <= height;
            layout.cells.push_back({x, y, cellWidth});
            x += cellWidth + kGap;
        }
        if (fits)
        {
            layout.width = width;
            layout.height = height;
            return;
        }
    }
    throw std::runtime_error("the glyphs fit no image up to " + std::to_string(kLargestSide) + " pixels");
}

// White pixels with the coverage as alpha, as R, G, B, A bytes.
std::vector<unsigned char> Paint(const RasterFont& font, const Layout& layout)
{
    std::vector<unsigned char> rgba(std::size_t(layout.width) * layout.height * 4, 0);
    for (std::size_t i = 0; i < font.glyphs.size(); ++i)
    {
        const RasterGlyph& glyph = font.glyphs[i];
        const Cell& cell = layout.cells[i];
        const int originX = cell.x + layout.margin + glyph.left;
        const int originY = cell.y + font.ascent - glyph.top;
        for (int row = 0; row < glyph.rows; ++row)
            for (int column = 0; column < glyph.width; ++column)
            {
                const int x = originX + column;
                const int y = originY + row;
                // Strokes beyond the largest margin are cut at the cell's edge.
                if (x < cell.x || x >= cell.x + cell.width || y < cell.y || y >= cell.y + layout.lineHeight)
                    continue;
                unsigned char* pixel = &rgba[(std::size_t(y) * layout.width + x) * 4];
                pixel[0] = pixel[1] = pixel[2] = 255;
                pixel[3] = glyph.coverage[std::size_t(row) * glyph.width + column];
            }
    }
    return rgba;
}

void WriteMetrics(const RasterFont& font, const std::vector<int>& kerning, int version, const Layout& layout,
                  const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    const int spacing = -2 * layout.margin;
    out << 0 << ' ' << layout.lineHeight << ' ' << spacing << ' ' << version << ' ' << font.spaceAdvance - spacing
        << ' ' << font.glyphs.size() << '\n';
    for (std::size_t i = 0; i < font.glyphs.size(); ++i)
    {
        std::string character;
        Utf8::Append(character, static_cast<std::uint32_t>(font.glyphs[i].code));
        const Cell& cell = layout.cells[i];
        out << character << ' ' << cell.x << ' ' << cell.width;
        if (version >= 3)
            out << ' ' << cell.y << ' ' << layout.lineHeight;
        out << '\n';
    }
    if (version >= 2)
    {
        const std::size_t count = font.glyphs.size();
        for (std::size_t row = 0; row < count; ++row)
        {
            for (std::size_t column = 0; column < count; ++column)
                out << (column ? " " : "") << std::clamp(kerning[row * count + column], -128, 127);
            out << '\n';
        }
    }
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}
} // namespace

void WriteFontFiles(const RasterFont& font, const std::vector<int>& kerning, int version, const std::string& base)
{
    if (version < kFirstVersion || version > kLastVersion)
        throw std::runtime_error("no metrics version " + std::to_string(version));
    Layout layout;
    layout.margin = Margin(font);
    layout.lineHeight = font.ascent + font.descent;
    if (version >= 3)
        LayOutPacked(font, layout);
    else
        LayOutStrip(font, layout);

    const std::vector<unsigned char> rgba = Paint(font, layout);
    const std::string image = base + ".png";
    if (!stbi_write_png(image.c_str(), layout.width, layout.height, 4, rgba.data(), layout.width * 4))
        throw std::runtime_error("cannot write " + image);
    WriteMetrics(font, kerning, version, layout, base + ".txt");
}
} // namespace Corvane::FontBuild
