// Metrics files of every version, and the measuring and line-breaking rules every text drawer
// shares.
#include "Graphics/Font.h"
#include "Graphics/FontMetrics.h"
#include "Graphics/Image.h"
#include "Graphics/ImageFont.h"
#include "Support/TestFont.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace Corvane;

namespace
{
std::unique_ptr<ImageFont> FromMetrics(const std::string& text)
{
    FontMetrics metrics = ReadFontMetrics(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return std::make_unique<ImageFont>(std::move(metrics), std::make_unique<Image>(1, 1));
}

Rect<int> GlyphRect(const Font& font, wchar_t c)
{
    GlyphInfo glyph;
    font.GetGlyph(c, &glyph);
    return glyph.rect;
}

// Every character, white space included, advances 10 pixels; lines are 12 high.
class EvenFont : public Font
{
public:
    void GetGlyph(wchar_t, GlyphInfo* out) const override { *out = GlyphInfo(); }
    int GetLineHeight() const override { return 12; }
    int GetAdvance(wchar_t, wchar_t) const override { return 10; }
};

std::vector<int> Starts(const Font& font, const wchar_t* text, int maxWidth, TextLines* out = nullptr)
{
    TextLines lines;
    Font::BreakLines(font, text, maxWidth, nullptr, lines);
    if (out)
        *out = lines;
    return lines.lineStarts;
}
} // namespace

TEST(FontMetrics, EachVersionAdvancesAsItsFileSays)
{
    // Version 0: fixed pitch, the spacing for every character, the space too; no kerning.
    const auto fixed = FromMetrics("0 12 7 0 5 2\nA 0 9\nV 9 8\n");
    EXPECT_FALSE(fixed->IsProportional());
    EXPECT_EQ(fixed->GetAdvance(L'A', L'V'), 7);
    EXPECT_EQ(fixed->GetAdvance(L' ', L'A'), 7);
    EXPECT_EQ(fixed->GetLineHeight(), 12);

    // Version 1: the glyph's width (the space width for ' ') plus the spacing.
    const auto proportional = FromMetrics("0 12 1 1 5 2\nA 0 9\nV 9 8\n");
    EXPECT_EQ(proportional->GetAdvance(L'A', L'V'), 10);
    EXPECT_EQ(proportional->GetAdvance(L' ', L'A'), 6);
    EXPECT_EQ(proportional->GetAdvance(L'Z', L'\0'), 1); // not in the font: width 0
    EXPECT_EQ(GlyphRect(*proportional, L'V'), (Rect<int>{9, 0, 8, 12}));

    // Version 2: kerning in listing order, low 8 bits signed (253 is -3), negative ones too.
    const auto kerned = FromMetrics("0 12 1 2 5 2\nA 0 9\nV 9 8\n0 253\n-2 300\n");
    EXPECT_EQ(kerned->GetAdvance(L'A', L'V'), 9 + 1 - 3);
    EXPECT_EQ(kerned->GetAdvance(L'V', L'A'), 8 + 1 - 2);
    EXPECT_EQ(kerned->GetAdvance(L'V', L'V'), 8 + 1 + 44);
    EXPECT_EQ(kerned->GetAdvance(L'A', L'A'), 10);

    // Version 3: each glyph has its own y and height; before it they are the strip top and cell.
    const auto placed = FromMetrics("5 12 1 3 5 2\nA 0 9 20 11\nV 9 8 40 7\n0 0\n0 0\n");
    EXPECT_EQ(GlyphRect(*placed, L'V'), (Rect<int>{9, 40, 8, 7}));
    EXPECT_EQ(GlyphRect(*FromMetrics("5 12 1 1 5 1\nA 0 9\n"), L'A'), (Rect<int>{0, 5, 9, 12}));

    // Codes 0x80 to 0xFF as UTF-8 (0xC3 pairs add 0x40) or as plain bytes; a later entry wins.
    const auto latin = FromMetrics("0 12 1 1 5 4\n\xC3\xA9 0 4\n\xC2\xA0 4 6\n\xD7 10 2\n\xC3\xA9 20 7\n");
    EXPECT_EQ(latin->GetAdvance(0xA0, 0), 7);
    EXPECT_EQ(latin->GetAdvance(0xD7, 0), 3);
    EXPECT_EQ(GlyphRect(*latin, 0xE9), (Rect<int>{20, 0, 7, 12}));

    // Codes of 256 and above have no glyph and advance nothing, on either side of a pair.
    EXPECT_EQ(kerned->GetAdvance(L'A', 0x100), 0);
    EXPECT_EQ(kerned->GetAdvance(0x20AC, L'A'), 0);
    GlyphInfo glyph;
    kerned->GetGlyph(0x20AC, &glyph);
    EXPECT_EQ(glyph.image, nullptr);
    EXPECT_TRUE(glyph.rect.IsEmpty());
    kerned->GetGlyph(L'A', &glyph);
    EXPECT_EQ(glyph.image, kerned->GetImage());
}

TEST(FontMetrics, CutDamagedAndOutOfRangeFilesAreRefusedWithTheirLine)
{
    const auto read = [](const std::string& text) {
        const FontMetrics metrics = ReadFontMetrics(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        return metrics.problem.empty() ? std::string() : std::to_string(metrics.problemLine) + ": " + metrics.problem;
    };
    const std::string largest = std::to_string(kLargestFontValue);
    EXPECT_EQ(read("0 " + largest + " -" + largest + " 3 5 1\nA 0 9 0 " + largest + " 0"), "");
    EXPECT_EQ(read("0 12 1 2 5 2\nA 0 9\nV 9 8\n0 253\n-2 300\n  \n"), "") << "white space after the last value";
    const struct
    {
        std::string text;
        std::string problem;
    } cases[] = {
        // Cut short: the header, the glyph entries (a whole one or within one), the kerning square.
        {"", "1: the file is empty"},
        {"0 12 1 1", "1: the header is cut short"},
        {"0 12 1 2 5 1000000000\nA 0 9\n", "3: the file declares 1000000000 characters but defines 1"},
        {"0 12 1 2 5 2\nA 0 9\nV 9", "3: the file declares 2 characters but defines 1"},
        {"0 12 1 3 5 1\nA 0 9 0", "2: the file declares 1 characters but defines 0"},
        {"0 12 1 2 5 2\nA 0 9\nV 9 8\n0 253\n-2", "5: 1 of the 4 kerning values are missing"},
        // Damaged: a token that is no number stops the reading there.
        {"0 12 x 1 5 2\nA 0 9\n", "1: 'x' is not a number"},
        {"0 12 1 1 5 1\n\xC2", "2: the file declares 1 characters but defines 0"},
        {"0 12 1 1 5 -3\nA 0 9\n", "1: the character count -3 is out of range"},
        // Out of range: a cell height that saturates the reader, as a damaged file once had it.
        {" 99\v" + std::string(60, '6') + " 1 1 5 0", "1: the cell height 2147483647 is out of range"},
        {"0 12 -70000 1 5 0", "1: the spacing -70000 is out of range"},
        {"0 12 1 1 5 1\nA 0 65537", "2: a glyph's width 65537 is out of range"},
        {"0 12 1 3 5 2\nA 0 9 0 12\nB 9 9 -99999 12", "3: a glyph's y -99999 is out of range"},
        {"-65537 99999999 1 1 5 0", "1: the strip top -65537 is out of range"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.text), c.problem) << c.text;
}

TEST(FontLayout, MeasuresAndBreaksLines)
{
    const EvenFont font;
    EXPECT_EQ(Font::MeasureString(font, L"abc"), 30);
    EXPECT_EQ(Font::MeasureString(font, L""), 0);
    EXPECT_EQ(Font::MeasureString(font, nullptr), 0);

    // Line starts and the widest line, whose width counts each word's trailing white space: the
    // space a line wraps at too, and a line feed.
    struct Case
    {
        const wchar_t* text;
        int maxWidth;
        std::vector<int> starts;
        int widest;
    };
    const Case cases[] = {
        {L"aa bb cc", 60, {0, 6, 8}, 60},    // "aa bb " with the space it wraps at
        {L"ab cd  ef", 50, {0, 7, 9}, 60},   // the spaces at a break go to neither line
        {L"ab  \ncd", 1000, {0, 5, 7}, 50},  // a line feed ends its line where it stands
        {L"a\nb", 1000, {0, 2, 3}, 20},      // the line feed advances too
        {L"", 1000, {0, 0}, 0},              // one empty line
        {L"abcdefgh", 30, {0, 3, 6, 8}, 30}, // a word wider than its line is cut where it overflows
        {L"abc", 0, {0, 1, 2, 3}, 10},       // narrower than one character: one a line, and it ends
        {L"ab", -5, {0, 1, 2}, 10},
    };
    for (const Case& c : cases)
    {
        TextLines lines;
        EXPECT_EQ(Starts(font, c.text, c.maxWidth, &lines), c.starts) << c.text;
        EXPECT_EQ(lines.widestWidth, c.widest) << c.text << " at " << c.maxWidth;
    }
    EXPECT_EQ(Font::MeasureTextBlock(font, L"", 1000), (Vector2<int>{0, 12}));

    // A run far longer than any word buffer is measured whole.
    const std::wstring run(600, L'x');
    EXPECT_EQ(Font::MeasureTextBlock(font, run.c_str(), 100000), (Vector2<int>{6000, 12}));
    EXPECT_EQ(Font::MeasureTextBlock(font, run.c_str(), 1000), (Vector2<int>{1000, 12 * 6}));
}

TEST(FontLayout, AsksTheLineWidthsOncePerLine)
{
    struct Narrow : Graphics::ILineWidths
    {
        mutable std::vector<std::pair<int, int>> asked;
        int GetLineWidth(int line, int maxWidth) const override
        {
            asked.emplace_back(line, maxWidth);
            return line == 0 ? 20 : maxWidth;
        }
    } narrow;
    TextLines lines;
    Font::BreakLines(EvenFont(), L"abcdef", 100, &narrow, lines);
    EXPECT_EQ(lines.lineStarts, (std::vector<int>{0, 2, 6}));
    EXPECT_EQ(narrow.asked, (std::vector<std::pair<int, int>>{{0, 100}, {1, 100}}));
}

TEST(FontLayout, BreakingEndsAndKeepsTheTextForEveryWidth)
{
    Testing::TestFontSpec spec;
    spec.kerning = {{{'A', 'V'}, -2}, {{'V', 'A'}, -3}, {{'W', 'a'}, -1}};
    const auto font = Testing::MakeTestFont(spec);
    const std::wstring text = L"AVAVA Wave  to the\nkitchen: supercalifragilistic stew\n\n  ok \tdone ";
    const auto isSpace = [](wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); };

    for (int width = 0; width <= 200; ++width)
    {
        TextLines lines;
        Font::BreakLines(*font, text.c_str(), width, nullptr, lines);
        const std::vector<int>& starts = lines.lineStarts;
        ASSERT_GE(starts.size(), 2u);
        ASSERT_EQ(starts.front(), 0);
        ASSERT_EQ(starts.back(), static_cast<int>(text.size())) << width;
        std::wstring rebuilt;
        for (int k = 0; k < lines.GetLineCount(); ++k)
        {
            // Every line but a last empty one moves on; lines join into the text again.
            if (k + 1 < lines.GetLineCount())
            {
                ASSERT_LT(starts[k], starts[k + 1]) << "width " << width << " line " << k;
            }
            // No line that a wrap begins starts with white space.
            if (k > 0 && text[starts[k] - 1] != L'\n' && starts[k] < static_cast<int>(text.size()))
            {
                EXPECT_FALSE(isSpace(text[starts[k]])) << "width " << width << " line " << k;
            }
            int end = starts[k + 1];
            rebuilt.append(text, starts[k], end - starts[k]);
            while (end > starts[k] && isSpace(text[end - 1]))
                --end;
            // Only a single character may be wider than the line.
            if (end - starts[k] >= 2)
            {
                EXPECT_LE(Font::MeasureRange(*font, text.c_str() + starts[k], text.c_str() + end), width)
                    << "width " << width << " line " << k;
            }
        }
        EXPECT_EQ(rebuilt, text);
    }
}
