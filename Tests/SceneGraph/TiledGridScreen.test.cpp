// A screen built from one layout of tiled sprites and node grids, drawn by the main loop through
// the software renderer and compared with a golden capture: a tiled backdrop started inside its
// image, a grid of composite cards (plain groups, a referenced layout) wrapping into rows, each card
// with a tiled stripe that is tinted, translucent or clipped, and a column-first grid of tiled bars
// nested in the card grid. The same screen answers hit tests on the alpha of the repeated pixels.
//
// To renew the capture after an intended change of the drawing, run the test with
// CORVANE_WRITE_GOLDEN=1 and review the picture it writes into Tests/Data/SceneGraph.
#include "SceneGraph/NodeGridNode.h"
#include "SceneGraph/TiledSpriteNode.h"
#include "Support/GoldenCapture.h"
#include "Support/SceneHarness.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kWidth = 320;
constexpr int kHeight = 240;

const std::filesystem::path kGolden = std::filesystem::path(CORVANE_TEST_DATA) / "SceneGraph" / "tiled-grid.png";

// 16 x 16 squares of 8 in two blues.
std::vector<PackedColor> CheckerPixels()
{
    std::vector<PackedColor> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.push_back((x / 8 + y / 8) % 2 ? 0xFF203050u : 0xFF304870u);
    return pixels;
}

// 12 x 6: a red brick with a light mortar line along its top and right edges.
std::vector<PackedColor> BrickPixels()
{
    std::vector<PackedColor> pixels;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x)
            pixels.push_back(y == 0 || x == 11 ? 0xFFD8D0C0u : 0xFFB04030u + PackedColor(x * 4) * 0x010000u);
    return pixels;
}

// 8 x 8: a diagonal band, opaque and shaded, on transparent corners.
std::vector<PackedColor> StripePixels()
{
    std::vector<PackedColor> pixels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
        {
            const int d = (x + y) % 8;
            pixels.push_back(d < 4 ? 0xFF000000u | PackedColor(255 - d * 40) << 16 | PackedColor(200) << 8 | 0x40u
                                   : 0x00000000u);
        }
    return pixels;
}

const char* const kLayouts = R"(
    <scenelayout name="Card">
      <scenenode>
        <testboxnode width="60" height="40" color="#D0C090"/>
        <tiledspritenode src="Stripe" y="28" width="60" height="8" srcOffsetX="3"/>
      </scenenode>
    </scenelayout>
    <scenelayout name="TiledGridScreen">
      <tiledspritenode nodeName="Backdrop" src="Checker" width="320" height="240" srcOffsetX="4" srcOffsetY="-4">
        <nodegridnode nodeName="Cards" x="16" y="16" maxWidth="210" hSpacing="8" vSpacing="10">
          <sceneref scenename="Card"/>
          <scenenode>
            <testboxnode width="60" height="40" color="#A0D0A0"/>
            <tiledspritenode nodeName="Stripe" src="Stripe" y="4" width="60" height="32" color="#FF6060"
                             alphaSensitivity="128" hitTest="true"/>
          </scenenode>
          <scenenode>
            <testboxnode width="60" height="40" color="#90B0E0"/>
            <tiledspritenode src="Stripe" x="4" y="4" width="52" height="16" alpha="0.5"/>
          </scenenode>
          <scenenode>
            <testboxnode width="90" height="60" color="#E0A0C0"/>
            <tiledspritenode nodeName="Clipped" src="Stripe" x="5" y="5" width="80" height="50"/>
          </scenenode>
          <nodegridnode nodeName="Bars" gridGrowBehavior="verticalFirst" maxHeight="60" hSpacing="4" vSpacing="4">
            <tiledspritenode src="Brick" width="40" height="12" srcOffsetX="6" srcOffsetY="3"/>
            <tiledspritenode src="Brick" width="24" height="20"/>
            <tiledspritenode src="Stripe" width="30" height="24"/>
            <tiledspritenode src="Brick" width="10" height="30" color="#80FFC0"/>
          </nodegridnode>
        </nodegridnode>
      </tiledspritenode>
    </scenelayout>)";

TEST(TiledGridScreen, TheSoftwareRendererShowsTheTiledGridScreenAsCaptured)
{
    SoftwareScreen display(kWidth, kHeight);
    SceneHarness scene;
    scene.AddImage("Checker", 16, 16, CheckerPixels());
    scene.AddImage("Stripe", 8, 8, StripePixels());
    scene.AddImage("Brick", 12, 6, BrickPixels());
    scene.Load(kLayouts);
    SceneNode* backdrop = scene.Instantiate("TiledGridScreen");
    ASSERT_NE(backdrop, nullptr);
    auto* cards = dynamic_cast<NodeGridNode*>(backdrop->FindByPath({"Cards"}));
    ASSERT_NE(cards, nullptr);
    auto* clipped = dynamic_cast<TiledSpriteNode*>(cards->FindByPath({3, "Clipped"}));
    ASSERT_NE(clipped, nullptr);
    clipped->SetClipRect({16 + 5, 16 + 50 + 5, 60, 30});
    scene.Update();

    // Cards of 60 x 40 three to a row, the big card and the bars on the second row; the bars in
    // columns 40 wide (the widest bar so far), wrapping at 60.
    auto* bars = dynamic_cast<NodeGridNode*>(cards->FindByPath({"Bars"}));
    ASSERT_NE(bars, nullptr);
    std::vector<std::pair<float, float>> placed;
    for (const SceneNode* card : cards->GetChildren())
        placed.emplace_back(card->GetPosition().x, card->GetPosition().y);
    EXPECT_EQ(placed, (std::vector<std::pair<float, float>>{{0, 0}, {68, 0}, {136, 0}, {0, 50}, {98, 50}}));
    EXPECT_EQ(cards->GetWidth(), 196);
    EXPECT_EQ(cards->GetHeight(), 110);
    placed.clear();
    for (const SceneNode* bar : bars->GetChildren())
        placed.emplace_back(bar->GetPosition().x, bar->GetPosition().y);
    EXPECT_EQ(placed, (std::vector<std::pair<float, float>>{{0, 0}, {0, 16}, {44, 0}, {44, 28}}));
    EXPECT_EQ(bars->GetWidth(), 84);
    EXPECT_EQ(bars->GetHeight(), 58);

    // The red stripe takes presses only on its band's opaque pixels; its parent's box and the
    // backdrop take none (they are not hit-testable).
    SceneNode* stripe = cards->FindByPath({1, "Stripe"});
    ASSERT_NE(stripe, nullptr);
    const float left = 16 + 68, top = 16 + 4;
    EXPECT_EQ(scene.Root()->HitTestTree({left + 0.5f, top + 0.5f}), stripe);   // band pixel (0, 0)
    EXPECT_EQ(scene.Root()->HitTestTree({left + 4.5f, top + 0.5f}), nullptr);  // corner pixel (4, 0)
    EXPECT_EQ(scene.Root()->HitTestTree({left + 8.5f, top + 8.5f}), stripe);   // repeated (0, 0)
    EXPECT_EQ(scene.Root()->HitTestTree({left + 60.0f, top + 8.5f}), nullptr); // right edge outside

    const Compat::PresentedFrame& frame = display.Present(scene);
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);
    // The backdrop's pattern starts at image column 4, row 12: screen column 3 shows the first
    // square's last column, column 4 the next square's first.
    EXPECT_NE(frame.pixels[3] & 0xFFFFFF, frame.pixels[4] & 0xFFFFFF);
    EXPECT_EQ(frame.pixels[0] & 0xFFFFFF, frame.pixels[3] & 0xFFFFFF);
    CompareWithGolden(frame, kGolden);
    if (RenewingGoldenCaptures())
        GTEST_SKIP() << "wrote " << kGolden;
}
} // namespace
