#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Support/SurfacePixels.h"
#include "Support/TestWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
using Corvane::Testing::TestWindow;

class Direct3DDeviceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        void* object = nullptr;
        ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
        mDraw = static_cast<IDirectDraw7*>(object);
        ASSERT_EQ(mDraw->QueryInterface(IID_IDirect3D7, &object), DD_OK);
        mDirect3D = static_cast<IDirect3D7*>(object);
        mTarget = Surface(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE);
        ASSERT_NE(mTarget, nullptr);
    }
    void TearDown() override
    {
        mTarget->Release();
        mDirect3D->Release();
        EXPECT_EQ(mDraw->Release(), 0u);
    }

    IDirectDrawSurface7* Surface(DWORD caps)
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = 64;
        desc.dwHeight = 32;
        desc.ddsCaps.dwCaps = caps;
        IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(mDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }

    TestWindow mWindow;
    IDirectDraw7* mDraw = nullptr;
    IDirect3D7* mDirect3D = nullptr;
    IDirectDrawSurface7* mTarget = nullptr;
};

HRESULT CollectDepth(DDPIXELFORMAT* format, void* context)
{
    auto* depths = static_cast<std::vector<DWORD>*>(context);
    depths->push_back(format->dwZBufferBitDepth);
    return depths->size() == 2 ? D3DENUMRET_CANCEL : D3DENUMRET_OK;
}
} // namespace

TEST_F(Direct3DDeviceTest, EnumeratesTheDriversDevicesAndTheirFormats)
{
    std::vector<std::string> names;
    mDirect3D->EnumDevices(
        [](char*, char* name, D3DDEVICEDESC7* desc, void* context) -> HRESULT {
            const bool hardware = (desc->dwDevCaps & D3DDEVCAPS_HWRASTERIZATION) != 0;
            static_cast<std::vector<std::string>*>(context)->push_back(std::string(name) + (hardware ? "+" : "-"));
            return D3DENUMRET_OK;
        },
        &names);
    EXPECT_EQ(names, (std::vector<std::string>{"RGB Emulation-", "Direct3D HAL+", "Direct3D T&L HAL+"}));

    std::vector<DWORD> depths;
    ASSERT_EQ(mDirect3D->EnumZBufferFormats(IID_IDirect3DHALDevice, &CollectDepth, &depths), D3D_OK);
    EXPECT_EQ(depths, (std::vector<DWORD>{16, 24})) << "the enumeration stops when the callback cancels";
    EXPECT_EQ(mDirect3D->EnumZBufferFormats(IID_IDirect3DRefDevice, &CollectDepth, &depths), DDERR_INVALIDPARAMS);
}

TEST_F(Direct3DDeviceTest, DevicesKeepTheirStatesAndClearTheirTarget)
{
    IDirectDrawSurface7* plain = Surface(DDSCAPS_OFFSCREENPLAIN);
    IDirect3DDevice7* device = nullptr;
    EXPECT_EQ(mDirect3D->CreateDevice(IID_IDirect3DHALDevice, plain, &device), DDERR_INVALIDCAPS);
    plain->Release();
    ASSERT_EQ(mDirect3D->CreateDevice(IID_IDirect3DHALDevice, mTarget, &device), D3D_OK);

    D3DDEVICEDESC7 caps{};
    ASSERT_EQ(device->GetCaps(&caps), D3D_OK);
    EXPECT_TRUE(caps.deviceGUID == IID_IDirect3DHALDevice);

    const int before = Compat::CountDeviceStateChanges(device);
    device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_LINEAR);
    D3DVALUE plane[4] = {1, 0, 0, -10.5f};
    device->SetClipPlane(2, plane);
    EXPECT_EQ(Compat::CountDeviceStateChanges(device), before + 3);
    DWORD value = 0;
    device->GetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, &value);
    EXPECT_EQ(value, 1u);
    device->GetTextureStageState(0, D3DTSS_MINFILTER, &value);
    EXPECT_EQ(value, DWORD(D3DTFN_LINEAR));
    D3DVALUE read[4] = {};
    device->GetClipPlane(2, read);
    EXPECT_EQ(read[3], -10.5f);
    EXPECT_EQ(device->SetTextureStageState(8, D3DTSS_COLOROP, 0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device->SetClipPlane(6, plane), DDERR_INVALIDPARAMS);

    D3DVIEWPORT7 viewport{0, 0, 65, 32, 0.0f, 1.0f};
    EXPECT_EQ(device->SetViewport(&viewport), DDERR_INVALIDPARAMS) << "wider than the target";
    viewport.dwWidth = 64;
    EXPECT_EQ(device->SetViewport(&viewport), D3D_OK);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0), D3D_OK);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 63, 31), 0x000000FFu);
    D3DRECT part{1, 1, 2, 2};
    device->Clear(1, &part, D3DCLEAR_TARGET, 0xFF123456, 1.0f, 0);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 1, 1), 0x00123456u);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 2, 1), 0x000000FFu);

    EXPECT_EQ(device->EndScene(), D3DERR_SCENE_NOT_IN_SCENE);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_SCENE_IN_SCENE);
    EXPECT_EQ(device->EndScene(), D3D_OK);

    IDirectDrawSurface7* target = nullptr;
    ASSERT_EQ(device->GetRenderTarget(&target), D3D_OK);
    EXPECT_EQ(target, mTarget);
    target->Release();
    EXPECT_EQ(device->Release(), 0u);
}
