#include "Platform/Compat/Direct3D/Device.h"

#include "Platform/Compat/DirectDraw/PixelFormat.h"
#include "Platform/Compat/DirectDraw/Surface.h"

namespace Compat
{
Device::Device(const Direct3DDeviceDescription& description, Surface* target) : mDescription(description)
{
    target->AddRef();
    mTarget = target;
    mViewport = {0, 0, static_cast<DWORD>(target->GetWidth()), static_cast<DWORD>(target->GetHeight()), 0.0f, 1.0f};
}

Device::~Device()
{
    if (mTarget)
        mTarget->Release();
}

int CountDeviceStateChanges(IDirect3DDevice7* device)
{
    const auto* ours = dynamic_cast<Device*>(device);
    return ours ? ours->GetStateChanges() : 0;
}

HRESULT Device::QueryInterface(const IID&, void** out)
{
    if (out)
        *out = nullptr;
    return DDERR_UNSUPPORTED;
}

HRESULT Device::GetCaps(D3DDEVICEDESC7* desc)
{
    if (!desc)
        return DDERR_INVALIDPARAMS;
    if (const HRESULT failure = InjectedFailure(DisplayCall::GetDeviceCaps))
        return failure;
    *desc = mDescription.caps;
    return D3D_OK;
}

HRESULT Device::EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context)
{
    if (!callback)
        return DDERR_INVALIDPARAMS;
    for (DDPIXELFORMAT format : mDescription.textureFormats)
        if (callback(&format, context) == D3DENUMRET_CANCEL)
            break;
    return D3D_OK;
}

HRESULT Device::BeginScene()
{
    if (mInScene)
        return D3DERR_SCENE_IN_SCENE;
    if (const HRESULT failure = InjectedFailure(DisplayCall::BeginScene))
        return failure;
    if (mTarget->IsLost() != DD_OK)
        return DDERR_SURFACELOST;
    mInScene = true;
    return D3D_OK;
}

HRESULT Device::EndScene()
{
    if (!mInScene)
        return D3DERR_SCENE_NOT_IN_SCENE;
    mInScene = false;
    return InjectedFailure(DisplayCall::EndScene);
}

HRESULT Device::Clear(DWORD count, D3DRECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE, DWORD)
{
    if (count > 0 && !rects)
        return DDERR_INVALIDPARAMS;
    if (mTarget->IsLost() != DD_OK)
        return DDERR_SURFACELOST;
    const RECT viewport{static_cast<LONG>(mViewport.dwX), static_cast<LONG>(mViewport.dwY),
                        static_cast<LONG>(mViewport.dwX + mViewport.dwWidth),
                        static_cast<LONG>(mViewport.dwY + mViewport.dwHeight)};
    // Nothing draws with depth yet, so the z-buffer is left as it is.
    if (!(flags & D3DCLEAR_TARGET))
        return D3D_OK;
    const std::uint32_t value = PackColor(color, mTarget->GetFormat());
    if (count == 0)
        mTarget->Fill(viewport, value);
    for (DWORD i = 0; i < count; ++i)
        mTarget->Fill(RECT{rects[i].x1, rects[i].y1, rects[i].x2, rects[i].y2}, value);
    return D3D_OK;
}

HRESULT Device::SetRenderTarget(IDirectDrawSurface7* surface, DWORD)
{
    Surface* target = Surface::From(surface);
    if (!target || !target->HasPixels())
        return DDERR_INVALIDPARAMS;
    if (const HRESULT failure = InjectedFailure(DisplayCall::SetRenderTarget))
        return failure;
    target->AddRef();
    mTarget->Release();
    mTarget = target;
    return D3D_OK;
}

HRESULT Device::GetRenderTarget(IDirectDrawSurface7** surface)
{
    if (!surface)
        return DDERR_INVALIDPARAMS;
    mTarget->AddRef();
    *surface = mTarget;
    return D3D_OK;
}

HRESULT Device::SetViewport(D3DVIEWPORT7* viewport)
{
    if (!viewport || viewport->dwX + viewport->dwWidth > DWORD(mTarget->GetWidth()) ||
        viewport->dwY + viewport->dwHeight > DWORD(mTarget->GetHeight()))
        return DDERR_INVALIDPARAMS;
    if (const HRESULT failure = InjectedFailure(DisplayCall::SetViewport))
        return failure;
    mViewport = *viewport;
    return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT7* viewport)
{
    if (!viewport)
        return DDERR_INVALIDPARAMS;
    *viewport = mViewport;
    return D3D_OK;
}

HRESULT Device::SetMaterial(D3DMATERIAL7* material)
{
    if (!material)
        return DDERR_INVALIDPARAMS;
    mMaterial = *material;
    return D3D_OK;
}

HRESULT Device::GetMaterial(D3DMATERIAL7* material)
{
    if (!material)
        return DDERR_INVALIDPARAMS;
    *material = mMaterial;
    return D3D_OK;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix)
{
    if (!matrix)
        return DDERR_INVALIDPARAMS;
    mTransforms[type] = *matrix;
    return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix)
{
    if (!matrix)
        return DDERR_INVALIDPARAMS;
    const auto found = mTransforms.find(type);
    // Never set: the identity.
    *matrix = {};
    for (int i = 0; i < 4; ++i)
        matrix->m[i][i] = 1.0f;
    if (found != mTransforms.end())
        *matrix = found->second;
    return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    if (state == 0 || state >= D3DRENDERSTATE_COUNT)
        return DDERR_INVALIDPARAMS;
    mRenderStates[state] = value;
    ++mStateChanges;
    return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value)
{
    if (state == 0 || state >= D3DRENDERSTATE_COUNT || !value)
        return DDERR_INVALIDPARAMS;
    *value = mRenderStates[state];
    return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value)
{
    if (stage >= kStages || state == 0 || state >= D3DTSS_COUNT)
        return DDERR_INVALIDPARAMS;
    mStageStates[stage][state] = value;
    ++mStateChanges;
    return D3D_OK;
}

HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value)
{
    if (stage >= kStages || state == 0 || state >= D3DTSS_COUNT || !value)
        return DDERR_INVALIDPARAMS;
    *value = mStageStates[stage][state];
    return D3D_OK;
}

HRESULT Device::SetClipPlane(DWORD index, D3DVALUE* plane)
{
    if (index >= DWORD(kCompatClipPlanes) || !plane)
        return DDERR_INVALIDPARAMS;
    for (int i = 0; i < 4; ++i)
        mClipPlanes[index][i] = plane[i];
    ++mStateChanges;
    return D3D_OK;
}

HRESULT Device::GetClipPlane(DWORD index, D3DVALUE* plane)
{
    if (index >= DWORD(kCompatClipPlanes) || !plane)
        return DDERR_INVALIDPARAMS;
    for (int i = 0; i < 4; ++i)
        plane[i] = mClipPlanes[index][i];
    return D3D_OK;
}
} // namespace Compat
