// The mix-ins of the display nodes and the keyword parsers of their layout elements.
#include "SceneGraph/MeterComponent.h"
#include "SceneGraph/SceneText.h"
#include "SceneGraph/TextSpriteComponent.h"
#include "Support/ControlScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Corvane;
using namespace Corvane::Testing;

TEST(MeterComponent, TheValueStaysBetweenZeroAndTheMaximum)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct
    {
        float max, value;
        float expectedMax, expectedValue;
    } cases[] = {
        {5, 3, 5, 3}, {5, 7, 5, 5}, {5, -1, 5, 0}, {0, 3, 0, 0}, {-5, 3, 0, 0}, {5, nan, 5, 0}, {nan, 3, 0, 0},
    };
    for (const auto& c : cases)
    {
        MeterComponent meter;
        meter.SetMax(c.max);
        meter.SetValue(c.value);
        EXPECT_EQ(meter.GetMax(), c.expectedMax) << c.max << " " << c.value;
        EXPECT_EQ(meter.GetValue(), c.expectedValue) << c.max << " " << c.value;
    }

    // Lowering the maximum clamps the value through SetValue, so a node's override sees it.
    struct Shown : MeterComponent
    {
        void SetValue(float value) override
        {
            MeterComponent::SetValue(value);
            shown.push_back(GetValue());
        }
        std::vector<float> shown;
    } meter;
    meter.SetMax(10);
    meter.SetValue(8);
    meter.SetMax(-5);
    EXPECT_EQ(meter.shown, (std::vector<float>{0, 8, 0}));
}

TEST(TextSpriteComponent, StoresAndTakesTextsFromResourcesThroughSetText)
{
    ControlScene scene;
    scene.Load(R"(<string name="Title" value="Kitchen"/><int name="Number" value="3"/>)");
    struct Counted : TextSpriteComponent
    {
        void SetText(const std::wstring& text) override
        {
            TextSpriteComponent::SetText(text);
            ++sets;
        }
        int sets = 0;
    } text;
    EXPECT_EQ(text.GetWidth(), 0.0f);
    EXPECT_EQ(text.GetJustify(), 0);
    text.SetWidth(120.5f);
    text.SetJustify(2);
    EXPECT_EQ(text.GetWidth(), 120.5f);
    EXPECT_EQ(text.GetJustify(), 2);

    const struct
    {
        const char* name;
        std::wstring shown;
    } cases[] = {{"Title", L"Kitchen"},
                 {"TITLE", L"Kitchen"},
                 {"Nowhere", L"Missing: \"Nowhere\""},
                 {"Number", L"Missing: \"Number\""}}; // a resource of another kind
    for (const auto& c : cases)
    {
        text.SetTextFromResource(Label(c.name));
        EXPECT_EQ(text.GetText(), c.shown) << c.name;
    }
    EXPECT_EQ(text.sets, 4);
}

TEST(SceneText, JustificationAndTextModeKeywordsCompareExactly)
{
    const struct
    {
        const wchar_t* text;
        int justify, mode;
    } cases[] = {
        {L"left", 0, 0},    {L"center", 1, 0},     {L"right", 2, 0},   {L"Center", 7, 0},     {L"", 7, 0},
        {L"outline", 7, 1}, {L"dropShadow", 7, 2}, {L"Outline", 7, 0}, {L"dropshadow", 7, 0},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(ParseHAlign(c.text, 7), c.justify) << std::string(c.text, c.text + wcslen(c.text));
        EXPECT_EQ(ParseTextMode(c.text), c.mode) << std::string(c.text, c.text + wcslen(c.text));
    }
}
