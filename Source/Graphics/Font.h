// The font every text drawer uses: glyph pictures for the character codes below 256, a line
// height and advances with pair kerning; and the measuring and line-breaking rules that text
// drawing, text nodes and widget controls share, so that they all agree on where text goes.
#pragma once

#include "Graphics/Rect.h"
#include "Graphics/Vector2.h"

#include <vector>

namespace Corvane
{
class IImage;

// What a glyph query gives: the picture holding the glyph and the glyph's rectangle in it.
struct GlyphInfo
{
    IImage* image = nullptr; // not owned; null when the font has no glyph picture for the character
    Rect<int> rect{0, 0, 0, 0};
};

// The white space text breaks at: the "C" locale's wide space class (space, tab, line feed,
// vertical tab, form feed, carriage return), whatever the locale. Every breaker of the engine
// (plain and styled text) leaves the white space a line wraps at on the line before, so that no
// wrapped line starts with a space.
bool IsBreakingSpace(wchar_t c);

// The result of line breaking: one offset into the text per line start, in order, then one
// final entry equal to the text's length, so line k spans [lineStarts[k], lineStarts[k + 1]).
struct TextLines
{
    std::vector<int> lineStarts;
    // Of the widest line, its words measured with the white space after each: a line that wraps
    // after a word counts the space it wrapped at.
    int widestWidth = 0;

    int GetLineCount() const { return lineStarts.empty() ? 0 : static_cast<int>(lineStarts.size()) - 1; }
};

namespace Graphics
{
// The width each line of a text block may take (for text flowing around a picture).
class ILineWidths
{
public:
    // The width allowed for line lineIndex (0 for the first) of a block at most maxWidth wide.
    virtual int GetLineWidth(int lineIndex, int maxWidth) const = 0;

protected:
    ~ILineWidths() = default;
};

// maxWidth for every line: what a caller that passes no line widths gets.
class cDefaultLineWidths final : public ILineWidths
{
public:
    int GetLineWidth(int lineIndex, int maxWidth) const override;
};
} // namespace Graphics

// Fonts are read-only once built, so any thread may measure with them.
class Font
{
public:
    virtual ~Font() = default;
    // Fills *out (when not null) with c's picture and rectangle; empty for codes of 256 and above.
    virtual void GetGlyph(wchar_t c, GlyphInfo* out) const = 0;
    // Pixels from one line's top to the next.
    virtual int GetLineHeight() const = 0;
    // Pixels from c to the character after it, next (0 after a text's last character), kerning
    // included; 0 when either is 256 or above.
    virtual int GetAdvance(wchar_t c, wchar_t next) const = 0;

    // The advances of a zero-terminated text summed, the last character paired with the 0; a null
    // or empty text measures 0.
    static int MeasureString(const Font& font, const wchar_t* text);
    // The same over [begin, end), the last character paired with 0 as if the range were a text.
    static int MeasureRange(const Font& font, const wchar_t* begin, const wchar_t* end);
    // Breaks a zero-terminated text into lines at most maxWidth wide (lineWidths, may be null,
    // narrows single lines). The white space a line wraps at ends that line, and the next starts
    // after it. A word too wide for its line is cut where it overflows; every line gets at least
    // one character, so breaking ends for any width. A null text breaks like "".
    static void BreakLines(const Font& font, const wchar_t* text, int maxWidth, const Graphics::ILineWidths* lineWidths,
                           TextLines& out);
    // {widest line, line height x line count} of the text broken at maxWidth.
    static Vector2<int> MeasureTextBlock(const Font& font, const wchar_t* text, int maxWidth);
};
} // namespace Corvane
