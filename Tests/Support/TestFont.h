// Fonts made in memory for tests and benchmarks: one glyph per character code of a range, each a
// block of its own colour in a strip image, so a drawn picture shows which glyph went where.
#pragma once

#include "Graphics/Image.h"
#include "Graphics/ImageFont.h"

#include <memory>
#include <utility>
#include <vector>

namespace Corvane::Testing
{
struct TestFontSpec
{
    int first = 33;
    int last = 126;
    int lineHeight = 10;
    int spacing = 1;
    int spaceWidth = 3;
    // Glyph widths cycle through widthBase to widthBase + 3.
    int widthBase = 2;
    // Glyphs fade in from their left edge (smooth alpha) instead of being opaque blocks.
    bool smooth = false;
    // {left, right, kerning}
    std::vector<std::pair<std::pair<int, int>, int>> kerning;
};

inline int TestGlyphWidth(const TestFontSpec& spec, int code)
{
    return spec.widthBase + code % 4;
}

// Opaque and different for every code: the code is the red byte.
inline PackedColor TestGlyphColor(int code)
{
    return 0xFF000000u | PackedColor(code) << 16 | PackedColor((code * 7) & 0xFF) << 8 | 0x80u;
}

inline std::unique_ptr<ImageFont> MakeTestFont(const TestFontSpec& spec = {})
{
    FontMetrics metrics;
    metrics.cellHeight = spec.lineHeight;
    metrics.spacing = spec.spacing;
    metrics.version = 3;
    metrics.spaceWidth = spec.spaceWidth;
    int stripWidth = 0;
    for (int code = spec.first; code <= spec.last; ++code)
    {
        metrics.glyphs.push_back({code, {stripWidth, 0, TestGlyphWidth(spec, code), spec.lineHeight}});
        stripWidth += TestGlyphWidth(spec, code);
    }
    metrics.kerning = std::make_unique<std::int8_t[]>(kFontKerningPairs);
    for (const auto& [pair, value] : spec.kerning)
        metrics.kerning[pair.first * 256 + pair.second] = static_cast<std::int8_t>(value);

    auto strip = std::make_unique<Image>(std::max(stripWidth, 1), spec.lineHeight);
    for (const FontGlyphEntry& glyph : metrics.glyphs)
        for (int y = 0; y < glyph.rect.height; ++y)
            for (int x = 0; x < glyph.rect.width; ++x)
            {
                const PackedColor alpha = spec.smooth ? PackedColor(255 * (x + 1) / glyph.rect.width) : 255;
                strip->SetPixel(glyph.rect.x + x, y, (TestGlyphColor(glyph.code) & 0x00FFFFFFu) | alpha << 24);
            }
    strip->SetAlphaKind(true, !spec.smooth);
    return std::make_unique<ImageFont>(std::move(metrics), std::move(strip));
}
} // namespace Corvane::Testing
