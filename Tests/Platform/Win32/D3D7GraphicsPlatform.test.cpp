#include "Platform/Win32/D3D7GraphicsPlatform.h"

#include "Framework/CommandLine.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Image.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/D3DTexture.h"
#include "RuntimeError.h"
#include "Support/DebugCapture.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/FakePlatform.h"
#include "Win32/Win32Error.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Corvane;
using Graphics::DrawState;

namespace
{
DisplaySettings Settings(int windowMode, int width, int height)
{
    DisplaySettings settings;
    settings.windowMode = windowMode;
    settings.width = width;
    settings.height = height;
    return settings;
}

class D3D7Test : public testing::Test
{
protected:
    void SetUp() override { SetCommandLine(L"fennik"); }
    void TearDown() override { SetCommandLine(L""); }

    static void Stage(Compat::DisplayCall call, HRESULT code)
    {
        Compat::DisplayMachine machine = Compat::GetDisplayMachine();
        machine.failures[call] = code;
        Compat::SetDisplayMachine(machine);
    }
    static std::string SetupFailure(D3D7GraphicsPlatform& renderer, const DisplaySettings& settings)
    {
        try
        {
            renderer.Setup(settings);
        }
        catch (const RuntimeError& error)
        {
            EXPECT_EQ(error.GetFunction(), "D3D7GraphicsPlatform::Setup");
            return error.what();
        }
        return "";
    }
    // One frame: a fill over the left half and the picture at (20, 10).
    static void DrawFrame(D3D7GraphicsPlatform& renderer, Image& picture)
    {
        DrawState state;
        state.color = ColorF::FromPacked(0xFF204060);
        Graphics::FillRect({0, 0, 32, 48}, state, renderer.GetCanvas());
        Graphics::DrawImage(&picture, 20, 10, DrawState(), renderer.GetCanvas());
        renderer.EndScene();
    }
    static PackedColor Shown(int x, int y)
    {
        const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
        return frame.pixels.empty() ? 0 : frame.pixels[std::size_t(y) * frame.width + x];
    }

    Testing::DisplayTestPlatform mPlatform{64, 48};
    Testing::DebugCapture mCapture;
};

std::unique_ptr<Image> Picture()
{
    auto picture = std::make_unique<Image>(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            picture->SetPixel(x, y, 0xFFC08000u | PackedColor(x * 16));
    return picture;
}
} // namespace

TEST_F(D3D7Test, SetsUpOnlyWithAHardwareDeviceOnTheGamesPlatform)
{
    {
        D3D7GraphicsPlatform renderer;
        EXPECT_EQ(IGraphicsPlatform::GetInstance(), &renderer);
        EXPECT_EQ(renderer.GetName(), Label("D3D7"));
        EXPECT_EQ(renderer.GetKind(), 2);
        renderer.Setup(Settings(0, 64, 48));
        EXPECT_TRUE(mPlatform.Display().Is3DEnabled());
        EXPECT_EQ(renderer.GetCanvas()->GetBounds(), Rect<int>(0, 0, 64, 48));
        const std::unique_ptr<Image> image = Picture();
        ITexture* texture = renderer.CreateTexture(*image);
        ASSERT_NE(dynamic_cast<D3DTexture*>(texture), nullptr);
        EXPECT_EQ(static_cast<D3DTexture*>(texture)->GetReferenceCount(), 1);
        texture->Release();
        renderer.Cleanup();
        EXPECT_EQ(mPlatform.Display().GetDevice(), nullptr);
    }
    EXPECT_EQ(IGraphicsPlatform::GetInstance(), nullptr);

    // Only software devices: the display turns 3D off, and it stays off.
    SetCommandLine(L"fennik -broken");
    D3D7GraphicsPlatform renderer;
    EXPECT_EQ(SetupFailure(renderer, Settings(0, 64, 48)), "Could not initialize D3D7");
    SetCommandLine(L"fennik");
    EXPECT_EQ(SetupFailure(renderer, Settings(1, 640, 480)), "Could not initialize D3D7");

    Testing::FakePlatform plain; // the engine-wide platform now has no window
    EXPECT_EQ(SetupFailure(renderer, Settings(0, 64, 48)), "Using D3D7 Graphics platform on non-win32 platform.");
}

TEST_F(D3D7Test, FramesAreClearedToBlueDrawnAndShownWindowedAndFullScreen)
{
    const std::unique_ptr<Image> picture = Picture();
    for (const int windowMode : {0, 1})
    {
        D3D7GraphicsPlatform renderer;
        renderer.Setup(Settings(windowMode, 64, 48));
        const int presented = Compat::CountPresentedFrames();
        ASSERT_EQ(renderer.BeginScene(), 0);
        DrawFrame(renderer, *picture);
        EXPECT_EQ(Compat::CountPresentedFrames(), presented + 1);
        EXPECT_EQ(Shown(2, 2), 0xFF204060u) << windowMode;
        EXPECT_EQ(Shown(60, 40), 0xFF0000FFu) << "the clear colour where nothing was drawn";
        EXPECT_EQ(Shown(23, 12), 0xFFC08030u) << "the picture's column 3";
    }
}

TEST_F(D3D7Test, AMinimisedWindowSkipsFrames)
{
    D3D7GraphicsPlatform renderer;
    renderer.Setup(Settings(0, 64, 48));
    ShowWindow(mPlatform.GetWindowHandle(), SW_MINIMIZE);
    const int presented = Compat::CountPresentedFrames();
    EXPECT_EQ(renderer.BeginScene(), 1);
    EXPECT_EQ(Compat::CountPresentedFrames(), presented);
    ShowWindow(mPlatform.GetWindowHandle(), SW_RESTORE);
    EXPECT_EQ(renderer.BeginScene(), 0);
}

TEST_F(D3D7Test, ALostDeviceCostsAFrameAndTheTexturesSurviveIt)
{
    D3D7GraphicsPlatform renderer;
    renderer.Setup(Settings(0, 64, 48));
    const std::unique_ptr<Image> picture = Picture();
    ASSERT_EQ(renderer.BeginScene(), 0);
    DrawFrame(renderer, *picture);
    const std::size_t textures = D3DTexture::Count();
    D3DTexture* texture = D3DTexture::GetTextureForImage(picture.get());
    IDirectDrawSurface7* surface = texture->GetSurface();

    // Lost before the frame: the display restores its surfaces and the frame is skipped.
    Compat::LoseDisplaySurfaces();
    EXPECT_EQ(renderer.BeginScene(), 1);
    ASSERT_EQ(renderer.BeginScene(), 0);
    DrawFrame(renderer, *picture);
    EXPECT_EQ(Shown(23, 12), 0xFFC08030u);
    EXPECT_EQ(D3DTexture::Count(), textures);
    EXPECT_EQ(texture->GetSurface(), surface) << "a managed texture keeps its surface";

    // Lost during the frame: the frame is dropped, not raised.
    ASSERT_EQ(renderer.BeginScene(), 0);
    Compat::LoseDisplaySurfaces();
    const int presented = Compat::CountPresentedFrames();
    EXPECT_NO_THROW(DrawFrame(renderer, *picture));
    EXPECT_EQ(Compat::CountPresentedFrames(), presented);
    ASSERT_EQ(renderer.BeginScene(), 0);
    DrawFrame(renderer, *picture);
    EXPECT_EQ(Shown(2, 2), 0xFF204060u);

    // Any other failure of the presentation is raised.
    ASSERT_EQ(renderer.BeginScene(), 0);
    Stage(Compat::DisplayCall::Blt, DDERR_GENERIC);
    try
    {
        renderer.EndScene();
        FAIL();
    }
    catch (const Win32::Win32Error& error)
    {
        EXPECT_EQ(std::string(error.what()).rfind("EndScene failed", 0), 0u);
        EXPECT_EQ(error.GetFunction(), "D3D7GraphicsPlatform::EndScene");
    }
}
