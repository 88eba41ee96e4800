// A Direct3D device: the description it was made from, its render target, and every state the
// game sets, stored as set. Internal to the layer.
#pragma once

#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/DirectDraw/ComObject.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"

#include <array>
#include <map>

namespace Compat
{
class Surface;

class Device final : public ComObject<IDirect3DDevice7>
{
public:
    // target must be a surface of this layer (a reference is taken).
    Device(const Direct3DDeviceDescription& description, Surface* target);

    HRESULT QueryInterface(const IID& iid, void** out) override;
    HRESULT GetCaps(D3DDEVICEDESC7* desc) override;
    HRESULT EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, D3DRECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) override;
    HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) override;
    HRESULT GetRenderTarget(IDirectDrawSurface7** surface) override;
    HRESULT SetViewport(D3DVIEWPORT7* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT7* viewport) override;
    HRESULT SetMaterial(D3DMATERIAL7* material) override;
    HRESULT GetMaterial(D3DMATERIAL7* material) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value) override;
    HRESULT SetClipPlane(DWORD index, D3DVALUE* plane) override;
    HRESULT GetClipPlane(DWORD index, D3DVALUE* plane) override;

    int GetStateChanges() const { return mStateChanges; }

private:
    ~Device() override;

    static constexpr DWORD kStages = 8;

    Direct3DDeviceDescription mDescription;
    Surface* mTarget = nullptr; // reference held
    bool mInScene = false;
    D3DVIEWPORT7 mViewport{};
    D3DMATERIAL7 mMaterial{};
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> mTransforms;
    std::array<DWORD, D3DRENDERSTATE_COUNT> mRenderStates{};
    std::array<std::array<DWORD, D3DTSS_COUNT>, kStages> mStageStates{};
    std::array<std::array<D3DVALUE, 4>, kCompatClipPlanes> mClipPlanes{};
    int mStateChanges = 0;
};
} // namespace Compat
