// The software renderer in the engine: reached through the renderer fallback when Direct3D is
// refused or "-software" is given, drawing the main loop's frames into the game's real window,
// and surviving a lost device and a changed display mode.
#include "Framework/ApplicationMode.h"
#include "Framework/CommandLine.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/RenderContext.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Platform/Win32/GraphicsPlatformMakers.h"
#include "Platform/Win32/display.h"
#include "Support/FakeGraphicsPlatform.h"
#include "Support/WindowedPlatform.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// Fills the screen with one colour each frame.
class FillMode : public ApplicationMode
{
public:
    void Draw() override
    {
        Graphics::DrawState state;
        state.color = ColorF::FromPacked(color);
        Graphics::FillRect({0, 0, 800, 600}, state, Graphics::GetCurrentCanvas());
    }
    PackedColor color = 0xFF336699;
};

class RendererFallbackTest : public testing::Test, public WindowedPlatform
{
protected:
    void SetUp() override
    {
        SetCommandLine(L"fennik");
        Compat::ForgetPresentedFrames();
        Internal::GetGraphicsPlatformMakers() = Internal::DefaultGraphicsPlatformMakers();
        // A Direct3D renderer that counts its attempts and always refuses to start.
        Internal::GetGraphicsPlatformMakers().makeDirect3D = [this] {
            ++direct3DAttempts;
            auto* refusing = new FakeGraphicsPlatform(log, kGraphicsDirect3D);
            refusing->failSetup = true;
            return refusing;
        };
    }
    void TearDown() override
    {
        Compat::ResetDisplayMachine();
        SetCommandLine(L"");
    }

    const char* RendererName() const
    {
        IGraphicsPlatform* graphics = IGraphicsPlatform::GetInstance();
        return graphics ? graphics->GetName().c_str() : "none";
    }

    DisplaySettings Request(int windowMode)
    {
        DisplaySettings settings{windowMode, 1, 800, 600};
        ApplyDisplaySettings(settings, true);
        Drain();
        return settings;
    }

    CDisplay display; // made by the test, so that the makers find one
    int direct3DAttempts = 0;
};
} // namespace

TEST_F(RendererFallbackTest, ARefusedDirect3DFallsBackToTheSoftwareRenderer)
{
    const DisplaySettings windowed = Request(0);
    EXPECT_STREQ(RendererName(), "DDraw7");
    EXPECT_EQ(windowed.windowMode, 0);
    EXPECT_EQ(direct3DAttempts, 1);
    EXPECT_NE(debug.Text().find("Error initializing IGraphicsPlatform: "), std::string::npos);
    EXPECT_EQ(display.GetWindow(), Window());
    EXPECT_FALSE(display.IsFullScreen());

    const DisplaySettings full = Request(1);
    EXPECT_STREQ(RendererName(), "DDraw7");
    EXPECT_EQ(full.windowMode, 1) << "full screen is kept: the software renderer comes before windowed Direct3D";
    EXPECT_TRUE(display.IsFullScreen());
    EXPECT_EQ(direct3DAttempts, 2);

    // Without any Direct3D renderer the request is refused as well.
    Internal::GetGraphicsPlatformMakers().makeDirect3D = {};
    Request(0);
    EXPECT_STREQ(RendererName(), "DDraw7");
}

TEST_F(RendererFallbackTest, TheHardwareRendererComesFirstAndTheSoftwareOneWhenItCannotStart)
{
    Internal::GetGraphicsPlatformMakers() = Internal::DefaultGraphicsPlatformMakers();
    Request(0);
    EXPECT_STREQ(RendererName(), "D3D7");
    EXPECT_TRUE(display.Is3DEnabled());
    auto* mode = new FillMode;
    looper.QueueRequest(mode, kModePush);
    looper.ApplyRequests();
    looper.Draw();
    ASSERT_EQ(Compat::CountPresentedFrames(), 1);
    EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[0], 0xFF336699u);

    // The desktop changed its mode under the display: the engine sets it up again.
    const auto setUps = [this] {
        int count = 0;
        for (const std::string& line : debug.Writes())
            count += line == "Texture Formats:\n";
        return count;
    };
    const int before = setUps();
    Compat::DisplayMachine changed = Compat::DefaultDisplayMachine();
    changed.failures[Compat::DisplayCall::TestCooperativeLevel] = DDERR_WRONGMODE;
    Compat::SetDisplayMachine(changed);
    looper.Draw();
    Compat::ResetDisplayMachine();
    EXPECT_EQ(setUps(), before + 1);
    EXPECT_STREQ(RendererName(), "D3D7");
    looper.Draw();
    EXPECT_EQ(Compat::CountPresentedFrames(), 2);

    // A device that cannot be made: the software renderer takes over.
    Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
    machine.failures[Compat::DisplayCall::CreateDevice] = D3DERR_INITFAILED;
    Compat::SetDisplayMachine(machine);
    Request(1);
    EXPECT_STREQ(RendererName(), "DDraw7");
    EXPECT_NE(debug.Text().find("Could not create the Direct3D device"), std::string::npos);
    looper.Draw();
    EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[0], 0xFF336699u);

    // A machine without 3D hardware: the expected fallback is one plain line, not an error's block.
    machine = Compat::DefaultDisplayMachine();
    machine.drivers[0].devices.resize(1); // the software device alone
    Compat::SetDisplayMachine(machine);
    const std::size_t written = debug.Text().size();
    Request(0);
    EXPECT_STREQ(RendererName(), "DDraw7");
    const std::string said = debug.Text().substr(written);
    EXPECT_NE(said.find("Could not initialize D3D7: no usable hardware here, the next renderer takes over\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("Error initializing"), std::string::npos) << said;
}

TEST_F(RendererFallbackTest, WithTheSoftwareSwitchDirect3DIsNeverTried)
{
    SetCommandLine(L"fennik -software");
    Request(1);
    EXPECT_STREQ(RendererName(), "DDraw7");
    Request(0);
    EXPECT_STREQ(RendererName(), "DDraw7");
    EXPECT_EQ(direct3DAttempts, 0);
}

TEST_F(RendererFallbackTest, TheLoopsFramesSurviveALostDeviceAndAChangedDisplayMode)
{
    Request(0);
    auto* mode = new FillMode;
    looper.QueueRequest(mode, kModePush);
    looper.ApplyRequests();
    looper.Draw();
    ASSERT_EQ(Compat::CountPresentedFrames(), 1);
    EXPECT_EQ(Compat::GetLastPresentedFrame().window, Window());
    EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[0], 0xFF336699u);

    IGraphicsPlatform* renderer = IGraphicsPlatform::GetInstance();
    Compat::LoseDisplaySurfaces();
    mode->color = 0xFF996633;
    looper.Draw(); // lost: the frame is skipped
    looper.Draw();
    EXPECT_EQ(IGraphicsPlatform::GetInstance(), renderer);
    EXPECT_EQ(Compat::CountPresentedFrames(), 2);
    EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[0], 0xFF996633u);

    // A changed display mode makes the engine set the display up again with a new renderer.
    Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
    machine.failures[Compat::DisplayCall::Lock] = DDERR_WRONGMODE;
    Compat::SetDisplayMachine(machine);
    const auto setUps = [this] {
        int count = 0;
        for (const std::string& line : debug.Writes())
            count += line.rfind("Canvas2d: ", 0) == 0;
        return count;
    };
    const int before = setUps();
    looper.Draw();
    Compat::ResetDisplayMachine();
    EXPECT_EQ(setUps(), before + 1) << "the renderer was made and set up again";
    ASSERT_NE(IGraphicsPlatform::GetInstance(), nullptr);
    EXPECT_STREQ(RendererName(), "DDraw7");
    EXPECT_EQ(GetDisplaySettings().windowMode, 0);
    looper.Draw();
    EXPECT_EQ(Compat::CountPresentedFrames(), 3);
    EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[5], 0xFF996633u);
}
