// A scene-graph screen drawn by the main loop through the software renderer into a window, the
// presented frame compared pixel for pixel with a golden capture. The scene holds what the node
// core places and draws: centring and side alignment, colour that does not inherit, alpha that
// does, a hidden subtree, a referenced layout, and pictures plain, tinted, scaled, turned, and
// scaled and turned at once.
//
// To renew the capture (Support/GoldenFrame.h), run the test with CORVANE_WRITE_GOLDEN=1 and
// review the picture it writes into Tests/Data/SceneGraph.
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
const std::filesystem::path kGolden = std::filesystem::path(CORVANE_TEST_DATA) / "SceneGraph" / "screen.png";

// A 16 x 16 ring, opaque towards its outer edge and fading inwards, shaded left to right.
std::vector<PackedColor> RingPixels()
{
    std::vector<PackedColor> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
        {
            const int d = (2 * x - 15) * (2 * x - 15) + (2 * y - 15) * (2 * y - 15);
            const PackedColor alpha = d > 225 ? 0 : d > 100 ? 255 : PackedColor(d);
            pixels.push_back(alpha << 24 | PackedColor(255 - x * 12) << 16 | PackedColor(60 + x * 10) << 8 | 0x30);
        }
    return pixels;
}

const char* const kLayouts = R"(
    <scenelayout name="Badge">
      <scenenode width="60" height="40">
        <testboxnode width="60" height="40" color="#3060C0">
          <testboxnode centerOnParent="true" width="20" height="20" color="#FFFFFF" alpha="0.5"/>
        </testboxnode>
      </scenenode>
    </scenelayout>
    <scenelayout name="GoldenScreen">
      <testboxnode width="320" height="240" color="#1A2A40">
        <testboxnode nodeName="Panel" centerOnParent="true" width="220" height="130" color="#E0C080E0">
          <testboxnode parentHAlign="right" selfHAlign="right" x="-8" y="8" width="40" height="20" color="#C03020"/>
          <testboxnode parentVAlign="bottom" selfVAlign="bottom" parentHAlign="center" selfHAlign="center"
                       y="-6" width="100" height="10" color="#20A040"/>
          <testpicturenode src="Ring" x="10.4" y="10.6" snap="true"/>
          <testpicturenode src="Ring" x="36" y="10" color="#60FF60A0"/>
          <testpicturenode src="Ring" x="64" y="10" scaleX="2" scaleY="1.5"/>
          <testpicturenode src="Ring" x="120" y="40" orientation="30"/>
          <testpicturenode src="Ring" x="160" y="60" orientation="45" scaleX="1.5" scaleY="1.5"
                           rotateHAlign="center" rotateVAlign="middle" scaleHAlign="center" scaleVAlign="middle"/>
          <scenenode x="190" y="90" alpha="0.5"><testpicturenode src="Ring"/></scenenode>
        </testboxnode>
        <testboxnode visible="false"><testboxnode width="320" height="240" color="#FF00FF"/></testboxnode>
        <sceneref scenename="Badge" x="16" y="186"/>
      </testboxnode>
    </scenelayout>)";

TEST(SceneCapture, TheSoftwareRendererShowsTheScreenAsCaptured)
{
    SoftwareScreen display(kWidth, kHeight);
    SceneHarness scene;
    scene.AddImage("Ring", 16, 16, RingPixels());
    scene.Load(kLayouts);
    ASSERT_NE(scene.Instantiate("GoldenScreen"), nullptr);
    scene.Update();
    const Compat::PresentedFrame& frame = display.Present(scene);
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);

    CompareWithGolden(frame, kGolden);
    if (RenewingGoldenCaptures())
        GTEST_SKIP() << "wrote " << kGolden;
    // The picture is really there: the panel, a ring's opaque edge and the badge's blend.
    EXPECT_NE(frame.pixels[120 * kWidth + 160], frame.pixels[5 * kWidth + 5]);
}
} // namespace
