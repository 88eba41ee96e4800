#include "Platform/Compat/Direct3D/Device.h"

#include "Platform/Compat/DirectDraw/Surface.h"

namespace Compat
{
Device::Device(const Direct3DDeviceDescription& description, Surface* target) : mDescription(description)
{
    target->AddRef();
    mTarget = target;
    mViewport = {0, 0, static_cast<DWORD>(target->GetWidth()), static_cast<DWORD>(target->GetHeight()), 0.0f, 1.0f};
    // Direct3D's defaults for the states the layer reads.
    mRenderStates[D3DRENDERSTATE_ZWRITEENABLE] = 1;
    mRenderStates[D3DRENDERSTATE_SHADEMODE] = D3DSHADE_GOURAUD;
    mRenderStates[D3DRENDERSTATE_LASTPIXEL] = 1;
    mRenderStates[D3DRENDERSTATE_SRCBLEND] = D3DBLEND_ONE;
    mRenderStates[D3DRENDERSTATE_DESTBLEND] = D3DBLEND_ZERO;
    mRenderStates[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
    mRenderStates[D3DRENDERSTATE_CLIPPING] = 1;
    mRenderStates[D3DRENDERSTATE_LIGHTING] = 1;
    mRenderStates[D3DRENDERSTATE_COLORVERTEX] = 1;
    mRenderStates[D3DRENDERSTATE_LOCALVIEWER] = 1;
    for (auto& stage : mStageStates)
    {
        stage[D3DTSS_COLOROP] = D3DTOP_DISABLE;
        stage[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        stage[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        stage[D3DTSS_ALPHAOP] = D3DTOP_DISABLE;
        stage[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        stage[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        stage[D3DTSS_ADDRESS] = D3DTADDRESS_WRAP;
        stage[D3DTSS_MAGFILTER] = D3DTFG_POINT;
        stage[D3DTSS_MINFILTER] = D3DTFN_POINT;
    }
    mStageStates[0][D3DTSS_COLOROP] = D3DTOP_MODULATE;
    mStageStates[0][D3DTSS_ALPHAOP] = D3DTOP_SELECTARG1;
}

Device::~Device()
{
    for (Surface*& texture : mTextures)
        if (texture)
            texture->Release();
    if (mTarget)
        mTarget->Release();
}

int CountDeviceStateChanges(IDirect3DDevice7* device)
{
    const auto* ours = dynamic_cast<Device*>(device);
    return ours ? ours->GetStateChanges() : 0;
}

void ObservePrimitives(IDirect3DDevice7* device, std::function<void(const DrawnPrimitive&)> observer)
{
    if (auto* ours = dynamic_cast<Device*>(device))
        ours->SetObserver(std::move(observer));
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
    // Nothing draws with depth, so the z-buffer is left as it is.
    if (!(flags & D3DCLEAR_TARGET))
        return D3D_OK;
    SurfaceTexture* target = UseTarget();
    if (!target)
        return D3DERR_INITFAILED;
    SDL_Renderer* renderer = target->GetRenderer();
    const SDL_Rect viewport{int(mViewport.dwX), int(mViewport.dwY), int(mViewport.dwWidth), int(mViewport.dwHeight)};
    SDL_RenderSetClipRect(renderer, nullptr);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, Uint8(color >> 16), Uint8(color >> 8), Uint8(color), Uint8(color >> 24));
    if (count == 0)
        SDL_RenderFillRect(renderer, &viewport);
    for (DWORD i = 0; i < count; ++i)
    {
        const SDL_Rect rect{rects[i].x1, rects[i].y1, rects[i].x2 - rects[i].x1, rects[i].y2 - rects[i].y1};
        SDL_Rect inside{};
        if (SDL_IntersectRect(&rect, &viewport, &inside))
            SDL_RenderFillRect(renderer, &inside);
    }
    mTarget->MarkTextureDrawn();
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

HRESULT Device::SetTexture(DWORD stage, IDirectDrawSurface7* texture)
{
    Surface* surface = Surface::From(texture);
    if (stage >= kStages || (texture && (!surface || !surface->IsTexture())))
        return DDERR_INVALIDPARAMS;
    if (surface)
        surface->AddRef();
    if (mTextures[stage])
        mTextures[stage]->Release();
    mTextures[stage] = surface;
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
