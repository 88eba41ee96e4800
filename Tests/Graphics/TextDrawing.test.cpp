#include "Graphics/TextDrawing.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "RecordingCanvas.h"
#include "Support/TestFont.h"
#include "Support/TextCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;
using Corvane::Testing::RecordingCanvas;
using Corvane::Testing::TextCanvas;

namespace
{
// The canvas's picture, one character per pixel: '.' empty, '#' the outline (black), else the
// character whose glyph colour is there.
std::vector<std::string> Picture(const Image& image)
{
    std::vector<std::string> rows;
    for (int y = 0; y < image.GetHeight(); ++y)
    {
        std::string row;
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const PackedColor pixel = image.GetPixel(x, y);
            row += pixel == 0 ? '.' : pixel == 0xFF000000u ? '#' : char((pixel >> 16) & 0xFF);
        }
        rows.push_back(row);
    }
    return rows;
}
} // namespace

TEST(TextDrawing, NothingToDrawWithoutFontOrText)
{
    const auto font = Testing::MakeTestFont();
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    DrawState noFont;
    DrawState withFont;
    withFont.font = font.get();
    for (const DrawState* state : {&noFont, &withFont})
    {
        const wchar_t* text = state == &noFont ? L"abc" : nullptr;
        EXPECT_EQ(DrawString(text, 0, 0, {1, 1, 1, 1}, *state, &canvas), 1);
        EXPECT_EQ(DrawText(text, 0, 0, *state, &canvas), 1);
        EXPECT_EQ(DrawTextBlock(text, 0, 0, 100, nullptr, *state, &canvas), 1);
        EXPECT_EQ(DrawTextBlockAt(text, 0, 0, 100, *state, &canvas), 1);
    }
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(DrawString(L"", 0, 0, {1, 1, 1, 1}, withFont, &canvas), 1);
}

TEST(TextDrawing, GlyphByGlyphAsImagesWhereTheCanvasHasNoText)
{
    Testing::TestFontSpec spec;
    spec.kerning = {{{'a', 'b'}, -2}};
    const auto font = Testing::MakeTestFont(spec);
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    DrawState state;
    state.font = font.get();
    state.horizontalAlignment = kAlignCenter; // a string never aligns
    const ColorF red{1, 0, 0, 1};
    EXPECT_EQ(DrawString(L"ab", 10, 20, red, state, &canvas), 0);
    ASSERT_EQ(canvas.calls.size(), 2u);
    GlyphInfo b;
    font->GetGlyph(L'b', &b);
    const Testing::CanvasCall& second = canvas.calls[1];
    EXPECT_EQ(second.image, font->GetImage());
    EXPECT_EQ(second.numbers, (std::vector<float>{10.0f + font->GetAdvance(L'a', L'b'), 20}));
    EXPECT_EQ(font->GetAdvance(L'a', L'b'), Testing::TestGlyphWidth(spec, 'a') + 1 - 2);
    EXPECT_TRUE(second.state.HasSourceRect());
    EXPECT_EQ(second.state.sourceRect, b.rect);
    EXPECT_EQ(second.state.tint, red);
    EXPECT_EQ(second.state.horizontalAlignment, kAlignLeft);

    // The first failure ends the line.
    canvas.calls.clear();
    canvas.result = -7;
    EXPECT_EQ(DrawString(L"abc", 0, 0, red, state, &canvas), -7);
    EXPECT_EQ(canvas.calls.size(), 1u);
    // No way to draw images either.
    RecordingCanvas bare({});
    EXPECT_EQ(DrawString(L"abc", 0, 0, red, state, &bare), -2);
}

TEST(TextDrawing, EffectsAndAlignmentOnATextCanvas)
{
    const auto font = Testing::MakeTestFont();
    const int width = Font::MeasureString(*font, L"Hi");
    DrawState state;
    state.font = font.get();
    state.color = {1, 1, 0, 0.5f};
    state.effectColor = {0, 0, 1, 0.8f};
    state.effectOffsetX = 2;
    state.effectOffsetY = 3;
    state.horizontalAlignment = kAlignRight;
    state.verticalAlignment = kAlignCenter;

    const float x = 100 - float(width);
    const float y = 50 - float(font->GetLineHeight() / 2);
    const ColorF shadow{0, 0, 1, 0.4f};
    struct Case
    {
        int mode;
        std::vector<std::pair<float, float>> places; // the effect's, then the text's
    };
    const Case cases[] = {
        {kTextPlain, {{x, y}}},
        {kTextDropShadow, {{x + 2, y + 3}, {x, y}}},
        {kTextOutline,
         {{x - 2, y - 3},
          {x - 2, y},
          {x - 2, y + 3},
          {x, y - 3},
          {x, y + 3},
          {x + 2, y - 3},
          {x + 2, y},
          {x + 2, y + 3},
          {x, y}}},
    };
    for (const Case& c : cases)
    {
        TextCanvas canvas;
        state.textMode = c.mode;
        EXPECT_EQ(DrawText(L"Hi", 100, 50, state, &canvas), 0);
        ASSERT_EQ(canvas.lines.size(), c.places.size()) << c.mode;
        for (std::size_t i = 0; i < c.places.size(); ++i)
        {
            EXPECT_EQ(canvas.lines[i].text, L"Hi");
            EXPECT_EQ((std::pair{canvas.lines[i].x, canvas.lines[i].y}), c.places[i]) << c.mode << " pass " << i;
            const bool last = i + 1 == c.places.size();
            EXPECT_EQ(canvas.lines[i].color, last ? state.color : shadow) << c.mode << " pass " << i;
        }
    }

    // A block stops at the first line that fails.
    TextCanvas failing;
    failing.result = -4;
    state.textMode = kTextPlain;
    EXPECT_EQ(DrawTextBlockAt(L"one\ntwo", 0, 0, 1000, state, &failing), -4);
    EXPECT_EQ(failing.lines.size(), 1u);
}

TEST(TextDrawing, BlockBoundsCoverTheWidestLine)
{
    const auto font = Testing::MakeTestFont();
    TextCanvas canvas;
    DrawState state;
    state.font = font.get();
    state.horizontalAlignment = kAlignCenter;
    state.verticalAlignment = kAlignRight;
    // Narrower than the word: it is cut, every piece drawn, the bounds as wide as the widest.
    TextLines lines;
    Font::BreakLines(*font, L"kitchen", 12, nullptr, lines);
    ASSERT_GE(lines.GetLineCount(), 3);
    Rect<float> bounds;
    EXPECT_EQ(DrawTextBlock(L"kitchen", 50, 100, 12.9f, &bounds, state, &canvas), 0);
    ASSERT_EQ(int(canvas.lines.size()), lines.GetLineCount());
    const float height = float(font->GetLineHeight() * lines.GetLineCount());
    EXPECT_EQ(bounds, (Rect<float>{50 - lines.widestWidth * 0.5f, 100 - height, float(lines.widestWidth), height}));
    EXPECT_GT(lines.widestWidth, 0);
    EXPECT_LE(lines.widestWidth, 12);
    EXPECT_EQ(canvas.lines[1].y, 100 - height + font->GetLineHeight());

    // A wrapped line is drawn with the space it wrapped at and placed by its width with it.
    TextCanvas wrapped;
    state.horizontalAlignment = kAlignRight;
    const float width = float(Font::MeasureString(*font, L"tomato and "));
    EXPECT_EQ(DrawTextBlock(L"tomato and basil", 200, 0, width, &bounds, state, &wrapped), 0);
    ASSERT_EQ(wrapped.lines.size(), 2u);
    EXPECT_EQ(wrapped.lines[0].text, L"tomato and ");
    EXPECT_EQ(wrapped.lines[0].x, 200 - width);
    EXPECT_EQ(bounds.width, width);
}

TEST(TextDrawing, CentredOutlinedBlockOnAnImage)
{
    Testing::TestFontSpec spec;
    spec.lineHeight = 3;
    spec.widthBase = 1;
    spec.spaceWidth = 2;
    const auto font = Testing::MakeTestFont(spec);
    Image image(26, 12);
    cImageCanvas canvas(image);
    DrawState state;
    state.font = font.get();
    state.textMode = kTextOutline;
    state.effectOffsetX = 1;
    state.effectOffsetY = 1;
    state.horizontalAlignment = kAlignCenter;
    state.verticalAlignment = kAlignCenter;
    Rect<float> bounds;
    EXPECT_EQ(DrawTextBlock(L"ab cd\nefg", 13, 6, 100, &bounds, state, &canvas), 0);
    // Lines 18 and 12 wide (the line feed advances too), 6 high around (13, 6). Each line draws
    // its outline and then itself, so the second line's outline covers the first one's last row.
    const std::vector<std::string> expected = {
        "..........................", //
        "..........................", //
        "...########..########.....", //
        "...#aa#bbb#..#cccc#d#.....", //
        "...#aa#bbb#..#cccc#d#.....", //
        "...#aa#############d#.....", //
        "...####ee#fff#gggg###.....", //
        "......#ee#fff#gggg#.......", //
        "......#ee#fff#gggg#.......", //
        "......#############.......", //
        "..........................", //
        "..........................", //
    };
    EXPECT_EQ(Picture(image), expected);
    EXPECT_EQ(bounds, (Rect<float>{4, 3, 18, 6}));
}
