#include "SceneGraph/StyledTextSpriteNode.h"

#include "Framework/ValueResources.h"
#include "SceneGraph/TextNodeCountTask.h"
#include "Support/SceneHarness.h"
#include "Support/TestFontFactory.h"
#include "Support/TextCanvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
// A screen with the fonts of the styled text tests: in "Wide" A is 10 pixels, B 11 (lines of
// 12), and it has digits; "Tall" has lines of 20.
class StyledTextScene : public SceneHarness
{
public:
    StyledTextScene()
    {
        RegisterValueResourceFactories();
        Manager().RegisterFactory(L"testfont", new TestFontFactory);
        Load(R"(<testfont name="Wide" first="44" last="90" lineHeight="12" widthBase="9" spacing="0" spaceWidth="5"/>
                <testfont name="Tall" first="65" last="90" lineHeight="20" widthBase="9" spacing="0" spaceWidth="5"/>
                <string name="Dish" value="Fish &amp; Chips &lt;hot&gt;"/>)");
    }

    StyledTextSpriteNode* Show(const std::string& attributes)
    {
        return dynamic_cast<StyledTextSpriteNode*>(SceneHarness::Show("<styledtextspritenode " + attributes + "/>"));
    }
};

// Counts its layouts.
class CountingNode : public StyledTextSpriteNode
{
public:
    using StyledTextSpriteNode::StyledTextSpriteNode;
    int layouts = 0;

protected:
    void Layout() override
    {
        ++layouts;
        StyledTextSpriteNode::Layout();
    }
};

TextStyle WideStyle()
{
    TextStyle style;
    style.font = Label("Wide");
    return style;
}
} // namespace

TEST(StyledTextSpriteNode, PlainTextShowsAsTypedAndMarkupStylesIt)
{
    StyledTextScene scene;
    StyledTextSpriteNode node({0, 0}, L"", WideStyle(), 0.0f);
    node.SetText(L"AB < C & \"D\" > 'E'");
    EXPECT_EQ(node.GetText(), L"AB &lt; C &amp; &quot;D&quot; &gt; 'E'");
    ASSERT_EQ(node.GetStyleRuns().size(), 1u);
    EXPECT_EQ(node.GetStyleRuns()[0].text, L"AB < C & \"D\" > 'E'");

    const std::wstring markup = L"A<style color=\"#FF0000\">B</style>";
    node.SetMarkup(markup);
    EXPECT_EQ(node.GetText(), markup);
    ASSERT_EQ(node.GetStyleRuns().size(), 2u);
    EXPECT_EQ(node.GetStyleRuns()[1].style.color, (ColorF{1, 0, 0, 1}));
    EXPECT_EQ((Vector2<float>{node.SceneNode::GetWidth(), node.GetHeight()}), (Vector2<float>{21, 12}));

    // Through the text interface (as text resources and the count task set it): escaped.
    static_cast<IText&>(node).SetText(L"<style>");
    EXPECT_EQ(node.GetStyleRuns()[0].text, L"<style>");
}

TEST(StyledTextSpriteNode, ItsSizeFollowsTextStyleAndWidthAndAnUnchangedWidthLaysNothingOut)
{
    StyledTextScene scene;
    CountingNode node({0, 0}, L"AAAA AAAA AAAA", WideStyle(), 0.0f);
    const auto size = [&] { return Vector2<float>{node.SceneNode::GetWidth(), node.GetHeight()}; };
    EXPECT_EQ(size(), (Vector2<float>{130, 12}));

    const struct
    {
        const char* what;
        std::function<void()> change;
        Vector2<float> size;
        int layouts;
    } steps[] = {
        {"wrap at 100.9", [&] { node.SetWidth(100.9f); }, {85, 24}, 1},
        {"the same width", [&] { node.SetWidth(100.9f); }, {85, 24}, 0},
        {"wrap at 85", [&] { node.SetWidth(85.0f); }, {85, 24}, 1},
        {"a taller base font",
         [&] {
             node.SetStyle({{1, 1, 1, 1}, {1, 1, 1, 1}, Label("Tall"), 0});
         },
         {85, 40},
         1},
        {"shorter text", [&] { node.SetText(L"AB"); }, {21, 20}, 1},
        {"no wrapping", [&] { node.SetWidth(0.0f); }, {21, 20}, 1},
        {"the justification only", [&] { node.SetJustify(kAlignCenter); }, {21, 20}, 0},
        {"no text", [&] { node.SetMarkup(L""); }, {0, 0}, 1},
    };
    for (const auto& step : steps)
    {
        node.layouts = 0;
        step.change();
        EXPECT_EQ(size(), step.size) << step.what;
        EXPECT_EQ(node.layouts, step.layouts) << step.what;
    }

    // The laid-out size is what hit tests see, right and bottom edges outside.
    node.SetText(L"AB");
    EXPECT_TRUE(node.HitTest({20.9f, 19.9f}));
    EXPECT_FALSE(node.HitTest({21.0f, 10.0f}));
    EXPECT_FALSE(node.HitTest({10.0f, 20.0f}));
}

TEST(StyledTextSpriteNode, LayoutElementsGiveTheBaseStyleAndTheirOptions)
{
    StyledTextScene scene;
    StyledTextSpriteNode* node =
        scene.Show(R"(font="Wide" color="#FF0000" bgColor="#00FF00" textMode="dropShadow" textJustify="right"
                      width="100.9" noBlur="true" text="AAAA &lt;style textMode=&quot;outline&quot;&gt;AAAA&lt;/style&gt; AAAA")");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetStyle(), (TextStyle{{1, 0, 0, 1}, {0, 1, 0, 1}, Label("Wide"), kTextDropShadow}));
    EXPECT_EQ(node->GetJustify(), kAlignRight);
    EXPECT_EQ(node->GetWidth(), 100.9f);
    EXPECT_TRUE(node->GetNoBlur());
    ASSERT_EQ(node->GetStyleRuns().size(), 3u);
    EXPECT_EQ(node->GetStyleRuns()[1].style.textMode, kTextOutline);
    EXPECT_EQ(node->GetLines().size(), 2u);

    // Defaults: white, no font, left, no wrapping; a text resource replaces the text, as plain text.
    node = scene.Show(R"(text="ignored" textResource="Dish")");
    EXPECT_EQ(node->GetStyle(), TextStyle{});
    EXPECT_EQ(node->GetJustify(), kAlignLeft);
    EXPECT_FALSE(node->GetNoBlur());
    EXPECT_EQ(node->GetText(), L"Fish &amp; Chips &lt;hot&gt;");
    EXPECT_EQ(scene.Show(R"(textResource="Nothing")")->GetText(), L"Missing: &quot;Nothing&quot;");
}

TEST(StyledTextSpriteNode, DrawsJustifiedSnappedAndFadedByItsWorldAlpha)
{
    StyledTextScene scene;
    // 101 pixels wide: nine A and a B.
    const struct
    {
        const char* attributes;
        std::pair<float, float> place;
    } cases[] = {
        // The anchor floor (10 + 50.5) = 60; the line starts at floor (60 - 50.5).
        {R"(x="10" y="5" textJustify="center")", {9, 5}},
        {R"(x="10" y="5" textJustify="right")", {10, 5}},
        {R"(x="10.4" y="20.6" noBlur="true")", {10, 21}},
        {R"(x="10.4" y="20.6")", {10.4f, 20.6f}},
    };
    for (const auto& c : cases)
    {
        StyledTextSpriteNode* node = scene.Show(std::string(R"(font="Wide" text="AAAAAAAAAB" )") + c.attributes);
        ASSERT_EQ(node->SceneNode::GetWidth(), 101.0f);
        TextCanvas canvas;
        scene.Draw(&canvas);
        ASSERT_EQ(canvas.lines.size(), 1u) << c.attributes;
        EXPECT_EQ((std::pair{canvas.lines[0].x, canvas.lines[0].y}), c.place) << c.attributes;
        node->SetVisible(false);
    }

    // Half the alpha for every run's text and effect, whatever colours the runs have; the clip
    // rectangle is the node's.
    SceneNode* faded = scene.SceneHarness::Show(
        R"(<scenenode alpha="0.5"><styledtextspritenode font="Wide" textMode="outline" bgColor="#0000FF"
               text="A&lt;style color=&quot;#00FF00&quot; bgColor=&quot;#FF0000&quot;&gt;B&lt;/style&gt;"/></scenenode>)");
    auto* node = dynamic_cast<StyledTextSpriteNode*>(faded->GetChildren().front());
    node->SetClipRect({1, 2, 30, 40});
    TextCanvas canvas;
    scene.Draw(&canvas);
    ASSERT_EQ(canvas.lines.size(), 18u);
    EXPECT_EQ(canvas.lines[0].color, (ColorF{0, 0, 1, 0.25f}));
    EXPECT_EQ(canvas.lines[8].color, (ColorF{1, 1, 1, 0.5f}));
    EXPECT_EQ(canvas.lines[9].color, (ColorF{1, 0, 0, 0.25f}));
    EXPECT_EQ(canvas.lines[17].color, (ColorF{0, 1, 0, 0.5f}));
    EXPECT_EQ(canvas.lines[17].state.clip, (Rect<int>{1, 2, 30, 40}));
}

TEST(TextNodeCountTask, CountsThroughTheNumbersToTheEndValue)
{
    StyledTextScene scene;
    const struct
    {
        const char* what;
        int from, to;
        float duration;
        bool clone;
        std::vector<std::wstring> texts; // after each update of 0.5 s
    } cases[] = {
        {"up", 0, 100, 2.0f, false, {L"25", L"50", L"75", L"100"}},
        {"down", 10, 0, 1.0f, false, {L"5", L"0"}},
        {"grouped digits", 0, 12000, 1.0f, false, {L"6,000", L"12,000"}},
        {"no time", 3, 7, 0.0f, false, {L"7"}},
        {"a clone", 0, 100, 2.0f, true, {L"100"}},
    };
    for (const auto& c : cases)
    {
        StyledTextSpriteNode node({0, 0}, L"", WideStyle(), 0.0f);
        std::unique_ptr<Task> task(new TextNodeCountTask(c.from, c.to, c.duration));
        if (c.clone)
            task.reset(task->Clone());
        std::vector<std::wstring> texts;
        for (int update = 0; update < 10; ++update)
        {
            const TaskResult result = task->Update(&node, 0.5f);
            texts.push_back(node.GetText());
            if (result.status == kTaskFinished)
                break;
        }
        EXPECT_EQ(texts, c.texts) << c.what;
    }

    // Each number is laid out: the node's size follows the digits.
    StyledTextSpriteNode node({0, 0}, L"", WideStyle(), 0.0f);
    TextNodeCountTask task(9, 10, 1.0f);
    task.Update(&node, 0.0f);
    const float oneDigit = node.SceneNode::GetWidth();
    task.Update(&node, 1.0f);
    EXPECT_GT(node.SceneNode::GetWidth(), oneDigit);
}

TEST(TextNodeCountTask, RunsOnlyOnStyledTextNodes)
{
    SceneNode other;
    TextNodeCountTask task(0, 10, 1.0f);
    try
    {
        task.Update(&other, 0.5f);
        ADD_FAILURE() << "no error";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_STREQ(error.what(), "TextNodeCountTask must be applied to a StyledTextSpriteNode");
    }
}
