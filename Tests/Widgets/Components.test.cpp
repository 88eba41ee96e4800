#include "Widgets/Components.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueResources.h"
#include "Support/ResourceFolder.h"
#include "Widgets/IText.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// Sees every change of the bounds, whichever operation made it.
class WatchedBounds : public BoundsComponent
{
public:
    void SetBounds(const Rect<float>& bounds) override
    {
        ++changes;
        BoundsComponent::SetBounds(bounds);
    }
    int changes = 0;
};
} // namespace

TEST(BoundsComponent, HitsExcludeTheRightAndBottomEdges)
{
    BoundsComponent bounds;
    bounds.SetBounds({10, 20, 30, 40});
    const struct
    {
        float x, y;
        bool hit;
    } cases[] = {{10, 20, true},  {39.9f, 59.9f, true}, {40, 30, false},
                 {20, 60, false}, {9.9f, 30, false},    {20, 19.9f, false}};
    for (const auto& c : cases)
        EXPECT_EQ(bounds.HitTest(c.x, c.y), c.hit) << c.x << "," << c.y;

    bounds.SetBounds({10, 20, 0, 40});
    EXPECT_FALSE(bounds.HitTest(10, 30)) << "no width, no hit";
}

TEST(BoundsComponent, EveryChangeGoesThroughSetBoundsAndMovesKeepTheSize)
{
    WatchedBounds bounds;
    bounds.SetBounds({1, 2, 30, 40});
    bounds.SetLocation({5, 6});
    EXPECT_EQ(bounds.GetBounds(), Rect<float>(5, 6, 30, 40));
    EXPECT_EQ(bounds.GetLocation(), Vector2<float>(5, 6));
    bounds.SetWidth(7);
    bounds.SetHeight(8);
    EXPECT_EQ(bounds.GetBounds(), Rect<float>(5, 6, 7, 8));
    EXPECT_EQ(bounds.changes, 4);
}

TEST(LocationComponent, TheScreenLocationAddsUpTheParentChain)
{
    LocationComponent screen, panel, item;
    screen.SetLocation({100, 50});
    panel.SetLocation({10, 5});
    item.SetLocation({1, 2});
    EXPECT_EQ(item.GetScreenLocation(), Vector2<float>(1, 2)) << "no parent: its own location";
    panel.SetParentLocation(&screen);
    item.SetParentLocation(&panel);
    EXPECT_EQ(item.GetScreenLocation(), Vector2<float>(111, 57));
}

TEST(WidgetComponents, ColourAlphaAndScaleShareTheirValues)
{
    ColorComponent color;
    color.SetAlpha(0.25f);
    EXPECT_EQ(color.GetColor(), ColorF(1, 1, 1, 0.25f)) << "the alpha is the colour's";
    ScaleComponent scale;
    scale.SetScale(2.0f);
    EXPECT_EQ(scale.GetScale(), Vector2<float>(2, 2));
}

TEST(TextComponent, TakesItsTextFromAStringResourceOrNamesTheMissingOne)
{
    ResourceFolder resources;
    RegisterValueResourceFactories();
    resources.WriteManifest("texts", R"(<string name="Greeting" value="Bonjour"/><int name="Number" value="3"/>)");
    resources.Manager().LoadAndWait(L"texts", false, nullptr);

    TextComponent text;
    text.SetTextFromResource(Label("Greeting"));
    EXPECT_EQ(text.GetText(), L"Bonjour");
    text.SetTextFromResource(Label("Number"));
    EXPECT_EQ(text.GetText(), L"Missing: \"Number\"") << "a resource of another type is no text";
    text.SetTextFromResource(Label("Farewell"));
    EXPECT_EQ(text.GetText(), L"Missing: \"Farewell\"");
}
