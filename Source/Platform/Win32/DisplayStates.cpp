// The display's device states, frames and presentation.
#include "Platform/Compat/User/Window.h"
#include "Platform/Win32/DisplayResource.h"
#include "Platform/Win32/ProjectionMatrix.h"
#include "Platform/Win32/display.h"

#include <utility>

namespace Corvane
{
namespace
{
constexpr D3DCOLOR kClearColor = 0xFF0000FF; // opaque blue: undrawn parts of a frame stand out

// The clip planes: left, top, right and bottom edge of the clip rectangle.
constexpr DWORD kLeftPlane = 1;
constexpr DWORD kTopPlane = 2;
constexpr DWORD kRightPlane = 4;
constexpr DWORD kBottomPlane = 8;
} // namespace

void CDisplay::ApplyInitialStates()
{
    D3DMATERIAL7 material{};
    material.diffuse = material.ambient = material.specular = {1.0f, 1.0f, 1.0f, 1.0f};
    material.power = 50.0f;
    mDevice->SetMaterial(&material);
    mDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    mDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    mDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    ApplyPrimitiveState();
    mDevice->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    mDevice->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    mDevice->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    mDevice->SetRenderState(D3DRENDERSTATE_DITHERENABLE, 1);
    mDevice->SetRenderState(D3DRENDERSTATE_SPECULARENABLE, 0);
    mDevice->SetRenderState(D3DRENDERSTATE_NORMALIZENORMALS, 1);
    SetProjection();
    mDevice->SetRenderState(D3DRENDERSTATE_AMBIENT, 0xFFFFFFFF);
}

void CDisplay::ApplyDefaultStates()
{
    if (m3DEnabled && mDevice)
    {
        const std::pair<D3DRENDERSTATETYPE, DWORD> states[] = {
            {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE},
            {D3DRENDERSTATE_DITHERENABLE, 0},
            {D3DRENDERSTATE_CLIPPING, 1},
            {D3DRENDERSTATE_SHADEMODE, D3DSHADE_GOURAUD},
            {D3DRENDERSTATE_LASTPIXEL, 0},
            {D3DRENDERSTATE_FOGENABLE, 0},
            {D3DRENDERSTATE_SPECULARENABLE, 0},
            {D3DRENDERSTATE_EDGEANTIALIAS, 0},
            {D3DRENDERSTATE_COLORKEYENABLE, 0},
            {D3DRENDERSTATE_STENCILENABLE, 0},
            {D3DRENDERSTATE_LOCALVIEWER, 1},
            {D3DRENDERSTATE_NORMALIZENORMALS, 1},
            {D3DRENDERSTATE_COLORKEYBLENDENABLE, 0},
            {D3DRENDERSTATE_CLIPPLANEENABLE, 0},
            {D3DRENDERSTATE_COLORVERTEX, 1},
            {D3DRENDERSTATE_LIGHTING, 0},
            {D3DRENDERSTATE_AMBIENT, 0xFFFFFFFF},
            {D3DRENDERSTATE_ZENABLE, 0},
            {D3DRENDERSTATE_ZWRITEENABLE, 0},
        };
        for (const auto& [state, value] : states)
            mDevice->SetRenderState(state, value);
        mDevice->SetTextureStageState(0, D3DTSS_ADDRESS, D3DTADDRESS_CLAMP);
        mDevice->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
        mDevice->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
        mDevice->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
        mDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        mDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        mDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        // The clip planes were switched off above: the next primitive enables its own again.
        mClipKnown = false;
        ApplyPrimitiveState();
    }
    DisplayResource::RestoreAll();
}

void CDisplay::ApplyPrimitiveState()
{
    if (!mDevice)
        return;
    if (mRequestedFilter != mCurrentFilter)
    {
        const DWORD minify = mRequestedFilter == 0 ? D3DTFN_LINEAR : D3DTFN_POINT;
        const DWORD magnify = mRequestedFilter == 0 ? D3DTFG_LINEAR : D3DTFG_POINT;
        mDevice->SetTextureStageState(0, D3DTSS_MINFILTER, minify);
        mDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, magnify);
        mCurrentFilter = mRequestedFilter;
    }
    if (mClipKnown && mRequestedClip == mAppliedClip)
        return;

    RECT client{0, 0, 0, 0};
    GetClientBounds(client);
    const ClipRect& r = mRequestedClip;
    const long right = long(r.x) + r.width;
    const long bottom = long(r.y) + r.height;
    // An edge clips only when it lies strictly inside the client area.
    DWORD enable = 0;
    if (0 < r.x && r.x < client.right)
        enable |= kLeftPlane;
    if (0 < r.y && r.y < client.bottom)
        enable |= kTopPlane;
    if (0 < right && right < client.right)
        enable |= kRightPlane;
    if (0 < bottom && bottom < client.bottom)
        enable |= kBottomPlane;
    if (!mClipKnown || enable != mClipEnable)
        mDevice->SetRenderState(D3DRENDERSTATE_CLIPPLANEENABLE, enable);
    mClipEnable = enable;
    mClipKnown = true;

    // Keeps a + b y + c z + d >= 0; each plane passes half a pixel outside its edge.
    const std::array<std::array<D3DVALUE, 4>, 4> planes = {{
        {1.0f, 0.0f, 0.0f, -float(r.x) - 0.5f},
        {0.0f, 1.0f, 0.0f, -float(r.y) - 0.5f},
        {-1.0f, 0.0f, 0.0f, float(right) - 0.5f},
        {0.0f, -1.0f, 0.0f, float(bottom) - 0.5f},
    }};
    for (int i = 0; i < 4; ++i)
    {
        if (!(enable & (1u << i)) || (mPlaneKnown[i] && mPlanes[i] == planes[i]))
            continue;
        D3DVALUE plane[4] = {planes[i][0], planes[i][1], planes[i][2], planes[i][3]};
        mDevice->SetClipPlane(static_cast<DWORD>(i), plane);
        mPlanes[i] = planes[i];
        mPlaneKnown[i] = true;
    }
    mAppliedClip = mRequestedClip;
}

void CDisplay::SetProjection()
{
    D3DVIEWPORT7 viewport{};
    mDevice->GetViewport(&viewport);
    D3DMATRIX projection;
    MakeOrthoOffCenterMatrix(projection, 0.0f, float(viewport.dwWidth), float(viewport.dwHeight), 0.0f, viewport.dvMinZ,
                             viewport.dvMaxZ);
    mDevice->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
}

void CDisplay::Clear()
{
    if (!m3DEnabled || !mDevice)
        return;
    const DWORD flags = mZBuffer ? (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER) : D3DCLEAR_TARGET;
    mDevice->Clear(0, nullptr, flags, kClearColor, 1.0f, 0);
}

HRESULT CDisplay::BeginScene()
{
    if (!m3DEnabled || !mDevice)
        return DD_OK;
    const HRESULT result = mDevice->BeginScene();
    if (result == DDERR_SURFACELOST)
        RestoreLostSurfaces();
    return result;
}

void CDisplay::RestoreLostSurfaces()
{
    for (IDirectDrawSurface7* surface : {mPrimary, mBackBuffer, mZBuffer})
        if (surface)
            surface->Restore();
}

HRESULT CDisplay::Present()
{
    if (m3DEnabled && mDevice)
    {
        const HRESULT ended = mDevice->EndScene();
        if (FAILED(ended))
            return ended;
    }
    if (!mPrimary || !mBackBuffer)
        return DDERR_NOTINITIALIZED;
    HRESULT result = DD_OK;
    do
    {
        if (mFullScreen)
            result = mPrimary->Flip(nullptr, DDFLIP_WAIT);
        else
        {
            RECT client{0, 0, 0, 0};
            GetClientBounds(client);
            POINT topLeft{client.left, client.top};
            POINT bottomRight{client.right, client.bottom};
            ClientToScreen(mWindow, &topLeft);
            ClientToScreen(mWindow, &bottomRight);
            RECT screen{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
            result = mPrimary->Blt(&screen, mBackBuffer, nullptr, DDBLT_WAIT, nullptr);
        }
    } while (result == DDERR_WASSTILLDRAWING);
    if (result == DDERR_SURFACELOST)
        RestoreLostSurfaces();
    return result;
}

void CDisplay::GetClientBounds(RECT& bounds)
{
    GetClientRect(mWindow, &bounds);
}
} // namespace Corvane
