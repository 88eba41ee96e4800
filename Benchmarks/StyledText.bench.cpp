// The level screen sets its score text every update. Each benchmark is one update's worth: set a
// text node's text, then draw the node onto an 800 x 600 image canvas (".../0") or onto a canvas
// that takes text and draws nothing (".../1": what the node itself costs, without the blits).
// "Score" is a 6-digit score, "Paragraph" 400 characters wrapped at 300 pixels, two styles (every
// third word in another colour and font) for the styled text node. The peer is the text sprite
// node setting and drawing the same plain text. Names end in /Corvane (the styled text node) or
// /Peer.
//
//   build-rel/Benchmarks/styled_text_benchmark --benchmark_min_time=0.5
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "SceneGraph/TextSpriteNode.h"
#include "Support/ResourceFolder.h"
#include "Support/TestFontFactory.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
// Takes text and draws nothing.
class NullTextCanvas : public ICanvas, public ITextDrawingCanvas
{
public:
    Label GetName() override { return Label("NullTextCanvas"); }
    const Rect<int>& GetBounds() override { return mBounds; }
    bool QueryInterface(Label name, void** out) override
    {
        return AnswerInterface<ICanvas>(name, this, out) || AnswerInterface<ITextDrawingCanvas>(name, this, out);
    }
    int DrawText(const wchar_t* text, float x, float y, const DrawState&) override
    {
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(x + y);
        return 0;
    }

private:
    Rect<int> mBounds{0, 0, 800, 600};
};

// The fonts, by name in the resource manager as the game has them.
struct Fonts
{
    Fonts()
    {
        folder.Manager().RegisterFactory(L"testfont", new Testing::TestFontFactory);
        folder.WriteManifest("Fonts", R"(
            <testfont name="Body" first="32" last="126" lineHeight="16" widthBase="5" smooth="true" kerning="AV-2"/>
            <testfont name="Bold" first="32" last="126" lineHeight="18" widthBase="6" kerning="To-1"/>)");
        folder.Manager().LoadAndWait(L"Fonts", true, nullptr);
    }
    Font* Get(const char* name) { return ResourceManager::Get<Font>(name).Get(); }

    Testing::ResourceFolder folder;
};

Fonts& GetFonts()
{
    static Fonts fonts;
    return fonts;
}

// Words of 2 to 11 letters with single spaces, 400 characters; every third word in the other
// style when styled.
std::wstring Paragraph(bool styled)
{
    std::wstring text;
    std::size_t plain = 0;
    unsigned seed = 7;
    for (int word = 0; plain < 400; ++word)
    {
        seed = seed * 1103515245u + 12345u;
        const int letters = 2 + int(seed >> 16) % 10;
        std::wstring piece;
        for (int i = 0; i < letters && plain + piece.size() < 399; ++i)
            piece += wchar_t(L'a' + (seed >> (i + 3)) % 26);
        piece += L' ';
        plain += piece.size();
        if (styled && word % 3 == 1)
            text += L"<style color=\"#FFD040\" font=\"Bold\">" + piece + L"</style>";
        else
            text += piece;
    }
    return text;
}

// Six-digit scores, a different one each update.
const std::vector<std::wstring>& Scores()
{
    static const std::vector<std::wstring> scores = [] {
        std::vector<std::wstring> list;
        for (int i = 0; i < 64; ++i)
            list.push_back(std::to_wstring(100000 + i * 13579));
        return list;
    }();
    return scores;
}

enum Kind
{
    kScore,
    kParagraph
};

// Runs set-and-draw updates with the render context drawing on canvas (0: image, 1: nothing).
template <typename Update> void RunUpdates(benchmark::State& state, Update update)
{
    Image target(800, 600);
    cImageCanvas image(target);
    NullTextCanvas nothing;
    RenderContext context = GetRenderContext();
    context.target = state.range(0) == 0 ? static_cast<ICanvas*>(&image) : &nothing;
    ScopedDrawState current(context);
    std::size_t i = 0;
    for (auto _ : state)
        update(i++);
}

void StyledText(benchmark::State& state, Kind kind)
{
    TextStyle style;
    style.font = Label("Body");
    GetFonts();
    StyledTextSpriteNode node({10.0f, 10.0f}, L"", style, kind == kParagraph ? 300.0f : 0.0f);
    const std::wstring paragraph = Paragraph(true);
    RunUpdates(state, [&](std::size_t i) {
        if (kind == kScore)
            node.SetText(Scores()[i % Scores().size()]);
        else
            node.SetMarkup(paragraph);
        node.Draw({0.0f, 0.0f});
    });
    state.SetLabel(std::to_string(node.GetLines().size()) + " lines");
}

void PlainText(benchmark::State& state, Kind kind)
{
    TextSpriteNode node({10.0f, 10.0f}, L"", GetFonts().Get("Body"), kind == kParagraph ? 300.0f : 0.0f,
                        {1.0f, 1.0f, 1.0f, 1.0f});
    const std::wstring paragraph = Paragraph(false);
    RunUpdates(state, [&](std::size_t i) {
        node.SetText(kind == kScore ? Scores()[i % Scores().size()] : paragraph);
        node.Draw({0.0f, 0.0f});
    });
}
} // namespace

BENCHMARK_CAPTURE(StyledText, Score, kScore)
    ->Name("StyledText/Score/Corvane")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PlainText, Score, kScore)
    ->Name("StyledText/Score/Peer")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StyledText, Paragraph, kParagraph)
    ->Name("StyledText/Paragraph/Corvane")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PlainText, Paragraph, kParagraph)
    ->Name("StyledText/Paragraph/Peer")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
