#include "Graphics/Font.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwchar>

namespace Corvane
{
namespace
{
// Sums run in 64 bits: a damaged font's huge advances must not overflow on the way.
int ClampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

std::int64_t SumAdvances(const Font& font, const wchar_t* begin, const wchar_t* end)
{
    std::int64_t width = 0;
    for (const wchar_t* p = begin; p < end; ++p)
        width += font.GetAdvance(*p, p + 1 < end ? p[1] : L'\0');
    return width;
}

int TextLength(const wchar_t* text)
{
    return text ? static_cast<int>(std::min<std::size_t>(std::wcslen(text), INT_MAX)) : 0;
}

const Graphics::cDefaultLineWidths gDefaultLineWidths;
} // namespace

bool IsBreakingSpace(wchar_t c)
{
    // Spelled out so that no locale changes where text breaks.
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

namespace Graphics
{
int cDefaultLineWidths::GetLineWidth(int, int maxWidth) const
{
    return maxWidth;
}
} // namespace Graphics

int Font::MeasureRange(const Font& font, const wchar_t* begin, const wchar_t* end)
{
    return ClampToInt(SumAdvances(font, begin, end));
}

int Font::MeasureString(const Font& font, const wchar_t* text)
{
    return text ? MeasureRange(font, text, text + TextLength(text)) : 0;
}

void Font::BreakLines(const Font& font, const wchar_t* text, int maxWidth, const Graphics::ILineWidths* lineWidths,
                      TextLines& out)
{
    const Graphics::ILineWidths& widths = lineWidths ? *lineWidths : gDefaultLineWidths;
    const int length = TextLength(text);
    std::vector<int>& starts = out.lineStarts;
    starts.clear();
    starts.push_back(0);

    std::int64_t widest = 0;
    std::int64_t lineWidth = 0;
    std::int64_t allowed = maxWidth;
    int askedLine = -1;
    int wordStart = 0;
    // The advances of [wordStart, p), each paired with the character after it: the word's width
    // up to p grows by one advance per character instead of being measured again each time.
    std::int64_t wordAdvance = 0;
    int p = 0;
    while (p < length)
    {
        const wchar_t c = text[p];
        std::int64_t width = wordAdvance + font.GetAdvance(c, L'\0'); // the word up to c, as if it ended there
        if (IsBreakingSpace(c))
        {
            lineWidth += width;
            wordStart = p + 1;
            wordAdvance = 0;
            widest = std::max(widest, lineWidth); // the word's trailing white space counts
            if (c == L'\n')
            {
                starts.push_back(p + 1);
                lineWidth = 0;
                ++p;
                continue;
            }
            width = 0;
        }

        const int line = static_cast<int>(starts.size()) - 1;
        if (line != askedLine)
        {
            allowed = widths.GetLineWidth(line, maxWidth);
            askedLine = line;
        }
        const int lineStart = starts.back();
        // A line keeps its first character however narrow it is, so breaking always moves on.
        const bool firstCharacter = p == lineStart && wordStart == lineStart;
        if (width + lineWidth > allowed && !firstCharacter)
        {
            if (wordStart == lineStart)
            {
                // The word alone is too wide: it is cut before c, and the piece is this line.
                widest = std::max(widest, SumAdvances(font, text + wordStart, text + p));
                wordStart = p;
            }
            while (wordStart < length && IsBreakingSpace(text[wordStart]))
                ++wordStart;
            starts.push_back(wordStart);
            lineWidth = 0;
            wordAdvance = 0;
            p = wordStart;
            continue;
        }
        if (!IsBreakingSpace(c))
            wordAdvance += font.GetAdvance(c, text[p + 1]);
        ++p;
    }
    lineWidth += SumAdvances(font, text + wordStart, text + length);
    widest = std::max(widest, lineWidth);
    starts.push_back(length);
    out.widestWidth = ClampToInt(widest);
}

Vector2<int> Font::MeasureTextBlock(const Font& font, const wchar_t* text, int maxWidth)
{
    TextLines lines;
    BreakLines(font, text, maxWidth, nullptr, lines);
    return {lines.widestWidth, ClampToInt(std::int64_t(font.GetLineHeight()) * lines.GetLineCount())};
}
} // namespace Corvane
