// The hardware renderer as a program uses it: the test scenes (shapes and images; text) drawn
// through the drawing functions with Direct3D on the window's SDL renderer, and the picture that
// reached the window compared with the software renderer's. Edges of shapes and filtered pixels
// may differ a little; the pictures must agree everywhere else. Under Xvfb (see EndToEnd) the
// same tests run on SDL's OpenGL renderer.
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Compat/DirectDraw/Presenter.h"
#include "Platform/Win32/D3D7GraphicsPlatform.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/TestScene.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

using namespace Corvane;

namespace
{
constexpr int kWidth = Testing::kSceneWidth;
constexpr int kHeight = Testing::kSceneHeight;

DisplaySettings Windowed()
{
    DisplaySettings settings;
    settings.windowMode = 0;
    settings.width = kWidth;
    settings.height = kHeight;
    return settings;
}

// What the window shows after draw(canvas) on renderer; with checkRenderer, the window's SDL
// renderer must be accelerated (accelerated true) or SDL's software renderer.
template <typename Renderer, typename Draw>
std::vector<PackedColor> Present(const Draw& draw, bool checkRenderer, bool accelerated = false)
{
    Testing::DisplayTestPlatform platform(kWidth, kHeight);
    Renderer renderer;
    renderer.Setup(Windowed());
    EXPECT_EQ(renderer.BeginScene(), 0);
    draw(renderer.GetCanvas());
    renderer.EndScene();
    if (checkRenderer)
    {
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(Compat::GetWindowRenderer(platform.GetWindowHandle()), &info);
        EXPECT_EQ((info.flags & SDL_RENDERER_ACCELERATED) != 0, accelerated) << info.name;
        testing::Test::RecordProperty("renderer", info.name);
    }
    const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
    EXPECT_EQ(frame.width, kWidth);
    EXPECT_EQ(frame.height, kHeight);
    return frame.pixels;
}

int ChannelDifference(PackedColor a, PackedColor b)
{
    int worst = 0;
    for (const int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

// The scene drawn by both renderers; headless SDL has only its software renderer, under X the
// GPU's (CORVANE_EXPECT_ACCELERATED).
template <typename Draw> std::pair<std::vector<PackedColor>, std::vector<PackedColor>> PresentBoth(const Draw& draw)
{
    const bool accelerated = std::getenv("CORVANE_EXPECT_ACCELERATED") != nullptr;
    std::vector<PackedColor> reference = Present<DDraw7GraphicsPlatform>(draw, false);
    std::vector<PackedColor> drawn = Present<D3D7GraphicsPlatform>(draw, true, accelerated);
    EXPECT_EQ(drawn.size(), std::size_t(kWidth) * kHeight);
    EXPECT_EQ(reference.size(), std::size_t(kWidth) * kHeight);
    return {std::move(reference), std::move(drawn)};
}

// Shape edges and filtered pixels, a few per cent of the picture at most.
void ExpectCloseToTheSoftwareRenderer(const std::vector<PackedColor>& drawn, const std::vector<PackedColor>& reference)
{
    ASSERT_EQ(drawn.size(), reference.size());
    int close = 0, different = 0, worst = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i)
    {
        const int difference = ChannelDifference(drawn[i], reference[i]);
        worst = std::max(worst, difference);
        close += difference > 2 && difference <= 24;
        different += difference > 24;
    }
    EXPECT_LT(different, kWidth * kHeight / 100) << "pixels far from the software renderer's";
    EXPECT_LT(close, kWidth * kHeight / 25) << "pixels a little off the software renderer's";
    testing::Test::RecordProperty("different", different);
    testing::Test::RecordProperty("close", close);
    testing::Test::RecordProperty("worst", worst);
}
} // namespace

TEST(D3D7RendererScene, TheWindowShowsWhatTheSoftwareRendererShows)
{
    const std::unique_ptr<Image> gradient = Testing::SceneGradient();
    gradient->SetRotationSteps(32);
    const std::unique_ptr<Image> mask = Testing::SceneMask();
    const auto [reference, drawn] =
        PresentBoth([&](Graphics::ICanvas* canvas) { Testing::DrawScene(canvas, *gradient, *mask); });
    ASSERT_EQ(drawn.size(), std::size_t(kWidth) * kHeight);
    ExpectCloseToTheSoftwareRenderer(drawn, reference);
    // The scene is really there: the fill, the ellipse, the mask's ring and an unscaled image.
    EXPECT_EQ(drawn[250 * kWidth + 30], 0xFFE59919u);
    EXPECT_EQ(drawn[55 * kWidth + 205], 0xFF33CC4Cu);
    EXPECT_EQ(drawn[33 * kWidth + 108], 0xFF20C040u);
    EXPECT_LE(ChannelDifference(drawn[45 * kWidth + 40], reference[45 * kWidth + 40]), 2);
}

TEST(D3D7RendererScene, TextShowsAsTheSoftwareRendererShowsIt)
{
    const std::unique_ptr<ImageFont> font = Testing::SceneFont();
    const auto [reference, drawn] =
        PresentBoth([&](Graphics::ICanvas* canvas) { Testing::DrawTextScene(canvas, *font); });
    ASSERT_EQ(drawn.size(), std::size_t(kWidth) * kHeight);
    ExpectCloseToTheSoftwareRenderer(drawn, reference);
    // The text is really there.
    EXPECT_GT(std::count_if(drawn.begin(), drawn.end(), [](PackedColor c) { return c != 0xFFFFFFFFu; }), 2000);
}
