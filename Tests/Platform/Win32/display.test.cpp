#include "Platform/Win32/display.h"

#include "Framework/CommandLine.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/DisplayDevices.h"
#include "Platform/Win32/DisplayResource.h"
#include "RuntimeError.h"
#include "Support/DebugCapture.h"
#include "Support/SurfacePixels.h"
#include "Support/TestWindow.h"
#include "Win32/Win32Error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>

using namespace Corvane;

namespace
{
struct SetUpFailure
{
    std::string what;
    std::string function;
    bool win32; // a Win32::Win32Error with the call's result
};

class DisplayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetCommandLine(L"fennik");
        ASSERT_NE(mWindow.Get(), nullptr);
    }
    void TearDown() override { SetCommandLine(L""); }

    static void Stage(const std::function<void(Compat::DisplayMachine&)>& change)
    {
        Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
        change(machine);
        Compat::SetDisplayMachine(machine);
    }

    // The exception of a set-up, or none. With failures, the default machine is staged with
    // them once the device list is made, so that they hit the set-up itself.
    template <typename Setup>
    std::optional<SetUpFailure> Failure(Setup setup, const std::function<void(Compat::DisplayMachine&)>& failures = {})
    {
        if (failures)
            Compat::ResetDisplayMachine();
        CDisplay display;
        try
        {
            GetDefaultDevice();
            if (failures)
                Stage(failures);
            setup(display);
        }
        catch (const Win32::Win32Error& error)
        {
            return SetUpFailure{error.what(), error.GetFunction(), true};
        }
        catch (const RuntimeError& error)
        {
            return SetUpFailure{error.what(), error.GetFunction(), false};
        }
        return std::nullopt;
    }

    std::optional<SetUpFailure> WindowedFailure(int flags = 0,
                                                const std::function<void(Compat::DisplayMachine&)>& failures = {})
    {
        return Failure(
            [&](CDisplay& d) {
                d.AddFlags(flags);
                d.CreateWindowedDisplay(mWindow.Get(), 800, 600);
            },
            failures);
    }
    std::optional<SetUpFailure> FullScreenFailure(int width = 800, int height = 600, int bits = 32,
                                                  const std::function<void(Compat::DisplayMachine&)>& failures = {})
    {
        return Failure([&](CDisplay& d) { d.CreateFullScreenDisplay(mWindow.Get(), width, height, bits); }, failures);
    }

    Testing::TestWindow mWindow;
    Testing::DebugCapture mCapture;
};

// Expects a failure with exactly this message (a Win32Error's message is followed by the result).
void ExpectFailure(const std::optional<SetUpFailure>& error, const std::string& message, const std::string& function)
{
    ASSERT_TRUE(error.has_value()) << message;
    if (error->win32)
        EXPECT_EQ(error->what.rfind(message + "\n", 0), 0u) << error->what;
    else
        EXPECT_EQ(error->what, message);
    EXPECT_EQ(error->function, function) << message;
}

struct CountingResource : DisplayResource
{
    int released = 0;
    int restored = 0;
    void ReleaseSurfaces() override { ++released; }
    void RestoreSurfaces() override { ++restored; }
};
} // namespace

TEST_F(DisplayTest, AWindowedHardwareSetUpHasTheFull3DSet)
{
    CDisplay display;
    EXPECT_EQ(CDisplay::GetInstance(), &display);
    display.CreateWindowedDisplay(mWindow.Get(), 640, 400);
    EXPECT_TRUE(display.Is3DEnabled());
    ASSERT_NE(display.GetDevice(), nullptr);
    EXPECT_EQ(display.GetZBuffer(), nullptr);
    EXPECT_EQ(display.GetTextureMemory(), DWORD(DDSCAPS_VIDEOMEMORY));
    EXPECT_EQ(display.GetTextureFormat(true).dwRGBAlphaBitMask, 0xFF000000u);
    EXPECT_EQ(display.GetTextureFormat(false).dwRGBBitCount, 32u);
    EXPECT_EQ(display.GetTextureFormat(false).dwFlags & DDPF_ALPHAPIXELS, 0u);
    DDSURFACEDESC2 desc{};
    display.GetBackBuffer()->GetSurfaceDesc(&desc);
    EXPECT_EQ(desc.dwWidth, 640u);
    EXPECT_EQ(desc.dwHeight, 400u);

    const std::string log = mCapture.Text();
    EXPECT_NE(log.find("Driver Video Memory: 268435456 Total, 251658240 Free\n"), std::string::npos);
    EXPECT_NE(log.find("Texture Formats:\n\t32 bit 8888 - DDPF_ALPHAPIXELS, DDPF_RGB, - Good Format\n"
                       "\t32 bit 888 - DDPF_RGB, - Good Format\n\t16 bit 565 - DDPF_RGB, - Skipped\n"),
              std::string::npos)
        << log;

    // The projection maps the viewport's pixels: the bottom-right corner to (1, -1).
    D3DMATRIX projection;
    display.GetDevice()->GetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
    EXPECT_FLOAT_EQ(640 * projection.m[0][0] + projection.m[3][0], 1.0f);
    EXPECT_FLOAT_EQ(400 * projection.m[1][1] + projection.m[3][1], -1.0f);

    display.ApplyDefaultStates();
    DWORD value = 1;
    display.GetDevice()->GetRenderState(D3DRENDERSTATE_DITHERENABLE, &value);
    EXPECT_EQ(value, 0u);
    display.GetDevice()->GetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, &value);
    EXPECT_EQ(value, 1u);
    display.GetDevice()->GetRenderState(D3DRENDERSTATE_ZENABLE, &value);
    EXPECT_EQ(value, 0u);
    display.GetDevice()->GetTextureStageState(0, D3DTSS_ADDRESS, &value);
    EXPECT_EQ(value, DWORD(D3DTADDRESS_CLAMP));
    EXPECT_EQ(display.ReleaseObjects(), 0);
}

TEST_F(DisplayTest, ChoosesTheSmallestFullScreenModeThatHoldsTheRequest)
{
    const auto modes = [](std::vector<Compat::DisplayModeDescription> list) {
        Stage([&](Compat::DisplayMachine& m) { m.drivers[0].modes = list; });
    };
    modes({{1024, 768, 32}, {800, 600, 16}, {640, 480, 32}, {800, 600, 32}});
    {
        CDisplay display;
        display.CreateFullScreenDisplay(mWindow.Get(), 800, 600, 32);
        EXPECT_EQ(display.GetWidth(), 800);
        EXPECT_TRUE(display.IsFullScreen());
        EXPECT_NE(mCapture.Text().find("Exploring mode 640x480x32\nExploring mode 800x600x16\n"
                                       "Exploring mode 800x600x32\nAccepting mode 800x600x32\n"),
                  std::string::npos);
        RECT client{};
        GetClientRect(mWindow.Get(), &client);
        EXPECT_EQ(client.right, 800);
    }
    modes({{1024, 768, 32}, {800, 600, 16}});
    {
        CDisplay display;
        display.CreateFullScreenDisplay(mWindow.Get(), 800, 600, 32);
        EXPECT_EQ(display.GetWidth(), 1024);
        EXPECT_EQ(display.GetHeight(), 768);
    }
    modes({{640, 480, 32}, {1024, 768, 16}});
    ExpectFailure(FullScreenFailure(), "Could not find a compatible full screen display mode.",
                  "Corvane::CDisplay::CreateFullScreenDisplay");
    Stage([](Compat::DisplayMachine& m) {
        for (auto& device : m.drivers[0].devices)
            device.caps.dwDeviceRenderBitDepth = DDBD_16 | DDBD_32;
    });
    ExpectFailure(FullScreenFailure(800, 600, 24), "Unexpected bit depth in full screen.",
                  "Corvane::CDisplay::CreateFullScreenDisplay");
}

TEST_F(DisplayTest, EachFailedSetUpStepRaisesItsOwnMessage)
{
    using Compat::DisplayCall;
    struct Case
    {
        DisplayCall call;
        HRESULT code;
        bool fullScreen;
        const char* message;
        const char* function;
    };
    const Case cases[] = {
        {DisplayCall::CreateDirectDraw, DDERR_GENERIC, false, "Could not create DirectDraw",
         "Corvane::CDisplay::CreateDirectDraw"},
        {DisplayCall::SetCooperativeLevel, DDERR_GENERIC, true, "Could not set cooperative level",
         "Corvane::CDisplay::CreateDirectDraw"},
        {DisplayCall::SetDisplayMode, DDERR_GENERIC, true, "Could not set display mode.",
         "Corvane::CDisplay::CreateFullscreenBuffers"},
        {DisplayCall::CreatePrimarySurface, DDERR_GENERIC, true, "Could not create primary fullscreen surface",
         "Corvane::CDisplay::CreateFullscreenBuffers"},
        {DisplayCall::CreatePrimarySurface, DDERR_OUTOFVIDEOMEMORY, true,
         "Out of video memory creating primary fullscreen surface", "Corvane::CDisplay::CreateFullscreenBuffers"},
        {DisplayCall::GetAttachedSurface, DDERR_GENERIC, true, "Could not get the fullscreen backbuffer",
         "Corvane::CDisplay::CreateFullscreenBuffers"},
        {DisplayCall::CreatePrimarySurface, DDERR_GENERIC, false, "Could not create primary windowed surface",
         "Corvane::CDisplay::CreateWindowedBuffers"},
        {DisplayCall::CreatePrimarySurface, DDERR_OUTOFVIDEOMEMORY, false,
         "Out of video memory creating primary windowed surface", "Corvane::CDisplay::CreateWindowedBuffers"},
        {DisplayCall::CreateClipper, DDERR_GENERIC, false, "Could not create clipper",
         "Corvane::CDisplay::CreateWindowedBuffers"},
        {DisplayCall::CreateRenderSurface, DDERR_GENERIC, false, "Could not create windowed backbuffer surface",
         "Corvane::CDisplay::CreateWindowedBuffers"},
        {DisplayCall::CreateRenderSurface, DDERR_OUTOFVIDEOMEMORY, false,
         "Out of video memory creating windowed backbuffer surface", "Corvane::CDisplay::CreateWindowedBuffers"},
        {DisplayCall::QueryDirect3D, DDERR_GENERIC, false, "Could not get the Direct3D interface",
         "Corvane::CDisplay::CreateDirect3D"},
        {DisplayCall::CreateDevice, DDERR_GENERIC, true, "Could not create the Direct3D device",
         "Corvane::CDisplay::CreateDirect3D"},
        {DisplayCall::SetViewport, DDERR_GENERIC, false, "Could not set current viewport to the device",
         "Corvane::CDisplay::CreateDirect3D"},
        {DisplayCall::GetCaps, DDERR_GENERIC, false,
         "Unable to determine amount of video memory available for textures.", "Corvane::CDisplay::CreateEnvironment"},
    };
    for (const Case& c : cases)
    {
        const auto failing = [&](Compat::DisplayMachine& m) { m.failures[c.call] = c.code; };
        const auto error = c.fullScreen ? FullScreenFailure(800, 600, 32, failing) : WindowedFailure(0, failing);
        ExpectFailure(error, c.message, c.function);
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->win32) << c.message;
    }

    Stage([](Compat::DisplayMachine& m) { m.desktopBits = 8; });
    const auto palette = WindowedFailure();
    ExpectFailure(palette, "Screen is in 256 color or less mode.", "Corvane::CDisplay::CreateDirectDraw");
    EXPECT_NE(palette->what.find("DDERR_NOPALETTEATTACHED"), std::string::npos);

    const auto invalid = Failure([](CDisplay& d) { d.CreateWindowedDisplay(nullptr, 800, 600); });
    ExpectFailure(invalid, "Invalid arguments passed to CDisplay::Initialize", "Corvane::CDisplay::Initialize");
}

TEST_F(DisplayTest, ThreeDNeedsMoreThanEightMebibytesAnAlphaFormatAndLargeTextures)
{
    Stage([](Compat::DisplayMachine& m) { m.drivers[0].videoMemoryTotal = 0x800000; });
    ExpectFailure(WindowedFailure(), "Not enough free texture memory to run in 3D.",
                  "Corvane::CDisplay::CreateEnvironment");
    Stage([](Compat::DisplayMachine& m) {
        m.drivers[0].videoMemoryTotal = 0x800001;
        m.drivers[0].videoMemoryFree = 0;
    });
    EXPECT_FALSE(WindowedFailure().has_value()) << "the free amount is not tested";

    Stage([](Compat::DisplayMachine& m) {
        for (auto& device : m.drivers[0].devices)
            device.textureFormats = {Compat::RgbFormat(32, 0, 0xFF0000, 0xFF00, 0xFF),
                                     Compat::RgbFormat(16, 0x8000, 0x7C00, 0x03E0, 0x001F)};
    });
    ExpectFailure(WindowedFailure(), "Could not find acceptable texture format.",
                  "Corvane::CDisplay::CreateEnvironment");
    Stage([](Compat::DisplayMachine& m) {
        for (auto& device : m.drivers[0].devices)
            device.caps.dwMaxTextureWidth = 512;
    });
    ExpectFailure(WindowedFailure(), "3D Mode requires a minimum texture size of 1024x1024",
                  "Corvane::CDisplay::CreateEnvironment");
}

TEST_F(DisplayTest, TheZBufferMatchesTheBackBufferOrFallsBackToSixteenBits)
{
    {
        CDisplay display;
        display.AddFlags(kDisplayZBuffer);
        display.CreateWindowedDisplay(mWindow.Get(), 320, 200);
        ASSERT_NE(display.GetZBuffer(), nullptr);
        EXPECT_EQ(display.GetZBufferFormat().dwZBufferBitDepth, 32u);
        DDSCAPS2 caps{DDSCAPS_ZBUFFER, 0, 0, 0};
        IDirectDrawSurface7* attached = nullptr;
        ASSERT_EQ(display.GetBackBuffer()->GetAttachedSurface(&caps, &attached), DD_OK);
        EXPECT_EQ(attached, display.GetZBuffer());
        attached->Release();
    }
    Stage([](Compat::DisplayMachine& m) {
        for (auto& device : m.drivers[0].devices)
            device.zBufferFormats = {Compat::ZBufferFormat(24), Compat::ZBufferFormat(16)};
    });
    {
        CDisplay display;
        display.AddFlags(kDisplayZBuffer);
        display.CreateWindowedDisplay(mWindow.Get(), 320, 200);
        EXPECT_EQ(display.GetZBufferFormat().dwZBufferBitDepth, 16u);
    }
    Stage([](Compat::DisplayMachine& m) {
        for (auto& device : m.drivers[0].devices)
            device.caps.dpcTriCaps.dwRasterCaps = D3DPRASTERCAPS_ZBUFFERLESSHSR;
    });
    {
        CDisplay display;
        display.AddFlags(kDisplayZBuffer);
        display.CreateWindowedDisplay(mWindow.Get(), 320, 200);
        EXPECT_EQ(display.GetZBuffer(), nullptr);
    }

    using Compat::DisplayCall;
    Stage([](Compat::DisplayMachine& m) {
        for (auto& device : m.drivers[0].devices)
            device.zBufferFormats = {Compat::ZBufferFormat(24)};
    });
    ExpectFailure(WindowedFailure(kDisplayZBuffer), "Device doesn't support requested zbuffer format",
                  "Corvane::CDisplay::CreateZBuffer");
    const std::pair<DisplayCall, const char*> steps[] = {
        {DisplayCall::CreateZBufferSurface, "Could not create zbuffer surface"},
        {DisplayCall::AddAttachedSurface, "Couldn't attach zbuffer to render surface"},
        {DisplayCall::SetRenderTarget, "SetRenderTarget failed after attaching zbuffer"},
    };
    for (const auto& [call, message] : steps)
    {
        ExpectFailure(WindowedFailure(kDisplayZBuffer,
                                      [failing = call](Compat::DisplayMachine& m) { m.failures[failing] = DDERR_GENERIC; }),
                      message, "Corvane::CDisplay::CreateZBuffer");
    }
    Stage([](Compat::DisplayMachine& m) { m.failures[DisplayCall::CreateZBufferSurface] = DDERR_OUTOFVIDEOMEMORY; });
    ExpectFailure(WindowedFailure(kDisplayZBuffer), "Out of video memory creating zbuffer surface",
                  "Corvane::CDisplay::CreateZBuffer");
}

TEST_F(DisplayTest, TextureSizesFollowTheDevicesRules)
{
    const auto sizeFor = [&](DWORD textureCaps, DWORD maximum) {
        Stage([&](Compat::DisplayMachine& m) {
            for (auto& device : m.drivers[0].devices)
            {
                device.caps.dpcTriCaps.dwTextureCaps = textureCaps;
                device.caps.dwMaxTextureWidth = device.caps.dwMaxTextureHeight = maximum;
            }
        });
        CDisplay display;
        display.CreateWindowedDisplay(mWindow.Get(), 320, 200);
        int width = 0, height = 0;
        display.GetTextureSize(300, 200, width, height);
        return std::make_pair(width, height);
    };
    EXPECT_EQ(sizeFor(D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY, 2048), std::make_pair(512, 512));
    EXPECT_EQ(sizeFor(D3DPTEXTURECAPS_POW2, 2048), std::make_pair(512, 256));
    EXPECT_EQ(sizeFor(0, 2048), std::make_pair(300, 200));

    // A maximum of 0 counts as 256, too small for 3D.
    Stage([](Compat::DisplayMachine& m) {
        for (auto& device : m.drivers[0].devices)
            device.caps.dwMaxTextureWidth = device.caps.dwMaxTextureHeight = 0;
    });
    ExpectFailure(WindowedFailure(), "3D Mode requires a minimum texture size of 1024x1024",
                  "Corvane::CDisplay::CreateEnvironment");
}

TEST_F(DisplayTest, ClipPlanesFollowTheRequestedRectangleAndReachEveryNewDevice)
{
    CDisplay display;
    display.CreateWindowedDisplay(mWindow.Get(), 800, 600);
    IDirect3DDevice7* device = display.GetDevice();
    DWORD value = 0;
    device->GetTextureStageState(0, D3DTSS_MINFILTER, &value);
    EXPECT_EQ(value, DWORD(D3DTFN_LINEAR)) << "the first primitive state sets the filter";

    // The whole client area, and edges on it, clip nothing.
    display.SetClipRect({0, 0, 800, 600});
    display.ApplyPrimitiveState();
    device->GetRenderState(D3DRENDERSTATE_CLIPPLANEENABLE, &value);
    EXPECT_EQ(value, 0u);
    display.SetClipRect({10, 0, 100, 600});
    display.ApplyPrimitiveState();
    device->GetRenderState(D3DRENDERSTATE_CLIPPLANEENABLE, &value);
    EXPECT_EQ(value, 1u | 4u);
    D3DVALUE plane[4];
    device->GetClipPlane(0, plane);
    EXPECT_EQ(plane[3], -10.5f);
    device->GetClipPlane(2, plane);
    EXPECT_EQ(plane[0], -1.0f);
    EXPECT_EQ(plane[3], 109.5f);

    const int changes = Compat::CountDeviceStateChanges(device);
    display.ApplyPrimitiveState();
    EXPECT_EQ(Compat::CountDeviceStateChanges(device), changes) << "an unchanged rectangle costs no device call";
    display.SetClipRect({10, 20, 100, 50});
    display.ApplyPrimitiveState();
    EXPECT_EQ(Compat::CountDeviceStateChanges(device), changes + 3) << "the enable bits and the two new planes";

    // A new set-up makes a new device, which must get the filter and the planes as well.
    display.CreateWindowedDisplay(mWindow.Get(), 800, 600);
    device = display.GetDevice();
    display.ApplyPrimitiveState();
    device->GetTextureStageState(0, D3DTSS_MAGFILTER, &value);
    EXPECT_EQ(value, DWORD(D3DTFG_LINEAR));
    device->GetRenderState(D3DRENDERSTATE_CLIPPLANEENABLE, &value);
    EXPECT_EQ(value, 15u);
    device->GetClipPlane(3, plane);
    EXPECT_EQ(plane[3], 69.5f);

    // Default states switch the planes off; the next primitive switches them on again.
    display.ApplyDefaultStates();
    device->GetRenderState(D3DRENDERSTATE_CLIPPLANEENABLE, &value);
    EXPECT_EQ(value, 15u);
}

TEST_F(DisplayTest, PresentShowsTheBackBufferAndRepairsALostSurface)
{
    CDisplay display;
    display.CreateWindowedDisplay(mWindow.Get(), 800, 600);
    ASSERT_EQ(display.BeginScene(), DD_OK);
    display.Clear();
    EXPECT_EQ(Testing::ReadSurfacePixel(display.GetBackBuffer(), 799, 599), 0x000000FFu) << "cleared to blue";
    ASSERT_EQ(display.Present(), DD_OK);
    EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[0], 0xFF0000FFu);

    // With 3D the scene cannot begin; the surfaces are back for the next frame.
    Compat::LoseDisplaySurfaces();
    EXPECT_EQ(display.BeginScene(), DDERR_SURFACELOST);
    EXPECT_EQ(display.GetBackBuffer()->IsLost(), DD_OK);
    EXPECT_EQ(display.GetPrimary()->IsLost(), DD_OK);
    ASSERT_EQ(display.BeginScene(), DD_OK);
    EXPECT_EQ(display.Present(), DD_OK);

    // Without 3D the present meets the loss.
    display.Disable3D();
    display.CreateWindowedDisplay(mWindow.Get(), 800, 600);
    Compat::LoseDisplaySurfaces();
    ASSERT_EQ(display.BeginScene(), DD_OK);
    EXPECT_EQ(display.Present(), DDERR_SURFACELOST);
    EXPECT_EQ(display.GetBackBuffer()->IsLost(), DD_OK);
    EXPECT_EQ(display.GetPrimary()->IsLost(), DD_OK);
    EXPECT_EQ(display.Present(), DD_OK);
    EXPECT_EQ(Compat::CountPresentedFrames(), 3);
}

TEST_F(DisplayTest, BrokenHardwareOrADisabled3DLeavesATwoDimensionalDisplay)
{
    SetCommandLine(L"fennik -broken");
    {
        CDisplay display;
        display.CreateFullScreenDisplay(mWindow.Get(), 640, 480, 32);
        EXPECT_FALSE(display.Is3DEnabled());
        EXPECT_EQ(display.GetDevice(), nullptr);
        EXPECT_EQ(display.GetTextureMemory(), DWORD(DDSCAPS_SYSTEMMEMORY));
        EXPECT_NE(display.GetBackBuffer(), nullptr);
        display.CreateWindowedDisplay(mWindow.Get(), 640, 480);
        EXPECT_FALSE(display.Is3DEnabled()) << "nothing turns 3D on again";
    }
    SetCommandLine(L"fennik");
    CDisplay display;
    display.Disable3D();
    display.CreateWindowedDisplay(mWindow.Get(), 640, 480);
    EXPECT_EQ(display.GetDirect3D(), nullptr);
    EXPECT_EQ(display.GetTextureMemory(), DWORD(DDSCAPS_SYSTEMMEMORY)) << "a 2D display has no texture memory";
    EXPECT_EQ(display.BeginScene(), DD_OK);
}

TEST_F(DisplayTest, ReleasingTellsTheResourcesAndReportsOutsideReferences)
{
    CountingResource resource;
    CDisplay display;
    display.CreateWindowedDisplay(mWindow.Get(), 320, 200);
    EXPECT_EQ(resource.released, 1) << "each set-up starts by releasing";
    display.ApplyDefaultStates();
    EXPECT_EQ(resource.restored, 1);

    IDirectDraw7* kept = display.GetDirectDraw();
    kept->AddRef();
    EXPECT_EQ(display.ReleaseObjects(), static_cast<HRESULT>(0x8200000Cu));
    EXPECT_EQ(resource.released, 2);
    EXPECT_EQ(display.GetDirectDraw(), nullptr);
    EXPECT_EQ(kept->Release(), 0u);
    EXPECT_EQ(display.ReleaseObjects(), 0);
}
