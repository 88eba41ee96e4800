#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Support/SurfacePixels.h"
#include "Support/TestWindow.h"

#include <SDL.h>

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
        // Devices draw with the renderer of the window the object cooperates with.
        ASSERT_EQ(mDraw->SetCooperativeLevel(mWindow.Get(), DDSCL_NORMAL), DD_OK);
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

namespace
{
using Vertex = Compat::DrawnPrimitive::Vertex;
constexpr DWORD kFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// A quad in triangle-strip order over pixels x..x+w-1, y..y+h-1 (Direct3D's pixel centres lie on
// whole coordinates), texture corners (u0, v0)-(u1, v1).
std::vector<Vertex> Quad(float x, float y, float w, float h, DWORD color, float u0 = 0, float v0 = 0, float u1 = 1,
                         float v1 = 1)
{
    x -= 0.5f;
    y -= 0.5f;
    return {{x, y, 1, color, u0, v0},
            {x, y + h, 1, color, u0, v1},
            {x + w, y, 1, color, u1, v0},
            {x + w, y + h, 1, color, u1, v1}};
}
} // namespace

TEST_F(Direct3DDeviceTest, PrimitivesAreCheckedAndDrawnWithTheStatesOnTheWindowsRenderer)
{
    IDirect3DDevice7* device = nullptr;
    ASSERT_EQ(mDirect3D->CreateDevice(IID_IDirect3DHALDevice, mTarget, &device), D3D_OK);
    // Pixels: x from 0 to 64 and y from 0 down to 32 fill the viewport.
    D3DMATRIX pixels{};
    pixels.m[0][0] = 2.0f / 64;
    pixels.m[1][1] = -2.0f / 32;
    pixels.m[2][2] = 1.0f;
    pixels.m[3][0] = -1.0f;
    pixels.m[3][1] = 1.0f;
    pixels.m[3][3] = 1.0f;
    device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &pixels);
    std::vector<Vertex> quad = Quad(0, 0, 64, 32, 0xFF102030);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, kFormat, quad.data(), 4, 0), D3DERR_SCENE_NOT_IN_SCENE);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_XYZ, quad.data(), 4, 0), D3DERR_INVALIDVERTEXTYPE);
    EXPECT_EQ(device->DrawPrimitive(D3DPRIMITIVETYPE(9), kFormat, quad.data(), 4, 0), D3DERR_INVALIDPRIMITIVETYPE);
    WORD outside[3] = {0, 1, 4};
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kFormat, quad.data(), 4, outside, 3, 0),
              DDERR_INVALIDPARAMS);

    // Blending off: the quad's colour as it is.
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, kFormat, quad.data(), 4, 0), D3D_OK);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 63, 31), 0x00102030u);

    // A texture, modulated by the vertex colour and blended by its alpha, lands on whole pixels;
    // mirrored texture coordinates mirror it.
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.dwWidth = 64;
    desc.dwHeight = 32;
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    desc.ddpfPixelFormat = Compat::RgbFormat(32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF);
    IDirectDrawSurface7* texture = nullptr;
    ASSERT_EQ(mDraw->CreateSurface(&desc, &texture, nullptr), DD_OK);
    for (int x = 0; x < 64; ++x)
        Corvane::Testing::WriteSurfacePixel(texture, x, 0, 0x80000000u | DWORD(x * 4) << 16 | 0xFF00);
    device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    ASSERT_EQ(device->SetTexture(0, texture), D3D_OK);
    EXPECT_EQ(device->SetTexture(0, mTarget), DDERR_INVALIDPARAMS) << "not a texture";
    quad = Quad(4, 2, 8, 1, 0xFFFFFF00, 8.0f / 64, 0, 16.0f / 64, 1.0f / 32);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, kFormat, quad.data(), 4, 0), D3D_OK);
    // Texel 8 + i: red 4 * (8 + i), green 255, times yellow, half over 0x102030.
    const auto blended = [](int texel) {
        const DWORD red = DWORD(texel * 4), green = 255;
        return ((red * 128 + 0x10 * 127) / 255) << 16 | ((green * 128 + 0x20 * 127) / 255) << 8 | (0x30 * 127) / 255;
    };
    for (const int i : {0, 7})
    {
        const DWORD drawn = Corvane::Testing::ReadSurfacePixel(mTarget, 4 + i, 2);
        EXPECT_NEAR(double(drawn >> 16), double(blended(8 + i) >> 16), 1.0) << i;
        EXPECT_NEAR(double((drawn >> 8) & 0xFF), double((blended(8 + i) >> 8) & 0xFF), 1.0) << i;
    }
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 3, 2), 0x00102030u);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 12, 2), 0x00102030u);
    quad = Quad(4, 3, 8, 1, 0xFFFFFFFF, 16.0f / 64, 0, 8.0f / 64, 1.0f / 32);
    device->DrawPrimitive(D3DPT_TRIANGLESTRIP, kFormat, quad.data(), 4, 0);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 4, 3) >> 16,
              Corvane::Testing::ReadSurfacePixel(mTarget, 11, 2) >> 16)
        << "mirrored";

    // Clip planes keep the pixels whose centres they keep: x >= 20.5 and x <= 29.5.
    device->SetTexture(0, nullptr);
    device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
    D3DVALUE left[4] = {1, 0, 0, -20.5f}, right[4] = {-1, 0, 0, 29.5f};
    device->SetClipPlane(0, left);
    device->SetClipPlane(2, right);
    device->SetRenderState(D3DRENDERSTATE_CLIPPLANEENABLE, 1 | 4);
    quad = Quad(0, 10, 64, 4, 0xFFFF0000);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, kFormat, quad.data(), 4, 0), D3D_OK);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 20, 11), 0x00102030u);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 21, 11), 0x00FF0000u);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 29, 11), 0x00FF0000u);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 30, 11), 0x00102030u);
    device->SetRenderState(D3DRENDERSTATE_CLIPPLANEENABLE, 0);

    // Fans, lines and points.
    const std::vector<Vertex> fan = {{40, 20, 1, 0xFF00FF00, 0, 0},
                                     {50, 20, 1, 0xFF00FF00, 0, 0},
                                     {40, 30, 1, 0xFF00FF00, 0, 0},
                                     {30, 20, 1, 0xFF00FF00, 0, 0}};
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLEFAN, kFormat, const_cast<Vertex*>(fan.data()), 4, 0), D3D_OK);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 42, 22), 0x0000FF00u);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 38, 22), 0x0000FF00u);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 48, 28), 0x00102030u) << "outside the fan";
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 31, 28), 0x00102030u) << "not taken for a rectangle";
    const std::vector<Vertex> line = {{2, 30, 1, 0xFF0000FF, 0, 0}, {12, 30, 1, 0xFF0000FF, 0, 0}};
    ASSERT_EQ(device->DrawPrimitive(D3DPT_LINELIST, kFormat, const_cast<Vertex*>(line.data()), 2, 0), D3D_OK);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 7, 30), 0x000000FFu);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_POINTLIST, kFormat, const_cast<Vertex*>(line.data()), 1, 0), D3D_OK);
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 2, 30), 0x000000FFu);

    // SDL's renderer lost its targets: what was drawn since the last read went with them; the
    // textures keep their pixels.
    device->DrawPrimitive(D3DPT_POINTLIST, kFormat, const_cast<Vertex*>(line.data()), 2, 0);
    SDL_Event reset{};
    reset.type = SDL_RENDER_TARGETS_RESET;
    ASSERT_EQ(SDL_PushEvent(&reset), 1);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ;
    EXPECT_EQ(mTarget->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(texture->IsLost(), DD_OK);
    mTarget->Restore();

    // A lost target refuses to draw.
    Compat::LoseDisplaySurfaces();
    EXPECT_EQ(texture->IsLost(), DDERR_SURFACELOST) << "an unmanaged video-memory texture is lost too";
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, kFormat, quad.data(), 4, 0), DDERR_SURFACELOST);
    device->SetTexture(0, nullptr);
    texture->Release();
    device->EndScene();
    EXPECT_EQ(device->Release(), 0u);
}

TEST_F(Direct3DDeviceTest, ThePresentedPictureStaysTheLastFrameWhileTheDeviceDrawsOn)
{
    IDirect3DDevice7* device = nullptr;
    ASSERT_EQ(mDirect3D->CreateDevice(IID_IDirect3DHALDevice, mTarget, &device), D3D_OK);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* primary = nullptr;
    ASSERT_EQ(mDraw->CreateSurface(&desc, &primary, nullptr), DD_OK);
    IDirectDrawClipper* clipper = nullptr;
    mDraw->CreateClipper(0, &clipper, nullptr);
    clipper->SetHWnd(0, mWindow.Get());
    primary->SetClipper(clipper);
    clipper->Release();

    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0);
    ASSERT_EQ(primary->Blt(nullptr, mTarget, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0);
    const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
    ASSERT_EQ(frame.width, 64);
    EXPECT_EQ(frame.pixels[5], 0xFF00FF00u) << "read back from what the window showed";
    EXPECT_EQ(Corvane::Testing::ReadSurfacePixel(mTarget, 5, 0), 0x00FF0000u);
    primary->Release();
    EXPECT_EQ(device->Release(), 0u);
}
