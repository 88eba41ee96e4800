// A DirectDraw surface: pixels in memory with a pitch and a pixel format, a lost flag, a lock,
// and for a primary surface the flip chain or the clipper through which it shows the picture in
// the window. Internal to the layer.
//
// A surface that a Direct3D device draws from or into also has a copy on the window's SDL
// renderer (SurfaceTexture). Whichever copy changed last is the true one: the device's drawing
// stays on the renderer until something reads the memory (a lock, a blit, a memory present),
// and memory changes reach the renderer before the device next uses the surface. Presenting a
// surface whose picture is on the renderer never leaves it.
//
// An off-screen surface shown as it is over a whole window that shows its own pixels (a windowed
// back buffer) moves its pixels into the window's memory, as a display keeps a back buffer in
// video memory: showing it again copies nothing. They move back out when the window needs its
// memory for anything else.
#pragma once

#include "Platform/Compat/DirectDraw/ComObject.h"
#include "Platform/Compat/DirectDraw/DirectDrawState.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Compat/DirectDraw/SurfaceTexture.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Compat
{
class Surface final : public ComObject<IDirectDrawSurface7>, public WindowResident
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
    // Marks this surface lost, unless it is a texture whose pixels the driver keeps.
    void Lose();
    const std::shared_ptr<DirectDrawState>& GetOwner() const { return mOwner; }
    const DDPIXELFORMAT& GetFormat() const { return mFormat; }
    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    bool IsPrimary() const { return (mCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0; }
    bool IsTexture() const { return (mCaps.dwCaps & DDSCAPS_TEXTURE) != 0; }
    bool HasPixels() const { return !mContents.pixels.empty(); }

    void LeaveWindow() override;

    // The copy on the renderer of the owner's window, made on first use and brought up to date
    // with the memory; target: a device draws into it. Null when the renderer cannot hold it.
    SurfaceTexture* GetTexture(bool target);
    // A device drew into the texture: it now holds the surface's true pixels.
    void MarkTextureDrawn() { mContents.textureNewer = true; }
    // The renderer lost what its textures held (device loss): a surface whose pixels were only
    // there is lost, the others are uploaded again; destroyed, the texture is made again.
    void ForgetTexture(bool destroyed);

    // A concrete surface of this layer behind the interface, else null.
    static Surface* From(IDirectDrawSurface7* surface);
    // Every surface alive, in creation order.
    static const std::vector<Surface*>& All();

private:
    // What moves along a flip chain: the pixels in both places and which copy is newer.
    struct Contents
    {
        std::vector<std::uint8_t> pixels;
        std::unique_ptr<SurfaceTexture> texture;
        bool textureNewer = false; // a device drew since the memory was last read back
        bool memoryNewer = false;  // the memory changed since the last upload
        std::uint64_t version = 0; // a new number for each change of the pixels
    };

    ~Surface() override;

    // DDERR_SURFACELOST when this or other is lost, an injected failure, DD_OK otherwise.
    HRESULT CheckUsable(Surface* other, DisplayCall call) const;
    // Brings the memory up to date with what a device drew.
    void SyncMemory();
    // The memory changed: the texture is stale.
    void MemoryChanged();
    // Where the pixels are now: the surface's memory, or the window's while they live there.
    std::uint8_t* Pixels() { return mResidentPixels ? mResidentPixels : mContents.pixels.data(); }
    int Pitch() const { return mResidentPixels ? mResidentPitch : mPitch; }
    // Copies from of src into to of this surface, scaled nearest neighbour; formats must match.
    HRESULT Copy(const RECT& to, Surface& src, const RECT& from);
    // Shows rect of src in the window that a windowed primary stands for.
    HRESULT PresentFrom(Surface& src, const RECT& srcRect, const RECT* screenRect);
    // Shows rect of this surface in window (over destination, client coordinates, or the whole
    // client area), from wherever its true pixels are; previous: the contents shown there before,
    // when still at hand.
    void Show(const RECT& from, HWND window, const RECT* destination, Contents* previous = nullptr);
    // After a present of the whole surface over the whole window: its pixels move into the window
    // when it can hold them.
    void MoveIntoWindow(HWND window);
    RECT Whole() const { return {0, 0, mWidth, mHeight}; }

    std::shared_ptr<DirectDrawState> mOwner;
    DDSCAPS2 mCaps{};
    DDPIXELFORMAT mFormat{};
    int mWidth = 0;
    int mHeight = 0;
    int mBytes = 0;
    int mPitch = 0;
    Contents mContents;
    bool mLost = false;
    bool mLocked = false;
    bool mLockWrites = false;               // the lock may change the pixels
    std::vector<Surface*> mBackBuffers;     // flip chain of a full-screen primary (references held)
    Surface* mZBuffer = nullptr;            // reference held
    IDirectDrawClipper* mClipper = nullptr; // reference held
    HWND mResidentWindow = nullptr;         // the window whose memory holds the pixels
    std::uint8_t* mResidentPixels = nullptr;
    int mResidentPitch = 0;
};
} // namespace Compat
