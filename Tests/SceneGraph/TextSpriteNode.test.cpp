#include "SceneGraph/TextSpriteNode.h"

#include "Graphics/RenderContext.h"
#include "Support/ControlScene.h"
#include "Support/TestFont.h"
#include "Support/TextCanvas.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
// The node's own size (not the wrap width that TextSpriteNode::GetWidth answers).
Vector2<float> Size(const SceneNode& node)
{
    return {node.GetWidth(), node.GetHeight()};
}

// The lines node draws onto a text canvas.
std::vector<TextCanvas::Line> Drawn(TextSpriteNode& node)
{
    TextCanvas canvas;
    RenderContext context = GetRenderContext();
    context.target = &canvas;
    ScopedDrawState scope(context);
    node.Draw({0.0f, 0.0f});
    return canvas.lines;
}
} // namespace

// With the test font (line height 10) "A" advances 4, "B" 5, "C" 6, "D" 3 and a space 4.
TEST(TextSpriteNode, TheSizeFollowsTextFontAndWrapWidth)
{
    const auto font = MakeTestFont();
    TextSpriteNode node({0.0f, 0.0f}, L"ABCD", font.get(), 0.0f, {1, 1, 1, 1});
    EXPECT_EQ(Size(node), (Vector2<float>{18, 10}));
    // Wrapped blocks are as wide as the font measures their widest line, one line high per line.
    const auto block = [&](const wchar_t* text, int wrap) {
        return float(Font::MeasureTextBlock(*font, text, wrap).x);
    };
    const struct
    {
        const wchar_t* text;
        float wrap;
        bool withFont;
        Vector2<float> size;
    } cases[] = {
        {L"AB", 0.0f, true, {9, 10}},
        {L"AB AB AB", 0.0f, true, {35, 10}},
        {L"AB AB AB", 20.9f, true, {block(L"AB AB AB", 20), 30}},
        {L"AB AB AB", 22.0f, true, {block(L"AB AB AB", 22), 20}},
        {L"AB\nC", 100.0f, true, {block(L"AB\nC", 100), 20}},
        {L"", 0.0f, true, {0, 0}},
        {L"", 50.0f, true, {0, 0}},
        {L"ABCD", 0.0f, false, {0, 0}},
    };
    for (const auto& c : cases)
    {
        node.SetFont(c.withFont ? font.get() : nullptr);
        node.SetWidth(c.wrap);
        node.SetText(c.text);
        EXPECT_EQ(Size(node), c.size) << "'" << std::string(c.text, c.text + wcslen(c.text)) << "' wrap " << c.wrap;
        EXPECT_EQ(node.GetWidth(), c.wrap) << "the wrap width is kept apart from the node's width";
    }
    node.SetText(L"ABCD");
    node.SetWidth(0.0f);
    EXPECT_EQ(Size(node), (Vector2<float>{0, 0})) << "no font yet";
    node.SetFont(font.get());
    EXPECT_EQ(Size(node), (Vector2<float>{18, 10})) << "a new font measures again";
    node.SetJustify(2);
    node.SetTextMode(1);
    EXPECT_EQ(Size(node), (Vector2<float>{18, 10})) << "justification and text mode leave the size";
}

TEST(TextSpriteNode, EveryJustificationKeepsTheTextsLeftEdgeAtTheNodes)
{
    const auto font = MakeTestFont();
    TextSpriteNode node({10.0f, 20.0f}, L"ABCD", font.get(), 0.0f, {1.0f, 0.5f, 0.25f, 0.5f});
    node.SetEffectColor({0.1f, 0.2f, 0.3f, 1.0f});
    node.SetTextMode(2);
    for (int justify : {0, 1, 2})
    {
        node.SetJustify(justify);
        const auto lines = Drawn(node);
        ASSERT_EQ(lines.size(), 2u) << "the drop shadow, then the text";
        EXPECT_EQ(lines[1].text, L"ABCD");
        EXPECT_EQ(lines[1].x, 10.0f) << "justification " << justify;
        EXPECT_EQ(lines[1].y, 20.0f);
        EXPECT_EQ(lines[1].state.horizontalAlignment, justify);
        EXPECT_EQ(lines[1].color, (ColorF{1.0f, 0.5f, 0.25f, 0.5f}));
        EXPECT_EQ(lines[0].color.red, 0.1f) << "the shadow in the effect colour";
    }

    // A wrapped block: each line is aligned within the widest one.
    node.SetTextMode(0);
    node.SetText(L"ABCD D");
    node.SetWidth(20.0f);
    node.SetJustify(1);
    ASSERT_EQ(node.SceneNode::GetHeight(), 20.0f);
    const float middle = std::floor(10.0f + node.SceneNode::GetWidth() / 2);
    auto lines = Drawn(node);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].x, 10.0f) << "the widest line fills the block";
    EXPECT_EQ(lines[1].x, std::floor(middle - 1.5f)) << "the 3-wide D centred on the block's middle";
    EXPECT_EQ(lines[1].y, 30.0f);

    // No blur snaps to whole pixels.
    node.SetText(L"AB");
    node.SetWidth(0.0f);
    node.SetJustify(0);
    node.SetNoBlur(true);
    node.SetPosition(10.6f, 20.4f);
    lines = Drawn(node);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ((Vector2<float>{lines[0].x, lines[0].y}), (Vector2<float>{11.0f, 20.0f}));

    node.SetVisible(false);
    EXPECT_TRUE(Drawn(node).empty()) << "a hidden node draws nothing";
}

TEST(TextSpriteNode, TheLayoutElementSetsTextFontAndLooks)
{
    ControlScene scene;
    scene.Load(R"(<testfont name="Font"/><string name="Greeting" value="ABCD"/>)");
    const struct
    {
        const char* attributes;
        std::wstring text;
        Vector2<float> size;
        int justify, mode;
        bool noBlur;
        ColorF effect;
    } cases[] = {
        {R"(text="AB" font="Font")", L"AB", {9, 10}, 0, 0, false, {1, 1, 1, 1}},
        {R"(text="AB" font="Font" textResource="Greeting")", L"ABCD", {18, 10}, 0, 0, false, {1, 1, 1, 1}},
        {R"(text="AB" font="Font" textResource="Nowhere")", L"Missing: \"Nowhere\"", {}, 0, 0, false, {1, 1, 1, 1}},
        {R"(text="AB" font="NoFont" textJustify="right")", L"AB", {0, 0}, 2, 0, false, {1, 1, 1, 1}},
        {R"(font="Font" textJustify="center" textMode="outline" noBlur="true" bgColor="#FF000080")",
         L"",
         {0, 0},
         1,
         1,
         true,
         {1, 0, 0, 128 / 255.0f}},
        {R"(textJustify="Center" textMode="Outline")", L"", {0, 0}, 0, 0, false, {1, 1, 1, 1}},
        {R"(textMode="dropShadow" bgColor="")", L"", {0, 0}, 0, 2, false, {0, 0, 0, 1}},
        {R"(text="AB AB AB" font="Font" width="20")", L"AB AB AB", {}, 0, 0, false, {1, 1, 1, 1}},
    };
    for (const auto& c : cases)
    {
        auto* node = dynamic_cast<TextSpriteNode*>(scene.Show(std::string("<textspritenode ") + c.attributes + "/>"));
        ASSERT_NE(node, nullptr) << c.attributes;
        EXPECT_EQ(node->GetText(), c.text) << c.attributes;
        if (c.text.rfind(L"Missing", 0) == 0)
            EXPECT_EQ(node->SceneNode::GetWidth(), float(Font::MeasureString(*node->GetFont(), c.text.c_str())))
                << "sized for the text it shows";
        else if (node->GetWidth() > 0.0f)
            EXPECT_EQ(Size(*node),
                      (Vector2<float>{float(Font::MeasureTextBlock(*node->GetFont(), c.text.c_str(), 20).x), 30.0f}))
                << "wrapped at its width";
        else
            EXPECT_EQ(Size(*node), c.size) << c.attributes;
        EXPECT_EQ(node->GetJustify(), c.justify) << c.attributes;
        EXPECT_EQ(node->GetTextMode(), c.mode) << c.attributes;
        EXPECT_EQ(node->GetNoBlur(), c.noBlur) << c.attributes;
        EXPECT_EQ(node->GetEffectColor(), c.effect) << c.attributes;
        EXPECT_EQ(node->GetColor(), (ColorF{1, 1, 1, 1})) << "white unless the layout says";
    }
}
