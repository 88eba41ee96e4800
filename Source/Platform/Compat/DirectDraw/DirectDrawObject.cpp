#include "Platform/Compat/DirectDraw/DirectDrawObject.h"

#include "Platform/Compat/Direct3D/Direct3DObject.h"
#include "Platform/Compat/DirectDraw/PixelFormat.h"
#include "Platform/Compat/DirectDraw/Presenter.h"
#include "Platform/Compat/DirectDraw/Surface.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Compat/User/WindowObject.h"

#include <algorithm>

const IID IID_IDirectDraw7 = {0x6c1d0001, 0xc0a7, 0x4e11, {0x9a, 0x31, 0x44, 0x44, 0x52, 0x41, 0x57, 0x37}};

namespace Compat
{
namespace
{
class Clipper final : public ComObject<IDirectDrawClipper>
{
public:
    HRESULT QueryInterface(const IID&, void** out) override
    {
        if (out)
            *out = nullptr;
        return DDERR_UNSUPPORTED;
    }
    HRESULT SetHWnd(DWORD flags, HWND window) override
    {
        if (flags != 0 || (window && !IsWindow(window)))
            return DDERR_INVALIDPARAMS;
        mWindow = window;
        return DD_OK;
    }
    HRESULT GetHWnd(HWND* window) override
    {
        if (!window)
            return DDERR_INVALIDPARAMS;
        *window = mWindow;
        return mWindow ? DD_OK : DDERR_NOHWND;
    }

private:
    HWND mWindow = nullptr;
};

void DescribeMode(const DisplayModeDescription& mode, DDSURFACEDESC2& desc)
{
    desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    desc.dwWidth = static_cast<DWORD>(mode.width);
    desc.dwHeight = static_cast<DWORD>(mode.height);
    desc.ddpfPixelFormat = DisplayFormat(mode.bits);
    desc.lPitch = mode.width * std::max(1, BytesPerPixel(desc.ddpfPixelFormat));
    desc.dwRefreshRate = 60;
}

// Which of the injectable creations a surface description asks for.
DisplayCall CreationOf(const DDSURFACEDESC2& desc)
{
    const DWORD caps = desc.ddsCaps.dwCaps;
    if (caps & DDSCAPS_PRIMARYSURFACE)
        return DisplayCall::CreatePrimarySurface;
    if (caps & DDSCAPS_ZBUFFER)
        return DisplayCall::CreateZBufferSurface;
    if (caps & DDSCAPS_TEXTURE)
        return DisplayCall::CreateTextureSurface;
    if (caps & DDSCAPS_3DDEVICE)
        return DisplayCall::CreateRenderSurface;
    return DisplayCall::CreatePlainSurface;
}

bool UsableFormat(const DDPIXELFORMAT& format, bool zBuffer)
{
    if (zBuffer)
        return (format.dwFlags & DDPF_ZBUFFER) && BytesPerPixel(format) > 0;
    const DWORD bits = format.dwRGBBitCount;
    return (format.dwFlags & DDPF_RGB) && (bits == 16 || bits == 24 || bits == 32);
}
} // namespace

DisplayModeDescription DirectDrawState::CurrentMode() const
{
    if (modeSet)
        return mode;
    const DisplayMachine& machine = GetDisplayMachine();
    return {machine.desktopWidth, machine.desktopHeight, machine.desktopBits};
}

DirectDrawObject::DirectDrawObject(const DisplayDriverDescription& driver) : mState(std::make_shared<DirectDrawState>())
{
    mState->driver = driver;
    mState->object = this;
}

DirectDrawObject::~DirectDrawObject()
{
    LeaveExclusive();
    mState->object = nullptr;
}

void DirectDrawObject::LeaveExclusive()
{
    if (mState->modeSet && IsWindow(mState->window))
        LeaveExclusiveMode(mState->window);
    mState->modeSet = false;
}

HRESULT DirectDrawObject::QueryInterface(const IID& iid, void** out)
{
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (iid == IID_IDirectDraw7)
    {
        AddRef();
        *out = static_cast<IDirectDraw7*>(this);
        return DD_OK;
    }
    if (iid == IID_IDirect3D7 && mState->driver.hasDirect3D)
    {
        if (const HRESULT failure = InjectedFailure(DisplayCall::QueryDirect3D))
            return failure;
        *out = CreateDirect3D(this);
        return DD_OK;
    }
    return DDERR_UNSUPPORTED;
}

HRESULT DirectDrawObject::CreateClipper(DWORD flags, IDirectDrawClipper** out, IUnknown*)
{
    if (!out || flags != 0)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (const HRESULT failure = InjectedFailure(DisplayCall::CreateClipper))
        return failure;
    *out = new Clipper;
    return DD_OK;
}

HRESULT DirectDrawObject::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** out, IUnknown*)
{
    if (!desc || !out || !(desc->dwFlags & DDSD_CAPS))
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    const DWORD caps = desc->ddsCaps.dwCaps;
    const bool primary = (caps & DDSCAPS_PRIMARYSURFACE) != 0;
    const bool chain = primary && (caps & DDSCAPS_FLIP);
    if (primary)
    {
        if (mState->hasPrimary)
            return DDERR_PRIMARYSURFACEALREADYEXISTS;
        if (chain && (!mState->IsExclusive() || !(desc->dwFlags & DDSD_BACKBUFFERCOUNT) ||
                      desc->dwBackBufferCount == 0 || !(caps & DDSCAPS_COMPLEX)))
            return mState->IsExclusive() ? DDERR_INVALIDPARAMS : DDERR_NOEXCLUSIVEMODE;
    }
    else
    {
        const DWORD size = DDSD_WIDTH | DDSD_HEIGHT;
        if ((desc->dwFlags & size) != size || desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > 16384 ||
            desc->dwHeight > 16384)
            return DDERR_INVALIDPARAMS;
        if ((desc->dwFlags & DDSD_PIXELFORMAT) && !UsableFormat(desc->ddpfPixelFormat, (caps & DDSCAPS_ZBUFFER) != 0))
            return DDERR_INVALIDPIXELFORMAT;
        if ((caps & DDSCAPS_ZBUFFER) && !(desc->dwFlags & DDSD_PIXELFORMAT))
            return DDERR_INVALIDPIXELFORMAT;
    }
    if (!primary && !(desc->dwFlags & DDSD_PIXELFORMAT) && BytesPerPixel(DisplayFormat(mState->CurrentMode().bits)) < 2)
        return DDERR_INVALIDPIXELFORMAT; // no memory surfaces on a palette display
    if (const HRESULT failure = InjectedFailure(CreationOf(*desc)))
        return failure;

    auto* surface = new Surface(mState, *desc);
    if (chain)
    {
        DDSURFACEDESC2 back = *desc;
        back.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        back.ddsCaps.dwCaps = (caps & ~(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FRONTBUFFER)) | DDSCAPS_BACKBUFFER;
        back.dwWidth = static_cast<DWORD>(surface->GetWidth());
        back.dwHeight = static_cast<DWORD>(surface->GetHeight());
        back.ddpfPixelFormat = surface->GetFormat();
        for (DWORD i = 0; i < desc->dwBackBufferCount; ++i)
            surface->AddBackBuffer(new Surface(mState, back));
    }
    if (primary)
        mState->hasPrimary = true;
    *out = surface;
    return DD_OK;
}

HRESULT DirectDrawObject::EnumDisplayModes(DWORD, DDSURFACEDESC2*, void* context, LPDDENUMMODESCALLBACK2 callback)
{
    if (!callback)
        return DDERR_INVALIDPARAMS;
    for (const DisplayModeDescription& mode : mState->driver.modes)
    {
        DDSURFACEDESC2 desc;
        DescribeMode(mode, desc);
        if (callback(&desc, context) == DDENUMRET_CANCEL)
            break;
    }
    return DD_OK;
}

HRESULT DirectDrawObject::GetCaps(DDCAPS* driver, DDCAPS* emulation)
{
    if (!driver && !emulation)
        return DDERR_INVALIDPARAMS;
    if (const HRESULT failure = InjectedFailure(DisplayCall::GetCaps))
        return failure;
    if (driver)
    {
        *driver = {};
        driver->dwSize = sizeof *driver;
        driver->dwCaps2 = mState->driver.caps2;
        driver->dwVidMemTotal = mState->driver.videoMemoryTotal;
        driver->dwVidMemFree = mState->driver.videoMemoryFree;
    }
    if (emulation)
    {
        *emulation = {};
        emulation->dwSize = sizeof *emulation;
    }
    return DD_OK;
}

HRESULT DirectDrawObject::GetDisplayMode(DDSURFACEDESC2* desc)
{
    if (!desc)
        return DDERR_INVALIDPARAMS;
    if (const HRESULT failure = InjectedFailure(DisplayCall::GetDisplayMode))
        return failure;
    DescribeMode(mState->CurrentMode(), *desc);
    return DD_OK;
}

HRESULT DirectDrawObject::GetDeviceIdentifier(DDDEVICEIDENTIFIER2* identifier, DWORD)
{
    if (!identifier)
        return DDERR_INVALIDPARAMS;
    *identifier = mState->driver.identifier;
    return DD_OK;
}

HRESULT DirectDrawObject::SetCooperativeLevel(HWND window, DWORD flags)
{
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    if (exclusive != ((flags & DDSCL_FULLSCREEN) != 0) || (exclusive && (flags & DDSCL_NORMAL)))
        return DDERR_INVALIDPARAMS;
    if ((exclusive || window) && !IsWindow(window))
        return DDERR_INVALIDPARAMS;
    if (const HRESULT failure = InjectedFailure(DisplayCall::SetCooperativeLevel))
        return failure;
    if (!exclusive || window != mState->window)
        LeaveExclusive();
    mState->window = window;
    mState->level = flags;
    mState->displayChanges = CountDisplayChanges();
    mState->desktop = CurrentDesktopMode();
    return DD_OK;
}

HRESULT DirectDrawObject::SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD, DWORD)
{
    if (!mState->IsExclusive())
        return DDERR_NOEXCLUSIVEMODE;
    const auto& modes = mState->driver.modes;
    const auto found = std::find_if(modes.begin(), modes.end(), [&](const DisplayModeDescription& m) {
        return m.width == int(width) && m.height == int(height) && m.bits == int(bits);
    });
    if (found == modes.end())
        return DDERR_INVALIDMODE;
    if (const HRESULT failure = InjectedFailure(DisplayCall::SetDisplayMode))
        return failure;
    mState->mode = *found;
    mState->modeSet = true;
    // A mode change takes the video memory of every surface of this object.
    for (Surface* surface : Surface::All())
        if (surface->GetOwner() == mState)
            surface->Lose();
    EnterExclusiveMode(mState->window, found->width, found->height);
    return DD_OK;
}

HRESULT DirectDrawObject::TestCooperativeLevel()
{
    if (const HRESULT failure = InjectedFailure(DisplayCall::TestCooperativeLevel))
        return failure;
    // A full-screen window that another program has covered (it took the focus, or the window was
    // minimised) holds the screen no more until it is back in front.
    const HWND window = mState->window;
    if (mState->IsExclusive() && IsWindow(window) && (window->focusLost || window->minimized))
        return DDERR_NOEXCLUSIVEMODE;
    const DisplayModeDescription desktop = CurrentDesktopMode();
    if (mState->displayChanges != CountDisplayChanges() || desktop.width != mState->desktop.width ||
        desktop.height != mState->desktop.height || desktop.bits != mState->desktop.bits)
        return DDERR_WRONGMODE;
    return DD_OK;
}

HRESULT DirectDrawObject::RestoreAllSurfaces()
{
    for (Surface* surface : Surface::All())
        if (surface->GetOwner() == mState)
            surface->Restore();
    return DD_OK;
}
} // namespace Compat

HRESULT DirectDrawCreateEx(GUID* driver, void** out, const IID& iid, IUnknown*)
{
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (!(iid == IID_IDirectDraw7))
        return DDERR_INVALIDPARAMS;
    const auto& drivers = Compat::GetDisplayMachine().drivers;
    const auto found = std::find_if(drivers.begin(), drivers.end(), [&](const Compat::DisplayDriverDescription& d) {
        return driver ? !d.primary && d.guid == *driver : d.primary;
    });
    if (found == drivers.end())
        return DDERR_INVALIDDIRECTDRAWGUID;
    if (!found->canOpen)
        return DDERR_NODIRECTDRAWHW;
    if (const HRESULT failure = Compat::InjectedFailure(Compat::DisplayCall::CreateDirectDraw))
        return failure;
    *out = static_cast<IDirectDraw7*>(new Compat::DirectDrawObject(*found));
    return DD_OK;
}

HRESULT DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags)
{
    if (!callback)
        return DDERR_INVALIDPARAMS;
    // Copies: the callback may change the machine.
    const std::vector<Compat::DisplayDriverDescription> drivers = Compat::GetDisplayMachine().drivers;
    for (const auto& d : drivers)
    {
        if (!d.primary && (flags & (DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES |
                                    DDENUM_NONDISPLAYDEVICES)) == 0)
            continue;
        GUID guid = d.guid;
        std::string description = d.description, name = d.name;
        if (!callback(d.primary ? nullptr : &guid, description.data(), name.data(), context, nullptr))
            break;
    }
    return DD_OK;
}
