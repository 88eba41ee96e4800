// A styled text node drawn by the main loop through the software renderer into a window, the
// presented frame compared pixel for pixel with a golden capture: two fonts, outlined and
// drop-shadowed runs, coloured runs, centred lines wrapped at the node's width and a line break.
//
// To renew the capture after an intended change of the drawing, run the test with
// CORVANE_WRITE_GOLDEN=1 and review the picture it writes into Tests/Data/SceneGraph.
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/GoldenFrame.h"
#include "Support/SceneHarness.h"
#include "Support/TestFontFactory.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kWidth = 240;
constexpr int kHeight = 120;

const char* const kLayouts = R"(
    <testfont name="Body" lineHeight="8" widthBase="3" spacing="1" spaceWidth="3" smooth="true"/>
    <testfont name="Title" lineHeight="14" widthBase="6" spacing="1" spaceWidth="5" kerning="AV-3"/>
    <scenelayout name="StyledScreen">
      <testboxnode width="240" height="120" color="#20304A">
        <styledtextspritenode nodeName="Text" x="40" y="12" width="160" textJustify="center" font="Body"
            color="#F0F0E0" bgColor="#101010" textMode="outline"
            text="&lt;style font=&quot;Title&quot; color=&quot;#FFD040&quot; bgColor=&quot;#000000&quot; textMode=&quot;dropShadow&quot;&gt;AVOCADO TOAST&lt;/style&gt; is served hot with &lt;style color=&quot;#60FF60&quot; textMode=&quot;plain&quot;&gt;fresh herbs&lt;/style&gt; and a pinch of salt.&#10;Score: &lt;style font=&quot;Title&quot; color=&quot;#FF6060&quot;&gt;12,000&lt;/style&gt;"/>
      </testboxnode>
    </scenelayout>)";

TEST(StyledTextCapture, TheSoftwareRendererShowsStyledTextAsCaptured)
{
    DisplayTestPlatform platform(kWidth, kHeight);
    DDraw7GraphicsPlatform renderer;
    DisplaySettings settings;
    settings.windowMode = 0;
    settings.width = kWidth;
    settings.height = kHeight;
    renderer.Setup(settings);

    SceneHarness scene;
    scene.Manager().RegisterFactory(L"testfont", new TestFontFactory);
    scene.Load(kLayouts);
    SceneNode* screen = scene.Instantiate("StyledScreen");
    ASSERT_NE(screen, nullptr);
    auto* text = screen->FindByPathAs<StyledTextSpriteNode>({"Text"});
    ASSERT_NE(text, nullptr);
    // Wrapped into several lines of both fonts, within the width.
    ASSERT_GE(text->GetLines().size(), 4u);
    EXPECT_LE(text->SceneNode::GetWidth(), 160.0f);

    scene.Update();
    Compat::ForgetPresentedFrames();
    scene.looper.Draw();
    ASSERT_EQ(Compat::CountPresentedFrames(), 1);
    const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);

    const std::filesystem::path golden = std::filesystem::path(CORVANE_TEST_DATA) / "SceneGraph/styled-text.png";
    CompareWithGolden(frame, golden);
    if (RenewingGoldenCaptures())
        GTEST_SKIP() << "wrote " << golden;
    // Text was drawn: the block's rows differ from the bare background below it.
    EXPECT_NE(frame.pixels[20 * kWidth + kWidth / 2], frame.pixels[(kHeight - 2) * kWidth + 2]);
}
} // namespace
