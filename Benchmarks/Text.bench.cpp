// Text layout and drawing. "BreakLines" breaks a 2,000-character paragraph at 300 pixels; its peer
// "MeasureOnce" sums the same paragraph's advances in one pass, the least any layout must do.
// "DrawBlock" draws 10 lines as a centred text block on an 800 x 600 image canvas; its peer
// "BlitGlyphs" blits the same glyph rectangles to the same places straight through the blitter,
// without any text machinery. Names end in /Corvane or /Peer.
//
//   build-rel/Benchmarks/text_benchmark --benchmark_min_time=0.5
#include "Graphics/Blitter.h"
#include "Graphics/Font.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/TextDrawing.h"
#include "Support/TestFont.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace Corvane;

namespace
{
const ImageFont& GetFont()
{
    static const std::unique_ptr<ImageFont> font = [] {
        Testing::TestFontSpec spec;
        spec.first = 32;
        spec.last = 255;
        spec.lineHeight = 16;
        spec.widthBase = 5;
        spec.smooth = true;
        spec.kerning = {{{'A', 'V'}, -2}, {{'T', 'o'}, -1}};
        return Testing::MakeTestFont(spec);
    }();
    return *font;
}

// Words of 2 to 11 letters with single spaces, count characters long.
std::wstring Paragraph(std::size_t count)
{
    std::wstring text;
    unsigned seed = 7;
    while (text.size() < count)
    {
        seed = seed * 1103515245u + 12345u;
        const int letters = 2 + int(seed >> 16) % 10;
        for (int i = 0; i < letters; ++i)
            text += wchar_t(L'a' + (seed >> (i + 3)) % 26);
        text += L' ';
    }
    text.resize(count);
    return text;
}

void BreakLines(benchmark::State& state)
{
    const std::wstring text = Paragraph(2000);
    TextLines lines;
    for (auto _ : state)
    {
        Font::BreakLines(GetFont(), text.c_str(), 300, nullptr, lines);
        benchmark::DoNotOptimize(lines.lineStarts.data());
    }
    state.SetLabel(std::to_string(lines.GetLineCount()) + " lines");
}

void MeasureOnce(benchmark::State& state)
{
    const std::wstring text = Paragraph(2000);
    for (auto _ : state)
        benchmark::DoNotOptimize(Font::MeasureString(GetFont(), text.c_str()));
}

// Ten lines' worth of the paragraph, broken at 700 pixels.
const std::wstring& TenLines()
{
    static const std::wstring text = [] {
        std::wstring paragraph = Paragraph(2000);
        TextLines lines;
        Font::BreakLines(GetFont(), paragraph.c_str(), 700, nullptr, lines);
        return paragraph.substr(0, lines.lineStarts[10]);
    }();
    return text;
}

void DrawBlock(benchmark::State& state)
{
    Image target(800, 600);
    Graphics::cImageCanvas canvas(target);
    Graphics::DrawState drawState;
    drawState.font = const_cast<ImageFont*>(&GetFont());
    drawState.horizontalAlignment = Graphics::kAlignCenter;
    for (auto _ : state)
        benchmark::DoNotOptimize(Graphics::DrawTextBlockAt(TenLines().c_str(), 400, 100, 700, drawState, &canvas));
}

void BlitGlyphs(benchmark::State& state)
{
    // The places DrawBlock puts the glyphs, worked out once.
    const ImageFont& font = GetFont();
    struct Placed
    {
        Rect<int> glyph;
        int x, y;
    };
    std::vector<Placed> placed;
    TextLines lines;
    const std::wstring& text = TenLines();
    Font::BreakLines(font, text.c_str(), 700, nullptr, lines);
    for (int k = 0; k < lines.GetLineCount(); ++k)
    {
        const wchar_t* begin = text.c_str() + lines.lineStarts[k];
        const wchar_t* end = text.c_str() + lines.lineStarts[k + 1];
        int x = 400 - Font::MeasureRange(font, begin, end) / 2;
        for (const wchar_t* c = begin; c < end; ++c)
        {
            GlyphInfo glyph;
            font.GetGlyph(*c, &glyph);
            placed.push_back({glyph.rect, x, 100 + k * font.GetLineHeight()});
            x += font.GetAdvance(c[0], c + 1 < end ? c[1] : 0);
        }
    }
    Image target(800, 600);
    Graphics::BlitSurface surface{target.GetPixels(), 800, 600};
    Graphics::DrawState drawState;
    for (auto _ : state)
        for (const Placed& p : placed)
        {
            drawState.SetSourceRect(p.glyph);
            benchmark::DoNotOptimize(Graphics::BlitImage(*font.GetImage(), p.x, p.y, surface, drawState));
        }
}
} // namespace

BENCHMARK(BreakLines)->Name("Text/BreakLines/Corvane")->Unit(benchmark::kMicrosecond);
BENCHMARK(MeasureOnce)->Name("Text/BreakLines/Peer")->Unit(benchmark::kMicrosecond);
BENCHMARK(DrawBlock)->Name("Text/DrawTenLines/Corvane")->Unit(benchmark::kMicrosecond);
BENCHMARK(BlitGlyphs)->Name("Text/DrawTenLines/Peer")->Unit(benchmark::kMicrosecond);
