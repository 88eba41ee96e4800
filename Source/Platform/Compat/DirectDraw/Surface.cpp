#include "Platform/Compat/DirectDraw/Surface.h"

#include "Platform/Compat/DirectDraw/PixelFormat.h"
#include "Platform/Compat/DirectDraw/Presenter.h"
#include "Platform/Compat/User/Window.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Compat
{
namespace
{
std::vector<Surface*>& LiveSurfaces()
{
    static std::vector<Surface*> surfaces;
    return surfaces;
}

bool Inside(const RECT& r, int width, int height)
{
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width && r.bottom <= height;
}

// Numbers for the versions of surface contents, never 0.
std::uint64_t NextVersion()
{
    static std::uint64_t last = 0;
    return ++last;
}

// 8-8-8 RGB in 32 bits: what a window shows, read in place.
bool IsWindowFormat(const DDPIXELFORMAT& format)
{
    return format.dwRGBBitCount == 32 && format.dwRBitMask == 0xFF0000 && format.dwGBitMask == 0xFF00 &&
           format.dwBBitMask == 0xFF;
}
} // namespace

Surface::Surface(std::shared_ptr<DirectDrawState> owner, const DDSURFACEDESC2& desc)
    : mOwner(std::move(owner)), mCaps(desc.ddsCaps)
{
    const bool primary = (mCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0;
    if (primary)
    {
        const DisplayModeDescription mode = mOwner->CurrentMode();
        mWidth = mode.width;
        mHeight = mode.height;
        mFormat = DisplayFormat(mode.bits);
    }
    else
    {
        mWidth = static_cast<int>(desc.dwWidth);
        mHeight = static_cast<int>(desc.dwHeight);
        mFormat = (desc.dwFlags & DDSD_PIXELFORMAT) ? desc.ddpfPixelFormat : DisplayFormat(mOwner->CurrentMode().bits);
    }
    mFormat.dwSize = sizeof mFormat;
    mBytes = BytesPerPixel(mFormat);
    // Rows carry slack beyond their pixels, as video memory often does, so that code which
    // ignores the pitch shows at once.
    mPitch = ((mWidth * mBytes + 15) & ~15) + 16;
    // A windowed primary is the window itself.
    const bool windowed = primary && !(mCaps.dwCaps & DDSCAPS_FLIP);
    if (!windowed)
        mContents.pixels.assign(std::size_t(mPitch) * std::size_t(mHeight), 0);
    LiveSurfaces().push_back(this);
}

Surface::~Surface()
{
    if (mResidentPixels)
        ForgetWindowResident(mResidentWindow, this);
    for (Surface* buffer : mBackBuffers)
        buffer->Release();
    ReleaseAndNull(mZBuffer);
    ReleaseAndNull(mClipper);
    if (IsPrimary())
        mOwner->hasPrimary = false;
    auto& live = LiveSurfaces();
    live.erase(std::find(live.begin(), live.end(), this));
}

Surface* Surface::From(IDirectDrawSurface7* surface)
{
    return dynamic_cast<Surface*>(surface);
}

const std::vector<Surface*>& Surface::All()
{
    return LiveSurfaces();
}

HRESULT Surface::QueryInterface(const IID&, void** out)
{
    if (out)
        *out = nullptr;
    return DDERR_UNSUPPORTED;
}

void Surface::AddBackBuffer(Surface* buffer)
{
    mBackBuffers.push_back(buffer);
}

HRESULT Surface::CheckUsable(Surface* other, DisplayCall call) const
{
    if (mLost || (other && other->mLost))
        return DDERR_SURFACELOST;
    if (mLocked || (other && other->mLocked))
        return DDERR_SURFACEBUSY;
    return InjectedFailure(call);
}

HRESULT Surface::AddAttachedSurface(IDirectDrawSurface7* surface)
{
    Surface* z = From(surface);
    if (!z || !(z->mCaps.dwCaps & DDSCAPS_ZBUFFER))
        return DDERR_CANNOTATTACHSURFACE;
    if (z->mWidth != mWidth || z->mHeight != mHeight)
        return DDERR_INVALIDPARAMS;
    if (const HRESULT failure = InjectedFailure(DisplayCall::AddAttachedSurface))
        return failure;
    if (mZBuffer)
        return DDERR_SURFACEALREADYATTACHED;
    z->AddRef();
    mZBuffer = z;
    return DD_OK;
}

HRESULT Surface::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** out)
{
    if (!caps || !out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (const HRESULT failure = InjectedFailure(DisplayCall::GetAttachedSurface))
        return failure;
    Surface* found = nullptr;
    if ((caps->dwCaps & DDSCAPS_BACKBUFFER) && !mBackBuffers.empty())
        found = mBackBuffers.front();
    else if ((caps->dwCaps & DDSCAPS_ZBUFFER) && mZBuffer)
        found = mZBuffer;
    if (!found)
        return DDERR_NOTFOUND;
    found->AddRef();
    *out = found;
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(DDSURFACEDESC2* desc)
{
    if (!desc)
        return DDERR_INVALIDPARAMS;
    *desc = {};
    desc->dwSize = sizeof *desc;
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(mWidth);
    desc->dwHeight = static_cast<DWORD>(mHeight);
    desc->lPitch = Pitch();
    desc->ddpfPixelFormat = mFormat;
    desc->ddsCaps = mCaps;
    if (!mBackBuffers.empty())
    {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = static_cast<DWORD>(mBackBuffers.size());
    }
    return DD_OK;
}

HRESULT Surface::IsLost()
{
    return mLost ? DDERR_SURFACELOST : DD_OK;
}

HRESULT Surface::Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE)
{
    if (!desc)
        return DDERR_INVALIDPARAMS;
    if (mContents.pixels.empty())
        return DDERR_CANTLOCKSURFACE;
    if (const HRESULT failure = CheckUsable(nullptr, DisplayCall::Lock))
        return failure;
    const RECT area = rect ? *rect : Whole();
    if (!Inside(area, mWidth, mHeight))
        return DDERR_INVALIDRECT;
    SyncMemory();
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = Pixels() + std::size_t(area.top) * Pitch() + std::size_t(area.left) * mBytes;
    mLocked = true;
    mLockWrites = !(flags & DDLOCK_READONLY);
    return DD_OK;
}

HRESULT Surface::Unlock(RECT*)
{
    if (!mLocked)
        return DDERR_NOTLOCKED;
    mLocked = false;
    if (mLockWrites)
        MemoryChanged();
    return DD_OK;
}

HRESULT Surface::Restore()
{
    if (!mLost)
        return DD_OK;
    // What the surface showed is gone, as on a display that lost its video memory.
    for (int y = 0; HasPixels() && y < mHeight; ++y)
        std::memset(Pixels() + std::size_t(y) * Pitch(), 0, std::size_t(mWidth) * mBytes);
    mContents.textureNewer = false;
    MemoryChanged();
    mLost = false;
    mLocked = false;
    for (Surface* buffer : mBackBuffers)
        buffer->Restore();
    return DD_OK;
}

void Surface::Lose()
{
    // The driver keeps managed and system-memory textures and brings them back by itself.
    const bool kept =
        IsTexture() && ((mCaps.dwCaps2 & DDSCAPS2_TEXTUREMANAGE) || (mCaps.dwCaps & DDSCAPS_SYSTEMMEMORY));
    if (!kept)
        mLost = true;
}

SurfaceTexture* Surface::GetTexture(bool target)
{
    HWND window = mOwner->window;
    std::unique_ptr<SurfaceTexture>& texture = mContents.texture;
    if (texture && (!texture->IsUsable() || texture->GetWindow() != window || (target && !texture->IsTarget())))
    {
        SyncMemory();
        texture.reset();
    }
    if (!texture)
    {
        if (mContents.pixels.empty())
            return nullptr;
        auto made = std::make_unique<SurfaceTexture>(window, mWidth, mHeight, target || !IsTexture());
        if (!made->IsUsable())
            return nullptr;
        texture = std::move(made);
        mContents.textureNewer = false;
        mContents.memoryNewer = true;
    }
    if (mContents.memoryNewer)
    {
        texture->Upload(Pixels(), Pitch(), mFormat);
        mContents.memoryNewer = false;
    }
    return texture.get();
}

void Surface::SyncMemory()
{
    if (!mContents.textureNewer)
        return;
    mContents.textureNewer = false;
    // A texture whose renderer went with its window took the pixels along; the memory is all
    // that is left.
    if (mContents.texture)
        mContents.texture->ReadBack(Pixels(), Pitch(), mFormat);
    mContents.version = NextVersion();
}

void Surface::MemoryChanged()
{
    mContents.memoryNewer = true;
    mContents.version = NextVersion();
}

void Surface::LeaveWindow()
{
    const std::uint8_t* window = mResidentPixels;
    if (!window)
        return;
    for (int y = 0; y < mHeight; ++y)
        std::memcpy(mContents.pixels.data() + std::size_t(y) * mPitch, window + std::size_t(y) * mResidentPitch,
                    std::size_t(mWidth) * mBytes);
    mResidentPixels = nullptr;
    mResidentWindow = nullptr;
}

void Surface::MoveIntoWindow(HWND window)
{
    // Not a surface of a flip chain (its contents move along the chain) nor one the window
    // would have to convert.
    if (IsPrimary() || !mBackBuffers.empty() || (mCaps.dwCaps & DDSCAPS_BACKBUFFER) || !IsWindowFormat(mFormat) ||
        mContents.textureNewer || mResidentPixels)
        return;
    int pitch = 0;
    if (std::uint8_t* pixels = AdoptWindowPixels(window, this, mWidth, mHeight, pitch))
    {
        mResidentWindow = window;
        mResidentPixels = pixels;
        mResidentPitch = pitch;
    }
}

void Surface::ForgetTexture(bool destroyed)
{
    if (!mContents.texture)
        return;
    if (mContents.textureNewer)
        Lose();
    mContents.textureNewer = false;
    mContents.memoryNewer = true;
    if (destroyed)
        mContents.texture.reset();
}

HRESULT Surface::SetClipper(IDirectDrawClipper* clipper)
{
    if (clipper)
        clipper->AddRef();
    ReleaseAndNull(mClipper);
    mClipper = clipper;
    return DD_OK;
}

HRESULT Surface::GetDDInterface(void** out)
{
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = mOwner->object;
    if (!mOwner->object)
        return DDERR_INVALIDOBJECT;
    mOwner->object->AddRef();
    return DD_OK;
}

HRESULT Surface::Blt(RECT* dst, IDirectDrawSurface7* source, RECT* srcRect, DWORD, DDBLTFX*)
{
    Surface* src = From(source);
    if (!src)
        return DDERR_INVALIDPARAMS;
    if (const HRESULT failure = CheckUsable(src, DisplayCall::Blt))
        return failure;
    const RECT from = srcRect ? *srcRect : src->Whole();
    if (!Inside(from, src->mWidth, src->mHeight) || src->mContents.pixels.empty())
        return DDERR_INVALIDRECT;
    if (mContents.pixels.empty())
        return PresentFrom(*src, from, dst);
    const RECT to = dst ? *dst : Whole();
    if (!Inside(to, mWidth, mHeight))
        return DDERR_INVALIDRECT;
    return Copy(to, *src, from);
}

HRESULT Surface::Copy(const RECT& to, Surface& src, const RECT& from)
{
    if (!SameFormat(mFormat, src.mFormat))
        return DDERR_INVALIDPIXELFORMAT;
    src.SyncMemory();
    SyncMemory();
    MemoryChanged();
    // Nearest neighbour; a copy of the rows first when both are one surface.
    const int srcPitch = src.Pitch();
    const std::vector<std::uint8_t> copy =
        &src == this ? std::vector<std::uint8_t>(Pixels(), Pixels() + std::size_t(Pitch()) * mHeight)
                     : std::vector<std::uint8_t>();
    const std::uint8_t* pixels = &src == this ? copy.data() : src.Pixels();
    const int pitch = Pitch();
    const int w = to.right - to.left, h = to.bottom - to.top;
    const int sw = from.right - from.left, sh = from.bottom - from.top;
    // Whole surfaces of one size: one block.
    if (w == sw && h == sh && w == mWidth && w == src.mWidth && h == mHeight && pitch == srcPitch)
    {
        std::memmove(Pixels(), pixels, std::size_t(pitch) * std::size_t(mHeight));
        return DD_OK;
    }
    for (int y = 0; y < h; ++y)
    {
        const std::uint8_t* row = pixels + std::size_t(from.top + y * sh / h) * srcPitch;
        std::uint8_t* out = Pixels() + std::size_t(to.top + y) * pitch + std::size_t(to.left) * mBytes;
        if (w == sw)
        {
            std::memmove(out, row + std::size_t(from.left) * mBytes, std::size_t(w) * mBytes);
            continue;
        }
        for (int x = 0; x < w; ++x)
            std::memcpy(out + std::size_t(x) * mBytes, row + std::size_t(from.left + x * sw / w) * mBytes, mBytes);
    }
    return DD_OK;
}

HRESULT Surface::BltFast(DWORD x, DWORD y, IDirectDrawSurface7* source, RECT* srcRect, DWORD)
{
    Surface* src = From(source);
    if (!src || mContents.pixels.empty())
        return DDERR_INVALIDPARAMS;
    if (const HRESULT failure = CheckUsable(src, DisplayCall::BltFast))
        return failure;
    const RECT from = srcRect ? *srcRect : src->Whole();
    const LONG left = static_cast<LONG>(x), top = static_cast<LONG>(y);
    RECT to{left, top, left + (from.right - from.left), top + (from.bottom - from.top)};
    // BltFast does not clip: the whole rectangle must fit.
    if (!Inside(from, src->mWidth, src->mHeight) || !Inside(to, mWidth, mHeight) || src->mContents.pixels.empty())
        return DDERR_INVALIDRECT;
    return Copy(to, *src, from);
}

HRESULT Surface::Flip(IDirectDrawSurface7* target, DWORD)
{
    if (target || mBackBuffers.empty())
        return DDERR_NOTFLIPPABLE;
    if (const HRESULT failure = CheckUsable(mBackBuffers.front(), DisplayCall::Flip))
        return failure;
    // The contents move along the chain: the first back buffer's become the front's, the
    // front's go to the last back buffer.
    Contents front = std::move(mContents);
    mContents = std::move(mBackBuffers.front()->mContents);
    for (std::size_t i = 0; i + 1 < mBackBuffers.size(); ++i)
        mBackBuffers[i]->mContents = std::move(mBackBuffers[i + 1]->mContents);
    mBackBuffers.back()->mContents = std::move(front);
    // The front's contents before are the last buffer's now: the picture the window shows.
    Show(Whole(), mOwner->window, nullptr, &mBackBuffers.back()->mContents);
    return DD_OK;
}

void Surface::Show(const RECT& from, HWND window, const RECT* destination, Contents* previous)
{
    const bool whole = from.left == 0 && from.top == 0 && from.right == mWidth && from.bottom == mHeight;
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    const bool overClient = !destination || (destination->left == 0 && destination->top == 0 &&
                                             destination->right == client.right && destination->bottom == client.bottom);
    if (mResidentPixels)
    {
        if (whole && overClient && window == mResidentWindow && PresentWindowPixels(window, this))
            return;
        LeaveWindow();
    }
    SurfaceTexture* texture = mContents.texture.get();
    if (mContents.textureNewer && texture && texture->IsUsable() && texture->GetWindow() == window)
    {
        PresentTexture(window, texture->Get(), from, destination);
        return;
    }
    SyncMemory();
    const int width = from.right - from.left;
    const std::uint8_t* origin =
        mContents.pixels.data() + std::size_t(from.top) * mPitch + std::size_t(from.left) * mBytes;
    const ArgbConverter converter(mFormat);
    MemoryFrame frame;
    frame.width = width;
    frame.height = from.bottom - from.top;
    frame.version = mContents.version;
    if (IsWindowFormat(mFormat))
    {
        frame.pixels = origin;
        frame.pitch = mPitch;
        if (previous && !previous->textureNewer && whole && previous->pixels.size() == mContents.pixels.size())
        {
            frame.previous = previous->pixels.data();
            frame.previousVersion = previous->version;
        }
    }
    else
        frame.fill = [&](int y, std::uint32_t* out) { converter.ColourRow(origin + std::size_t(y) * mPitch, width, out); };
    PresentFrame(window, frame, destination);
    if (whole && overClient)
        MoveIntoWindow(window);
}

HRESULT Surface::PresentFrom(Surface& src, const RECT& from, const RECT* screenRect)
{
    HWND window = mOwner->window;
    if (mClipper)
        mClipper->GetHWnd(&window);
    if (!IsWindow(window))
        return DDERR_NOHWND;
    if (!screenRect)
    {
        src.Show(from, window, nullptr);
        return DD_OK;
    }
    POINT topLeft{screenRect->left, screenRect->top};
    POINT bottomRight{screenRect->right, screenRect->bottom};
    ScreenToClient(window, &topLeft);
    ScreenToClient(window, &bottomRight);
    const RECT client{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    src.Show(from, window, &client);
    return DD_OK;
}
} // namespace Compat
