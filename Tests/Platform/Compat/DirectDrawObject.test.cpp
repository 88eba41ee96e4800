#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/DirectDraw/DirectDraw.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Support/TestWindow.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace
{
using Corvane::Testing::TestWindow;

struct Listed
{
    bool primary;
    std::string description;
};

BOOL Collect(GUID* guid, char* description, char*, void* context, HMONITOR)
{
    static_cast<std::vector<Listed>*>(context)->push_back({guid == nullptr, description});
    return TRUE;
}

Compat::DisplayMachine TwoDrivers()
{
    Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
    Compat::DisplayDriverDescription second = Compat::DefaultPrimaryDriver();
    second.primary = false;
    second.guid = {7, 7, 7, {7, 7, 7, 7, 7, 7, 7, 7}};
    second.description = "Second";
    second.canOpen = false;
    machine.drivers.push_back(second);
    return machine;
}
} // namespace

TEST(DirectDrawObject, DriversAreListedAndOpenedByGuid)
{
    TestWindow window;
    Compat::SetDisplayMachine(TwoDrivers());
    std::vector<Listed> listed;
    ASSERT_EQ(DirectDrawEnumerateExA(&Collect, &listed, 0), DD_OK);
    ASSERT_EQ(listed.size(), 1u) << "secondary drivers only when asked for";
    EXPECT_TRUE(listed[0].primary);
    listed.clear();
    DirectDrawEnumerateExA(&Collect, &listed, DDENUM_ATTACHEDSECONDARYDEVICES);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_FALSE(listed[1].primary);
    EXPECT_EQ(listed[1].description, "Second");

    void* object = nullptr;
    GUID second = {7, 7, 7, {7, 7, 7, 7, 7, 7, 7, 7}};
    EXPECT_EQ(DirectDrawCreateEx(&second, &object, IID_IDirectDraw7, nullptr), DDERR_NODIRECTDRAWHW);
    GUID unknown = {8, 0, 0, {}};
    EXPECT_EQ(DirectDrawCreateEx(&unknown, &object, IID_IDirectDraw7, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
    EXPECT_EQ(object, nullptr);

    Compat::DisplayMachine failing = Compat::DefaultDisplayMachine();
    failing.failures[Compat::DisplayCall::CreateDirectDraw] = DDERR_GENERIC;
    Compat::SetDisplayMachine(failing);
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DDERR_GENERIC);
}

TEST(DirectDrawObject, DescribesTheMachineAndCountsReferencesAcrossItsDirect3DInterface)
{
    TestWindow window;
    Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
    machine.desktopBits = 16;
    machine.drivers[0].videoMemoryTotal = 1234;
    machine.drivers[0].modes = {{1024, 768, 32}, {640, 480, 8}};
    Compat::SetDisplayMachine(machine);

    void* object = nullptr;
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
    auto* draw = static_cast<IDirectDraw7*>(object);
    DDSURFACEDESC2 mode{};
    ASSERT_EQ(draw->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwGBitMask, 0x07E0u);
    DDCAPS caps{}, emulation{};
    ASSERT_EQ(draw->GetCaps(&caps, &emulation), DD_OK);
    EXPECT_EQ(caps.dwVidMemTotal, 1234u);
    EXPECT_EQ(caps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED, DDCAPS2_CANRENDERWINDOWED);

    std::vector<DWORD> bits;
    draw->EnumDisplayModes(0, nullptr, &bits, [](DDSURFACEDESC2* m, void* context) -> HRESULT {
        static_cast<std::vector<DWORD>*>(context)->push_back(m->ddpfPixelFormat.dwRGBBitCount);
        return DDENUMRET_OK;
    });
    EXPECT_EQ(bits, (std::vector<DWORD>{32, 8}));

    void* direct3D = nullptr;
    ASSERT_EQ(draw->QueryInterface(IID_IDirect3D7, &direct3D), DD_OK);
    EXPECT_EQ(static_cast<IDirect3D7*>(direct3D)->Release(), 0u);
    EXPECT_EQ(draw->Release(), 0u) << "releasing Direct3D gave its reference on DirectDraw back";
}

TEST(DirectDrawObject, ThisMachineIsDescribedFromWhatSdlSees)
{
    TestWindow window; // SDL's video runs
    const Compat::DisplayMachine machine = Compat::DescribeThisMachine();
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(machine.desktopWidth, desktop.w);
    EXPECT_EQ(machine.desktopHeight, desktop.h);
    ASSERT_EQ(machine.drivers.size(), 1u);
    const Compat::DisplayDriverDescription& driver = machine.drivers[0];
    ASSERT_FALSE(driver.modes.empty());
    for (int i = 0; i < SDL_GetNumDisplayModes(0); ++i)
    {
        SDL_DisplayMode listed;
        SDL_GetDisplayMode(0, i, &listed);
        EXPECT_TRUE(std::any_of(driver.modes.begin(), driver.modes.end(), [&](const Compat::DisplayModeDescription& m) {
            return m.width == listed.w && m.height == listed.h;
        })) << "the display's own " << listed.w << "x" << listed.h;
    }
    // Modes are scaled up to the display: any that fits can be offered, and the common ones are,
    // so that a game asking for 800x600 gets it.
    for (const Compat::DisplayModeDescription& mode : driver.modes)
        EXPECT_TRUE(mode.width <= desktop.w && mode.height <= desktop.h) << mode.width << "x" << mode.height;
    EXPECT_TRUE(std::any_of(driver.modes.begin(), driver.modes.end(), [](const Compat::DisplayModeDescription& m) {
        return m.width == 800 && m.height == 600 && m.bits == 32;
    }));
    EXPECT_EQ(driver.videoMemoryTotal, Compat::DefaultPrimaryDriver().videoMemoryTotal) << "SDL cannot tell it";
    // The headless video driver has no accelerated renderer: software only, as without 3D.
    ASSERT_STREQ(SDL_GetCurrentVideoDriver(), "dummy");
    ASSERT_EQ(driver.devices.size(), 1u);
    EXPECT_EQ(driver.devices[0].caps.dwDevCaps & D3DDEVCAPS_HWRASTERIZATION, 0u);
}

TEST(DirectDrawObject, TheCooperativeLevelFollowsFocusMinimisingAndDisplayChanges)
{
    TestWindow window;
    const auto Send = [&](Uint32 type, Uint8 windowEvent) {
        SDL_Event event{};
        event.type = type;
        event.window.windowID = SDL_GetWindowID(Compat::GetSdlWindow(window.Get()));
        event.window.event = windowEvent;
        SDL_PushEvent(&event);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    };
    const auto Open = [&](DWORD level) {
        void* object = nullptr;
        EXPECT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
        auto* draw = static_cast<IDirectDraw7*>(object);
        EXPECT_EQ(draw->SetCooperativeLevel(window.Get(), level), DD_OK);
        return draw;
    };

    IDirectDraw7* full = Open(DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    IDirectDraw7* windowed = Open(DDSCL_NORMAL);
    EXPECT_EQ(full->TestCooperativeLevel(), DD_OK);
    Send(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(full->TestCooperativeLevel(), DDERR_NOEXCLUSIVEMODE) << "another program holds the screen";
    EXPECT_EQ(windowed->TestCooperativeLevel(), DD_OK) << "a window shares the desktop";
    Send(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(full->TestCooperativeLevel(), DD_OK);
    ShowWindow(window.Get(), SW_MINIMIZE);
    EXPECT_EQ(full->TestCooperativeLevel(), DDERR_NOEXCLUSIVEMODE);
    ShowWindow(window.Get(), SW_RESTORE);
    EXPECT_EQ(full->TestCooperativeLevel(), DD_OK);

    Send(SDL_DISPLAYEVENT, 0);
    EXPECT_EQ(full->TestCooperativeLevel(), DDERR_WRONGMODE);
    EXPECT_EQ(windowed->TestCooperativeLevel(), DDERR_WRONGMODE);
    IDirectDraw7* again = Open(DDSCL_NORMAL);
    EXPECT_EQ(again->TestCooperativeLevel(), DD_OK) << "a display set up after the change is right";
    for (IDirectDraw7* draw : {full, windowed, again})
        draw->Release();
}
