// A DirectDraw surface: pixels in memory with a pitch and a pixel format, a lost flag, a lock,
// and for a primary surface the flip chain or the clipper through which it shows the picture in
// the window. Internal to the layer; the Direct3D device reaches its render target's pixels here.
#pragma once

#include "Platform/Compat/DirectDraw/ComObject.h"
#include "Platform/Compat/DirectDraw/DirectDrawState.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Compat
{
class Surface final : public ComObject<IDirectDrawSurface7>
{
public:
    // A surface of the description's caps, size and pixel format (pixels zero). A windowed
    // primary surface has no pixels of its own: it stands for the window.
    Surface(std::shared_ptr<DirectDrawState> owner, const DDSURFACEDESC2& desc);

    HRESULT QueryInterface(const IID& iid, void** out) override;
    HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) override;
    HRESULT Blt(RECT* dst, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags, DDBLTFX* fx) override;
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags) override;
    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) override;
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** out) override;
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) override;
    HRESULT IsLost() override;
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event) override;
    HRESULT Unlock(RECT* rect) override;
    HRESULT Restore() override;
    HRESULT SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT GetDDInterface(void** out) override;

    // Appends a back buffer to a primary's flip chain (the chain holds the reference).
    void AddBackBuffer(Surface* buffer);
    // Marks this surface lost.
    void Lose() { mLost = true; }
    const std::shared_ptr<DirectDrawState>& GetOwner() const { return mOwner; }
    const DDPIXELFORMAT& GetFormat() const { return mFormat; }
    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    int GetPitch() const { return mPitch; }
    std::uint8_t* GetPixels() { return mPixels.data(); }
    bool IsPrimary() const { return (mCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0; }
    bool HasPixels() const { return !mPixels.empty(); }
    // Fills the rectangle (clipped to the surface) with a value of the surface's format.
    void Fill(const RECT& rect, std::uint32_t value);

    // A concrete surface of this layer behind the interface, else null.
    static Surface* From(IDirectDrawSurface7* surface);
    // Every surface alive, in creation order.
    static const std::vector<Surface*>& All();

private:
    ~Surface() override;

    // DDERR_SURFACELOST when this or other is lost, an injected failure, DD_OK otherwise.
    HRESULT CheckUsable(Surface* other, DisplayCall call) const;
    // Copies from of src into to of this surface, scaled nearest neighbour; formats must match.
    HRESULT Copy(const RECT& to, Surface& src, const RECT& from);
    // Shows rect of src in the window that a windowed primary stands for.
    HRESULT PresentFrom(Surface& src, const RECT& srcRect, const RECT* screenRect);
    // The pixels of from as opaque 0xAARRGGBB, a frame for window.
    PresentedFrame Capture(const RECT& from, HWND window) const;
    // Shows the front buffer of a full-screen flip chain.
    void PresentFront();
    RECT Whole() const { return {0, 0, mWidth, mHeight}; }

    std::shared_ptr<DirectDrawState> mOwner;
    DDSCAPS2 mCaps{};
    DDPIXELFORMAT mFormat{};
    int mWidth = 0;
    int mHeight = 0;
    int mBytes = 0;
    int mPitch = 0;
    std::vector<std::uint8_t> mPixels;
    bool mLost = false;
    bool mLocked = false;
    std::vector<Surface*> mBackBuffers;     // flip chain of a full-screen primary (references held)
    Surface* mZBuffer = nullptr;            // reference held
    IDirectDrawClipper* mClipper = nullptr; // reference held
};
} // namespace Compat
