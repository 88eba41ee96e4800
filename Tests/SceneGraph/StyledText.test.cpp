#include "SceneGraph/StyledText.h"

#include "Support/DebugCapture.h"
#include "Support/ResourceFolder.h"
#include "Support/TestFontFactory.h"
#include "Support/TextCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;
using namespace StyledTextGraphics;
using namespace StyledTextGraphics::Graphics;

namespace
{
const ColorF kRed{1, 0, 0, 1};
const ColorF kGreen{0, 1, 0, 1};

// Fonts whose capitals have simple widths (spacing 0, spaces 5 pixels wide): in "Wide" A is 10
// pixels, B 11, C 12, D 9; "Tall" is "Wide" with lines of 20; in "Huge" A is 120; "Kerned" is
// "Wide" with A then B 3 pixels closer and B then B 2 closer.
class StyledTextTest : public testing::Test
{
protected:
    StyledTextTest()
    {
        mResources.Manager().RegisterFactory(L"testfont", new TestFontFactory);
        mResources.WriteManifest("Fonts", R"(
            <testfont name="Wide" first="65" last="90" lineHeight="12" widthBase="9" spacing="0" spaceWidth="5"/>
            <testfont name="Tall" first="65" last="90" lineHeight="20" widthBase="9" spacing="0" spaceWidth="5"/>
            <testfont name="Huge" first="65" last="70" lineHeight="30" widthBase="119" spacing="0"/>
            <testfont name="Kerned" first="65" last="90" lineHeight="12" widthBase="9" spacing="0" spaceWidth="5"
                      kerning="AB-3,BB-2"/>)");
        mResources.Manager().LoadAndWait(L"Fonts", true, nullptr);
    }

    static TextStyle Base(const char* font = "Wide")
    {
        TextStyle style;
        style.font = Label(font);
        return style;
    }

    ResourceFolder mResources;
};

std::vector<std::wstring> Texts(const StyleRunList& runs)
{
    std::vector<std::wstring> texts;
    for (const StyleRun& run : runs)
        texts.push_back(run.text);
    return texts;
}

std::wstring Repeat(const wchar_t* piece, int times)
{
    std::wstring text;
    while (times-- > 0)
        text += piece;
    return text;
}

// Answers a narrower first line.
class NarrowFirstLine final : public ILineWidths
{
public:
    int GetLineWidth(int lineIndex, int maxWidth) const override { return lineIndex == 0 ? 50 : maxWidth; }
};
} // namespace

TEST_F(StyledTextTest, MarkupSplitsTextIntoRunsOfInheritedStyles)
{
    TextStyle red = Base();
    red.color = kRed;
    TextStyle green = Base();
    green.color = kGreen;
    TextStyle tallGreen = Base("Tall");
    tallGreen.color = kGreen;
    TextStyle effects = Base();
    effects.bgColor = ColorF{0, 0, 1, 1};
    effects.textMode = kTextOutline;
    TextStyle shadow = Base();
    shadow.textMode = kTextDropShadow;

    const struct
    {
        const wchar_t* markup;
        std::vector<std::wstring> texts;
        std::vector<TextStyle> styles;
    } cases[] = {
        {L"a<style color=\"#FF0000\">b</style>c", {L"a", L"b", L"c"}, {Base(), red, Base()}},
        {L"one <b>two</b> <i/>three", {L"one two three"}, {Base()}},
        {L"<style color=\"#00FF00\">x<style font=\"Tall\">y</style></style>", {L"x", L"y"}, {green, tallGreen}},
        {L"<style color='#00FF00'/>z", {L"z"}, {Base()}},
        {L"<style bgColor=\"#0000FF\" textMode=\"outline\">o</style><style textMode=\"dropShadow\">s</style>"
         L"<style textMode=\"Outline\">p</style>",
         {L"o", L"s", L"p"},
         {effects, shadow, Base()}},
        // Names compare with case: this is no style element.
        {L"<STYLE color=\"#FF0000\">q</STYLE>", {L"q"}, {Base()}},
        {L"&lt;b&gt; &amp; &quot;\x00E9\x20AC\"", {L"<b> & \"\x00E9\x20AC\""}, {Base()}},
        {L"", {}, {}},
        // A stray end tag leaves the base style in place.
        {L"a</style>b<style color=\"#FF0000\">c</style></style>d",
         {L"a", L"b", L"c", L"d"},
         {Base(), Base(), red, Base()}},
    };
    for (const auto& c : cases)
    {
        const StyleRunList runs = ParseStyleRunList(c.markup, Base());
        ASSERT_EQ(Texts(runs), c.texts);
        for (std::size_t i = 0; i < runs.size(); ++i)
        {
            EXPECT_EQ(runs[i].style, c.styles[i]) << i;
            EXPECT_EQ(runs[i].fontPtr, nullptr);
        }
    }
}

TEST_F(StyledTextTest, TextWithoutTagsReadsAsTheXMLReaderReadsIt)
{
    // An element of another name sends the text through the reader without changing it.
    const std::wstring texts[] = {
        L"123,456",
        L" ",
        L"x > y \"q\" 'a'",
        L"a\r\nb\tc",
        std::wstring(L"nul\0!", 5),
        L"\x00E9\x20AC\xFFFD\xFFFF",
        L"\x10000\x10FFFF",
        std::wstring(1, wchar_t(0xD800)) + L"z",
        std::wstring(1, wchar_t(0x110000)),
        L"\x0001",
    };
    for (const std::wstring& text : texts)
    {
        const StyleRunList direct = ParseStyleRunList(text, Base());
        const StyleRunList read = ParseStyleRunList(L"<b/>" + text, Base());
        EXPECT_EQ(Texts(direct), Texts(read)) << testing::PrintToString(text);
        ASSERT_EQ(direct.size(), 1u);
        EXPECT_EQ(direct[0].style, Base());
    }
}

TEST_F(StyledTextTest, MalformedMarkupIsReportedAndKeepsTheRunsReadBeforeIt)
{
    DebugCapture debug;
    const StyleRunList runs =
        ParseStyleRunList(L"ab<style color=\"#FF0000\">cd</style> 1 < 2 <style>ef</style>", Base());
    EXPECT_EQ(Texts(runs), (std::vector<std::wstring>{L"ab", L"cd"}));
    const std::string prefix =
        "StyledTextGraphics::Graphics::ComputeStyleRuns: There is an error in the XML style data: ";
    ASSERT_EQ(debug.Writes().size(), 1u);
    EXPECT_EQ(debug.Text().rfind(prefix, 0), 0u) << debug.Text();
    EXPECT_NE(debug.Text().find("StyleRunList temp"), std::string::npos) << debug.Text();
    EXPECT_EQ(debug.Text().back(), '\n');
}

TEST_F(StyledTextTest, LinesBreakAtSpacesCutLongWordsAndEndAtLineFeeds)
{
    const struct
    {
        const char* what;
        std::wstring markup;
        int maxWidth;
        std::vector<LineDimension> lines;
        int width, height;
    } cases[] = {
        {"two words and their space fill a line", L"AAAA AAAA AAAA", 100, {{10, 85, 12}, {4, 40, 12}}, 85, 24},
        {"spaces before a soft wrap do not count", L"AAAA   AAAA", 60, {{7, 40, 12}, {4, 40, 12}}, 40, 24},
        {"a space before a line feed counts", L"AAAA \nAA", 100, {{6, 45, 12}, {2, 20, 12}}, 45, 24},
        {"a trailing line feed adds an empty line", L"AAAA\n", 100, {{5, 40, 12}, {0, 0, 0}}, 40, 12},
        {"a word wider than the line is cut",
         Repeat(L"A", 25),
         100,
         {{10, 100, 12}, {10, 100, 12}, {5, 50, 12}},
         100,
         36},
        {"a character wider than the line stays alone",
         L"<style font=\"Huge\">AAA</style>",
         100,
         {{1, 120, 30}, {1, 120, 30}, {1, 120, 30}},
         120,
         90},
        {"no wrapping", L"AAAA AAAA AAAA", 2147483647, {{14, 130, 12}}, 130, 12},
        {"the larger font sets the line height", L"AA<style font=\"Tall\">B</style> A", 100, {{5, 46, 20}}, 46, 20},
        {"kerning pairs across runs",
         L"<style font=\"Kerned\">A<style color=\"#FF0000\">BB</style></style>",
         100,
         {{3, 27, 12}},
         27,
         12},
        {"no text", L"", 100, {}, 0, 0},
        {"only runs without a font", L"<style font=\"Nope\">AAAA</style>", 100, {}, 0, 0},
        // The last run names a missing font: the earlier runs' last line is still recorded.
        {"a missing font ends the text",
         L"AAAA AA\nAAA<style font=\"Nope\">BB</style>",
         100,
         {{8, 65, 12}, {3, 30, 12}},
         65,
         24},
        {"a missing font in the middle", L"AA<style font=\"Nope\">BB</style>A", 100, {{3, 30, 12}}, 30, 12},
    };
    for (const auto& c : cases)
    {
        StyleRunList runs = ParseStyleRunList(c.markup, Base());
        const LineDimensionList lines = ComputeLineDimensions(runs, c.maxWidth, nullptr);
        EXPECT_EQ(std::vector<LineDimension>(lines.begin(), lines.end()), c.lines) << c.what;
        EXPECT_EQ(lines.width, c.width) << c.what;
        EXPECT_EQ(lines.height, c.height) << c.what;
    }
    StyleRunList runs = ParseStyleRunList(L"AAAA   AAAA <style color=\"#FF0000\">AA</style>", Base());
    EXPECT_EQ(LineTexts(runs, ComputeLineDimensions(runs, 60, nullptr)),
              (std::vector<std::wstring>{L"AAAA   ", L"AAAA ", L"AA"}))
        << "each line's characters as drawing takes them: the spaces a line wraps at stay at its end";
}

TEST_F(StyledTextTest, TheLayoutResolvesEachRunsFontAndAsksForEachLinesWidth)
{
    StyleRunList runs =
        ParseStyleRunList(L"AAAA <style font=\"Tall\">AAAA</style> AAAA<style font=\"x\">B</style>", Base());
    NarrowFirstLine narrow;
    const LineDimensionList lines = ComputeLineDimensions(runs, 100, &narrow);
    EXPECT_EQ(std::vector<LineDimension>(lines.begin(), lines.end()),
              (std::vector<LineDimension>{{5, 40, 12}, {9, 85, 20}}));
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].fontPtr, ResourceManager::Get<Font>("Wide").Get());
    EXPECT_EQ(runs[1].fontPtr, ResourceManager::Get<Font>("Tall").Get());
    EXPECT_EQ(runs[2].fontPtr, runs[0].fontPtr);
    EXPECT_EQ(runs[3].fontPtr, nullptr);
}

TEST_F(StyledTextTest, SegmentsAreDrawnInTheirRunsStylesAlongAlignedLines)
{
    // Line 1 "AB" + "BA " (kerned B then B), line 2 "AAAA" in "Tall" after "DD": small text on
    // the taller line's bottom.
    StyleRunList runs =
        ParseStyleRunList(L"<style font=\"Kerned\">AB<style color=\"#FF0000\" bgColor=\"#00FF00\" "
                          L"textMode=\"outline\">BA </style>DD</style><style font=\"Tall\">AAAA</style>",
                          Base());
    const LineDimensionList lines = ComputeLineDimensions(runs, 60, nullptr);
    ASSERT_EQ(std::vector<LineDimension>(lines.begin(), lines.end()),
              (std::vector<LineDimension>{{5, 37, 12}, {6, 58, 20}}));

    const struct
    {
        int hAlign, vAlign;
        float x, y;
        std::vector<std::pair<float, float>> places; // of "AB", "BA ", "DD", "AAAA"
        Rect<float> bounds;
    } cases[] = {
        {kAlignLeft, kAlignLeft, 10, 5, {{10, 5}, {26, 5}, {10, 25}, {28, 17}}, {10, 5, 58, 32}},
        {kAlignRight, kAlignRight, 100, 40, {{63, 8}, {79, 8}, {42, 28}, {60, 20}}, {42, 8, 58, 32}},
        // Centred lines start at whole pixels: floor (50 - 18.5) and floor (50 - 29); the block's
        // top too: floor (40.5 - 16).
        {kAlignCenter, kAlignCenter, 50, 40.5f, {{31, 24}, {47, 24}, {21, 44}, {39, 36}}, {21, 24.5f, 58, 32}},
    };
    for (const auto& c : cases)
    {
        DrawState state;
        state.horizontalAlignment = c.hAlign;
        state.verticalAlignment = c.vAlign;
        state.color = {0.2f, 0.2f, 0.2f, 0.75f};
        state.effectColor = {0.2f, 0.2f, 0.2f, 0.25f};
        TextCanvas canvas;
        Rect<float> bounds;
        ASSERT_EQ(DrawWrappedStyledText(runs, lines, c.x, c.y, &bounds, state, &canvas), 0);
        // The outlined run is drawn eight times around its place first.
        ASSERT_EQ(canvas.lines.size(), 12u);
        const TextCanvas::Line* segments[] = {&canvas.lines[0], &canvas.lines[9], &canvas.lines[10], &canvas.lines[11]};
        const wchar_t* texts[] = {L"AB", L"BA ", L"DD", L"AAAA"};
        for (int i = 0; i < 4; ++i)
        {
            EXPECT_EQ(segments[i]->text, texts[i]);
            EXPECT_EQ((std::pair{segments[i]->x, segments[i]->y}), c.places[i]) << i << " aligned " << c.hAlign;
        }
        EXPECT_EQ(bounds, c.bounds);
        // Colours are the runs', alphas the state's.
        EXPECT_EQ(canvas.lines[0].color, (ColorF{1, 1, 1, 0.75f}));
        EXPECT_EQ(canvas.lines[9].color, (ColorF{1, 0, 0, 0.75f}));
        EXPECT_EQ(canvas.lines[1].color, (ColorF{0, 1, 0, 0.25f * 0.75f}));
        EXPECT_EQ(canvas.lines[0].state.font, ResourceManager::Get<Font>("Kerned").Get());
        EXPECT_EQ(canvas.lines[11].state.font, ResourceManager::Get<Font>("Tall").Get());
    }
}

TEST_F(StyledTextTest, DrawingStopsWhenTheLinesAskForMoreTextThanTheRunsHold)
{
    DebugCapture debug;
    TextCanvas canvas;
    // A text ending in a line break lays out a last empty line: it asks for nothing and is no fault.
    StyleRunList closed = ParseStyleRunList(L"AB\n", Base());
    EXPECT_EQ(DrawWrappedStyledText(closed, ComputeLineDimensions(closed, 100, nullptr), 0, 0, nullptr, DrawState{},
                                    &canvas),
              0);
    EXPECT_EQ(debug.Text(), "");
    canvas.lines.clear();

    // The first line past the runs' characters is reported, not dropped in silence.
    StyleRunList runs = ParseStyleRunList(L"AB\nA", Base());
    LineDimensionList lines = ComputeLineDimensions(runs, 100, nullptr);
    lines.push_back({3, 30, 12});
    Rect<float> bounds;
    EXPECT_EQ(DrawWrappedStyledText(runs, lines, 0, 0, &bounds, DrawState{}, &canvas), 0);
    ASSERT_EQ(canvas.lines.size(), 2u);
    EXPECT_EQ(canvas.lines[0].text, L"AB\n");
    EXPECT_EQ(canvas.lines[1].text, L"A");
    EXPECT_EQ(debug.Text(), "StyledTextGraphics::Graphics::DrawWrappedStyledText: ran out of style runs (malformed "
                            "LineDimensionList?)\n");
    EXPECT_EQ(bounds, (Rect<float>{0, 0, 21, 24}));

    // A failing canvas ends the drawing with its code; nothing to draw is no failure.
    canvas.result = -3;
    EXPECT_EQ(DrawWrappedStyledText(runs, lines, 0, 0, nullptr, DrawState{}, &canvas), -3);
    EXPECT_EQ(canvas.lines.size(), 3u);
    EXPECT_EQ(DrawWrappedStyledText({}, lines, 0, 0, &bounds, DrawState{}, &canvas), 0);
    EXPECT_EQ(DrawWrappedStyledText(runs, {}, 0, 0, &bounds, DrawState{}, &canvas), 0);
    EXPECT_EQ(canvas.lines.size(), 3u);
}
