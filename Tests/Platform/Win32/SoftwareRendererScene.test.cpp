// The software renderer as a program uses it: a scene of images, fills, ellipses, lines and
// sprites drawn through the drawing functions, presented into a window, and the picture that
// reached the window compared with the same scene drawn on an image canvas; and text, which the
// renderer draws glyph by glyph as images.
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/TextDrawing.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/TempFolder.h"
#include "Support/TestFont.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kWidth = 400;
constexpr int kHeight = 300;

// A 32 x 24 picture with a smooth alpha ramp from left to right.
std::unique_ptr<Image> Gradient()
{
    auto image = std::make_unique<Image>(32, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            image->SetPixel(
                x, y, PackedColor(x * 8) << 24 | PackedColor(255 - y * 10) << 16 | PackedColor(x * 8) << 8 | 0x40);
    return image;
}

// A 16 x 16 mask picture: a ring of opaque pixels, transparent elsewhere.
std::unique_ptr<Image> Mask()
{
    auto image = std::make_unique<Image>(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
        {
            const int d = (x - 8) * (x - 8) + (y - 8) * (y - 8);
            image->SetPixel(x, y, d > 20 && d < 50 ? 0xFF20C040 : 0x00000000);
        }
    image->SetAlphaKind(true, true);
    return image;
}

// Windowed at the scene's size on the platform's window.
void SetUpWindowed(DDraw7GraphicsPlatform& renderer)
{
    DisplaySettings settings;
    settings.windowMode = 0;
    settings.width = kWidth;
    settings.height = kHeight;
    renderer.Setup(settings);
}

DrawState Colored(ColorF color)
{
    DrawState state;
    state.color = color;
    return state;
}

void DrawScene(ICanvas* canvas, Image& gradient, Image& mask)
{
    FillRect({0, 0, kWidth, kHeight}, Colored({0.1f, 0.2f, 0.35f, 1}), canvas);
    FillRectI({20, 200, 120, 60}, Colored({0.9f, 0.6f, 0.1f, 1}), canvas);
    FillEllipse({160, 30, 90, 50}, Colored({0.2f, 0.8f, 0.3f, 1}), canvas);
    DrawEllipse({150, 20, 110, 70}, Colored({1, 1, 1, 1}), canvas);
    FillEllipse({300, 200, 40, 40}, Colored({0.8f, 0.1f, 0.1f, 1}), canvas);
    DrawLine(10, 290, 390, 150, Colored({1, 1, 0, 1}), canvas);

    DrawState images;
    DrawImage(&gradient, 30, 40, images, canvas);
    DrawImage(&gradient, 50, 60, images, canvas);
    images.tint = {1, 0.5f, 1, 0.6f};
    DrawImage(&gradient, 70, 80, images, canvas);
    DrawImage(&mask, 100, 30, DrawState(), canvas);
    DrawImageInRect(&gradient, {200, 120, 96, 48}, DrawState(), canvas);
    DrawState mirrored;
    mirrored.flags |= kDrawMirrorX | kDrawMirrorY;
    DrawImage(&gradient, 320, 40, mirrored, canvas);
    DrawRotatedImage(&gradient, 350, 250, 0.6f, DrawState(), canvas);

    SpriteRecord sprites[3];
    for (int i = 0; i < 3; ++i)
    {
        sprites[i].x = 40.0f + 50 * i;
        sprites[i].y = 150;
        sprites[i].color = {1, 1, 1, 0.4f + 0.3f * i};
        sprites[i].scaleX = 1.0f + 0.5f * i;
    }
    DrawSprites(&mask, 3, sprites, sizeof sprites[0], DrawState(), canvas);
}
} // namespace

TEST(SoftwareRendererScene, TheWindowShowsWhatTheImageCanvasDraws)
{
    Testing::DisplayTestPlatform platform(kWidth, kHeight);
    DDraw7GraphicsPlatform renderer;
    SetUpWindowed(renderer);

    const std::unique_ptr<Image> gradient = Gradient();
    gradient->SetRotationSteps(32);
    const std::unique_ptr<Image> mask = Mask();
    Image reference(kWidth, kHeight);
    cImageCanvas canvas(reference);
    DrawScene(&canvas, *gradient, *mask);

    ASSERT_EQ(renderer.BeginScene(), 0);
    DrawScene(renderer.GetCanvas(), *gradient, *mask);
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
        const std::unique_ptr<Image> gradient = Gradient();
        const std::unique_ptr<Image> mask = Mask();
        ASSERT_EQ(renderer.BeginScene(), 0);
        DrawScene(renderer.GetCanvas(), *gradient, *mask);
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
    Testing::TestFontSpec spec;
    spec.lineHeight = 12;
    spec.widthBase = 5;
    spec.smooth = true;
    spec.kerning = {{{'A', 'V'}, -3}};
    const std::unique_ptr<ImageFont> font = Testing::MakeTestFont(spec);

    const auto drawText = [&](ICanvas* canvas) {
        FillRect({0, 0, kWidth, kHeight}, DrawState(), canvas);
        DrawState state;
        state.font = font.get();
        state.color = {0.2f, 0.4f, 1, 1};
        state.textMode = kTextOutline;
        state.horizontalAlignment = kAlignCenter;
        state.verticalAlignment = kAlignCenter;
        EXPECT_EQ(DrawTextBlockAt(L"AVAST the kitchen is open, chef: serve the soup hot", 200, 150, 180, state, canvas),
                  0);
        state.textMode = kTextDropShadow;
        state.horizontalAlignment = kAlignRight;
        state.verticalAlignment = kAlignLeft;
        EXPECT_EQ(DrawText(L"Score 1234", 390, 10, state, canvas), 0);
        EXPECT_EQ(DrawString(L"(plain)", 10, 280, {1, 1, 1, 0.5f}, state, canvas), 0);
    };
    Image reference(kWidth, kHeight);
    cImageCanvas canvas(reference);
    drawText(&canvas);
    ASSERT_EQ(renderer.BeginScene(), 0);
    drawText(renderer.GetCanvas());
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
