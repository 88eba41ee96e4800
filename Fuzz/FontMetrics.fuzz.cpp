// Feeds arbitrary bytes to the font metrics reader, then uses the font: packing its glyphs out of
// a small strip, measuring and breaking the file's own text at a width taken from the input.
// Beyond "no crash, no hang, no read or write out of bounds": line starts rise to the text's end
// and every packed glyph lies inside the packed image.
#include "Graphics/FontMetrics.h"
#include "Graphics/Font.h"
#include "Graphics/FontPacking.h"
#include "Graphics/Image.h"
#include "Graphics/ImageFont.h"
#include "Platform/Compat/Kernel/DebugOutput.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>

using namespace Corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        SetDebugOutputSink([](const char*) {});
        return true;
    }();
    (void)quiet;

    FontMetrics metrics = ReadFontMetrics(data, size);
    Image strip(64, 16);
    std::unique_ptr<Image> packed = PackFontGlyphs(L"fuzz", strip, metrics.cellHeight, metrics.glyphs);
    if (packed)
        for (const FontGlyphEntry& glyph : metrics.glyphs)
            if (glyph.rect.x < 0 || glyph.rect.y < 0 || glyph.rect.Right() > packed->GetWidth() ||
                glyph.rect.y >= packed->GetHeight())
                std::abort();

    const ImageFont font(std::move(metrics), std::move(packed));
    const std::wstring text = DecodeFontMetricsText(data, size);
    TextLines lines;
    const int width = size > 0 ? int(data[0]) - 16 : 0;
    Font::BreakLines(font, text.c_str(), width, nullptr, lines);
    const std::vector<int>& starts = lines.lineStarts;
    const int length = static_cast<int>(std::wcslen(text.c_str()));
    if (starts.size() < 2 || starts.front() != 0 || starts.back() != length)
        std::abort();
    for (std::size_t i = 1; i + 1 < starts.size(); ++i)
        if (starts[i] <= starts[i - 1])
            std::abort();
    Font::MeasureTextBlock(font, text.c_str(), width);
    return 0;
}
