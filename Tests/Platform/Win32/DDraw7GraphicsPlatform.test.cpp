#include "Platform/Win32/DDraw7GraphicsPlatform.h"

#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "RuntimeError.h"
#include "Support/DebugCapture.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/FakePlatform.h"
#include "Support/SurfacePixels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Corvane;
using Graphics::DrawState;

namespace
{
DrawState Colored(ColorF color)
{
    DrawState state;
    state.color = color;
    return state;
}

DisplaySettings Windowed(int width, int height)
{
    DisplaySettings settings;
    settings.windowMode = 0;
    settings.width = width;
    settings.height = height;
    return settings;
}

class DDraw7Test : public testing::Test
{
protected:
    // A desktop of bits per pixel (16 bits in the given layout).
    void StageDesktop(int bits, DWORD red = 0xF800, DWORD green = 0x07E0, DWORD blue = 0x001F)
    {
        Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
        machine.desktopBits = bits;
        machine.red16 = red;
        machine.green16 = green;
        machine.blue16 = blue;
        Compat::SetDisplayMachine(machine);
    }
    void Stage(Compat::DisplayCall call, HRESULT code)
    {
        Compat::DisplayMachine machine = Compat::GetDisplayMachine();
        machine.failures[call] = code;
        Compat::SetDisplayMachine(machine);
    }

    Testing::DisplayTestPlatform mPlatform;
    Testing::DebugCapture mCapture;
};
} // namespace

TEST_F(DDraw7Test, SetUpNeedsAWindowedPlatformADisplayAndAScreenSurface)
{
    {
        DDraw7GraphicsPlatform renderer;
        EXPECT_EQ(IGraphicsPlatform::GetInstance(), &renderer);
        EXPECT_EQ(renderer.GetName(), Label("DDraw7"));
        EXPECT_EQ(renderer.GetKind(), 1);
        EXPECT_EQ(renderer.CreateTexture(*std::make_unique<Image>(2, 2)), nullptr);
        Stage(Compat::DisplayCall::CreatePlainSurface, DDERR_OUTOFMEMORY);
        try
        {
            renderer.Setup(Windowed(320, 200));
            FAIL();
        }
        catch (const RuntimeError& error)
        {
            EXPECT_STREQ(error.what(), "Could not create screen surface.");
            EXPECT_EQ(error.GetFunction(), "DDraw7GraphicsPlatform::Setup");
        }
    }
    EXPECT_EQ(IGraphicsPlatform::GetInstance(), nullptr);

    Testing::FakePlatform plain; // the engine-wide platform now has no window
    DDraw7GraphicsPlatform renderer;
    try
    {
        renderer.Setup(Windowed(320, 200));
        FAIL();
    }
    catch (const RuntimeError& error)
    {
        EXPECT_STREQ(error.what(), "Using DDraw7 Graphics platform on non-win32 platform.");
    }
}

TEST_F(DDraw7Test, ANewFrameShowsItsStartPatternAndOnlyDrawnFramesArePresented)
{
    DDraw7GraphicsPlatform renderer;
    renderer.Setup(Windowed(320, 200));
    EXPECT_FALSE(mPlatform.Display().Is3DEnabled());
    EXPECT_EQ(renderer.GetBitDepth(), 32);
    EXPECT_NE(mCapture.Text().find("Canvas2d: 320x200x32 - OK\n"), std::string::npos);
    EXPECT_EQ(renderer.GetBounds(), Rect<int>(0, 0, 320, 200));
    EXPECT_EQ(renderer.GetPixel(0, 0), 0xFF195802u);
    EXPECT_EQ(renderer.GetPixel(10, 3), 0xFF195819u);
    EXPECT_EQ(renderer.GetPixel(200, 199), (0xFF195800u | ((2 * 201 + 199) & 0xFF)));

    ASSERT_EQ(renderer.BeginScene(), 0);
    EXPECT_EQ(renderer.PresentFrame(), 0);
    EXPECT_EQ(Compat::CountPresentedFrames(), 0) << "nothing drawn, nothing presented";

    ASSERT_EQ(renderer.BeginScene(), 0);
    EXPECT_EQ(renderer.SetPixel(5, 6, 0xFF123456), 0);
    EXPECT_EQ(renderer.SetPixel(-1, 6, 0xFF123456), 1);
    EXPECT_EQ(renderer.SetPixel(320, 6, 0xFF123456), 1);
    EXPECT_EQ(renderer.GetPixel(320, 6), 0u);
    EXPECT_EQ(renderer.PresentFrame(), 0);
    ASSERT_EQ(Compat::CountPresentedFrames(), 1) << "a frame of plotted pixels is shown";
    const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
    ASSERT_EQ(frame.width, 320);
    EXPECT_EQ(frame.pixels[6 * 320 + 5], 0xFF123456u);
    EXPECT_EQ(frame.pixels[0], 0xFF195802u);
}

TEST_F(DDraw7Test, FillsAreOpaqueAndNeedAtLeastHalfOpacity)
{
    DDraw7GraphicsPlatform renderer;
    renderer.Setup(Windowed(64, 64));
    renderer.BeginScene();
    EXPECT_EQ(renderer.FillRect(Rect<int>(0, 0, 8, 8), Colored({1, 0, 0, 127 / 255.0f})), 1);
    EXPECT_EQ(renderer.GetPixel(1, 1), 0xFF195805u);
    EXPECT_EQ(renderer.FillRect(Rect<int>(0, 0, 8, 8), Colored({1, 0, 0, 128.5f / 255.0f})), 0);
    EXPECT_EQ(renderer.GetPixel(1, 1), 0x80FF0000u) << "written as it is, not blended";
    EXPECT_EQ(renderer.GetPixel(8, 1), 0xFF195813u);

    DrawState clipped = Colored({0, 1, 0, 1});
    clipped.clip = {2, 2, 2, 2};
    EXPECT_EQ(renderer.FillRect(Rect<float>(0.9f, 0.9f, 9.9f, 9.9f), clipped), 0);
    EXPECT_EQ(renderer.GetPixel(2, 2), 0xFF00FF00u);
    EXPECT_EQ(renderer.GetPixel(4, 4), 0x80FF0000u);
    EXPECT_EQ(renderer.FillRect(Rect<int>(70, 0, 8, 8), clipped), 1);
}

TEST_F(DDraw7Test, ConvertsTheFrameIntoTheScreensFormat)
{
    struct Case
    {
        int bits;
        DWORD red, green, blue;
        const char* log;
        std::uint32_t value; // of the pixel 0xFF10A0F8
    };
    const Case cases[] = {
        {16, 0x7C00, 0x03E0, 0x001F, "Red:0x7c00 Green:0x03e0 Blue:0x001f - OK\n", 0x0A9F},
        {16, 0xFC00, 0x03E0, 0x001F, "Red:0xfc00 Green:0x03e0 Blue:0x001f - OK\n", 0x129F},
        {16, 0xF800, 0x07E0, 0x001F, "Red:0xf800 Green:0x07e0 Blue:0x001f - OK\n", 0x151F},
        {16, 0xF800, 0x07C0, 0x003F, "Red:0xf800 Green:0x07c0 Blue:0x003f - OK\n", 0x153E},
        {24, 0, 0, 0, "Canvas2d: 16x16x24 - OK\n", 0x10A0F8},
        {32, 0, 0, 0, "Canvas2d: 16x16x32 - OK\n", 0xFF10A0F8},
    };
    for (const Case& c : cases)
    {
        StageDesktop(c.bits, c.red, c.green, c.blue);
        mCapture.Clear();
        DDraw7GraphicsPlatform renderer;
        renderer.Setup(Windowed(16, 16));
        EXPECT_NE(mCapture.Text().find(c.log), std::string::npos) << mCapture.Text();
        renderer.BeginScene();
        renderer.SetPixel(0, 0, 0xFF10A0F8);
        ASSERT_EQ(renderer.PresentFrame(), 0);
        EXPECT_EQ(Testing::ReadSurfacePixel(mPlatform.Display().GetBackBuffer(), 0, 0, c.bits / 8), c.value)
            << c.bits << " bits, red " << c.red;
    }

    StageDesktop(16, 0x0F00, 0x00F0, 0x000F);
    mCapture.Clear();
    DDraw7GraphicsPlatform renderer;
    renderer.Setup(Windowed(16, 16));
    EXPECT_NE(mCapture.Text().find("Canvas2d: 16x16x16 - Red:0x0f00 Green:0x00f0 Blue:0x000f - Invalid Mode\n"),
              std::string::npos);
    EXPECT_EQ(renderer.GetSixteenBitLayout(), SixteenBitLayout::Rgb555);
}

TEST_F(DDraw7Test, ALostDeviceCostsOneFrameAndTheNextShowsThePictureAgain)
{
    DDraw7GraphicsPlatform renderer;
    renderer.Setup(Windowed(64, 48));
    renderer.BeginScene();
    renderer.FillRect(Rect<int>(0, 0, 64, 48), Colored({0, 0, 1, 1}));
    ASSERT_EQ(renderer.PresentFrame(), 0);
    ASSERT_EQ(Compat::CountPresentedFrames(), 1);

    for (int frame = 0; frame < 3; ++frame)
    {
        Compat::LoseDisplaySurfaces();
        mCapture.Clear();
        ASSERT_EQ(renderer.BeginScene(), 0);
        renderer.FillRect(Rect<int>(0, 0, 8, 8), Colored({1, 1, 0, 1}));
        EXPECT_EQ(renderer.PresentFrame(), 1) << "the frame is skipped";
        EXPECT_NE(mCapture.Text().find("Lock failed\nDDERR_SURFACELOST (HRESULT 0x887601c2)\n"
                                       "\tFunction:\tDDraw7GraphicsPlatform::EndScene\n"),
                  std::string::npos)
            << mCapture.Text();

        // Nothing new is drawn, yet the restored screen gets its picture back.
        ASSERT_EQ(renderer.BeginScene(), 0);
        EXPECT_EQ(renderer.PresentFrame(), 0);
        EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[0], 0xFFFFFF00u);
        EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[63], 0xFF0000FFu);
    }
    EXPECT_EQ(Compat::CountPresentedFrames(), 4);
    renderer.BeginScene();
    EXPECT_EQ(renderer.PresentFrame(), 0);
    EXPECT_EQ(Compat::CountPresentedFrames(), 4);
}

TEST_F(DDraw7Test, FailuresOtherThanALostSurfaceAreReported)
{
    DDraw7GraphicsPlatform renderer;
    renderer.Setup(Windowed(64, 48));
    Stage(Compat::DisplayCall::Blt, DDERR_GENERIC);
    renderer.BeginScene();
    renderer.SetPixel(1, 1, 0xFFFFFFFF);
    EXPECT_EQ(renderer.PresentFrame(), -1);
    EXPECT_NE(mCapture.Text().find("EndScene failed\nDDERR_GENERIC (HRESULT 0x80004005)\n"), std::string::npos)
        << mCapture.Text();

    Compat::ResetDisplayMachine();
    Stage(Compat::DisplayCall::Lock, DDERR_CANTCREATEDC);
    mCapture.Clear();
    renderer.BeginScene();
    renderer.SetPixel(1, 1, 0xFFFFFFFF);
    EXPECT_EQ(renderer.PresentFrame(), -1);
    EXPECT_EQ(mCapture.Text().rfind("Lock() can't create dc\nLock failed\n", 0), 0u) << mCapture.Text();
}

TEST_F(DDraw7Test, FramesAreSkippedWhileMinimisedOrWhileAnotherProgramHasTheScreen)
{
    DDraw7GraphicsPlatform renderer;
    renderer.Setup(Windowed(64, 48));
    ShowWindow(mPlatform.GetWindowHandle(), SW_MINIMIZE);
    EXPECT_EQ(renderer.BeginScene(), 1);
    ShowWindow(mPlatform.GetWindowHandle(), SW_RESTORE);
    EXPECT_EQ(renderer.BeginScene(), 0);

    Stage(Compat::DisplayCall::TestCooperativeLevel, DDERR_EXCLUSIVEMODEALREADYSET);
    EXPECT_EQ(renderer.BeginScene(), 1);
    Compat::ResetDisplayMachine();
    Stage(Compat::DisplayCall::TestCooperativeLevel, DDERR_GENERIC);
    try
    {
        renderer.BeginScene();
        FAIL();
    }
    catch (const RuntimeError& error)
    {
        EXPECT_EQ(std::string(error.what()).rfind("TestCooperativeLevel failed\n", 0), 0u);
        EXPECT_EQ(error.GetFunction(), "DDraw7GraphicsPlatform::BeginScene");
    }
}

TEST_F(DDraw7Test, FullScreenDrawsAtTheModeSize)
{
    DDraw7GraphicsPlatform renderer;
    DisplaySettings settings = Windowed(800, 600);
    settings.windowMode = 1;
    renderer.Setup(settings);
    EXPECT_TRUE(mPlatform.Display().IsFullScreen());
    renderer.BeginScene();
    renderer.FillRect(Rect<int>(790, 590, 10, 10), Colored({1, 1, 1, 1}));
    ASSERT_EQ(renderer.PresentFrame(), 0);
    const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
    ASSERT_EQ(frame.width, 800);
    EXPECT_EQ(frame.pixels[599 * 800 + 799], 0xFFFFFFFFu);
    renderer.Cleanup();
    EXPECT_EQ(mPlatform.Display().GetDirectDraw(), nullptr);
}

TEST_F(DDraw7Test, RotatedImagesComeFromTheCacheOrAreMadeWithOneWarning)
{
    DDraw7GraphicsPlatform renderer;
    renderer.Setup(Windowed(64, 64));
    Image image(4, 2);
    for (int x = 0; x < 4; ++x)
        image.SetPixel(x, 0, 0xFFFF0000);
    DrawState state;
    state.flags = 0;
    EXPECT_EQ(renderer.DrawRotatedImage(&image, 10, 10, 1.5707964f, state), 0);
    EXPECT_EQ(renderer.DrawRotatedImage(&image, 30, 10, 1.5707964f, state), 0);
    const std::string warning = "Performance warning: DDraw7GraphicsPlatform::DrawRotatedImage() is manually creating "
                                "rotated Images every frame! Specify a default number of rotations in the Image "
                                "resource.\r\n";
    const std::string log = mCapture.Text();
    EXPECT_NE(log.find(warning), std::string::npos);
    EXPECT_EQ(log.find(warning), log.rfind(warning)) << "once per process";
    // A quarter turn clockwise: the red top row becomes the right column.
    EXPECT_EQ(renderer.GetPixel(10, 8), 0xFFFF0000u);
    EXPECT_EQ(renderer.GetPixel(9, 8), 0u);

    image.SetRotationSteps(4);
    EXPECT_EQ(renderer.DrawRotatedImage(&image, 50, 50, 3.1415927f, state), 0);
    EXPECT_EQ(renderer.GetPixel(48, 50), 0xFFFF0000u) << "half a turn: the red row is at the bottom";
    EXPECT_EQ(renderer.DrawRotatedImageInRect(&image, {0, 0, 4, 4}, 0, state), -2);
    EXPECT_EQ(renderer.DrawTexturedVertices(2, &image, nullptr, 0, state), -2);
}

TEST_F(DDraw7Test, AMirroredImageIsDrawnOnceLikeOnTheImageCanvas)
{
    DDraw7GraphicsPlatform renderer;
    renderer.Setup(Windowed(32, 32));
    Image reference(32, 32);
    Graphics::cImageCanvas canvas(reference);
    Image image(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image.SetPixel(x, y, 0x80000000u | PackedColor(y * 32) << 16 | PackedColor(x * 32));
    DrawState state;
    for (const auto flags : {Graphics::kDrawMirrorY, Graphics::kDrawMirrorX | Graphics::kDrawMirrorY})
    {
        state.flags = Graphics::kDrawBlend | flags;
        for (Graphics::ICanvas* target :
             {static_cast<Graphics::ICanvas*>(&renderer), static_cast<Graphics::ICanvas*>(&canvas)})
        {
            auto* quads = Graphics::QueryCanvas<Graphics::IQuadDrawingCanvas>(target);
            quads->FillRect(Rect<int>(0, 0, 32, 32), Colored({1, 1, 1, 1}));
            EXPECT_EQ(quads->DrawImage(&image, 4, 4, state), 0);
        }
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(renderer.GetPixel(x, y), reference.GetPixel(x, y)) << x << "," << y;
        EXPECT_EQ(renderer.GetPixel(4, 4), reference.GetPixel(4, 4));
        EXPECT_NE(renderer.GetPixel(4, 4), 0xFFFFFFFFu);
    }
    // The top-left pixel is the image's bottom row, blended once over white.
    state.flags = Graphics::kDrawBlend | Graphics::kDrawMirrorY;
    renderer.FillRect(Rect<int>(0, 0, 32, 32), Colored({1, 1, 1, 1}));
    renderer.DrawImage(&image, 4, 4, state);
    EXPECT_EQ(renderer.GetPixel(4, 4), Graphics::BlendPixel(image.GetPixel(0, 7), 0xFFFFFFFFu));
}
