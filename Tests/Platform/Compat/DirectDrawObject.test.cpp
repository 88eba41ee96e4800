#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/DirectDraw/DirectDraw.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Support/TestWindow.h"

#include <gtest/gtest.h>

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
