// The software renderer as a program uses it: the test scene drawn through the drawing
// functions, presented into a window, and the picture that reached the window compared with the
// same scene drawn on an image canvas; and text, which the renderer draws glyph by glyph as
// images.
#include "Graphics/ImageCanvas.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/TempFolder.h"
#include "Support/TestScene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kWidth = Testing::kSceneWidth;
constexpr int kHeight = Testing::kSceneHeight;

// Windowed at the scene's size on the platform's window.
void SetUpWindowed(DDraw7GraphicsPlatform& renderer)
{
    DisplaySettings settings;
    settings.windowMode = 0;
    settings.width = kWidth;
    settings.height = kHeight;
    renderer.Setup(settings);
}
} // namespace

TEST(SoftwareRendererScene, TheWindowShowsWhatTheImageCanvasDraws)
{
    Testing::DisplayTestPlatform platform(kWidth, kHeight);
    DDraw7GraphicsPlatform renderer;
    SetUpWindowed(renderer);

    const std::unique_ptr<Image> gradient = Testing::SceneGradient();
    gradient->SetRotationSteps(32);
    const std::unique_ptr<Image> mask = Testing::SceneMask();
    Image reference(kWidth, kHeight);
    cImageCanvas canvas(reference);
    Testing::DrawScene(&canvas, *gradient, *mask);

    ASSERT_EQ(renderer.BeginScene(), 0);
    Testing::DrawScene(renderer.GetCanvas(), *gradient, *mask);
    ASSERT_EQ(renderer.PresentFrame(), 0);

    const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);
    int different = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            different += frame.pixels[std::size_t(y) * kWidth + x] != (reference.GetPixel(x, y) | 0xFF000000u);
    EXPECT_EQ(different, 0);
    // The scene is really there: the fill, the ellipse and the mask's ring.
    EXPECT_EQ(frame.pixels[250 * kWidth + 30], 0xFFE59919u);
    EXPECT_EQ(frame.pixels[55 * kWidth + 205], 0xFF33CC4Cu);
    EXPECT_EQ(frame.pixels[33 * kWidth + 108], 0xFF20C040u);

    Testing::TempFolder folder;
    const std::filesystem::path path = folder.Path() / "scene.png";
    ASSERT_TRUE(Compat::SavePresentedFrame(path.string().c_str()));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

TEST(SoftwareRendererScene, EveryDepthShowsTheScene)
{
    for (const int bits : {16, 24})
    {
        Testing::DisplayTestPlatform platform(kWidth, kHeight);
        Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
        machine.desktopBits = bits;
        Compat::SetDisplayMachine(machine);
        DDraw7GraphicsPlatform renderer;
        SetUpWindowed(renderer);
        const std::unique_ptr<Image> gradient = Testing::SceneGradient();
        const std::unique_ptr<Image> mask = Testing::SceneMask();
        ASSERT_EQ(renderer.BeginScene(), 0);
        Testing::DrawScene(renderer.GetCanvas(), *gradient, *mask);
        ASSERT_EQ(renderer.PresentFrame(), 0);
        // The screen holds fewer bits per channel: each channel within what they can hold.
        const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
        const PackedColor* drawn = renderer.GetFrame();
        const int tolerance = bits == 16 ? 8 : 0;
        int worst = 0;
        for (std::size_t i = 0; i < frame.pixels.size(); ++i)
            for (const int shift : {0, 8, 16})
                worst =
                    std::max(worst, std::abs(int((frame.pixels[i] >> shift) & 0xFF) - int((drawn[i] >> shift) & 0xFF)));
        EXPECT_LE(worst, tolerance) << bits << " bits";
    }
}

TEST(SoftwareRendererScene, TextShowsAsOnTheImageCanvas)
{
    Testing::DisplayTestPlatform platform(kWidth, kHeight);
    DDraw7GraphicsPlatform renderer;
    SetUpWindowed(renderer);
    const std::unique_ptr<ImageFont> font = Testing::SceneFont();
    Image reference(kWidth, kHeight);
    cImageCanvas canvas(reference);
    Testing::DrawTextScene(&canvas, *font);
    ASSERT_EQ(renderer.BeginScene(), 0);
    Testing::DrawTextScene(renderer.GetCanvas(), *font);
    ASSERT_EQ(renderer.PresentFrame(), 0);

    const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
    int different = 0;
    int text = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
        {
            const PackedColor shown = frame.pixels[std::size_t(y) * kWidth + x];
            different += shown != (reference.GetPixel(x, y) | 0xFF000000u);
            text += shown != 0xFFFFFFFFu;
        }
    EXPECT_EQ(different, 0);
    EXPECT_GT(text, 2000);
}
