#include "Platform/Win32/display.h"

#include "Debug.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Win32/DisplayCheck.h"
#include "Platform/Win32/DisplayDevices.h"
#include "Platform/Win32/DisplayResource.h"
#include "RuntimeError.h"
#include "Singleton.h"

namespace Corvane
{
using Internal::ThrowIfCreateFailed;
using Internal::ThrowIfFailed;

namespace
{
constexpr const char* kInitialize = "Corvane::CDisplay::Initialize";
constexpr const char* kCreateDirectDraw = "Corvane::CDisplay::CreateDirectDraw";
constexpr const char* kCreateFullscreenBuffers = "Corvane::CDisplay::CreateFullscreenBuffers";
constexpr const char* kCreateWindowedBuffers = "Corvane::CDisplay::CreateWindowedBuffers";
constexpr const char* kCreateFullScreenDisplay = "Corvane::CDisplay::CreateFullScreenDisplay";

constexpr HRESULT kStillReferenced = static_cast<HRESULT>(0x8200000Cu);

// The render-depth bit of a colour depth; 0 for a depth that is not tested.
DWORD DepthBit(int bits)
{
    switch (bits)
    {
    case 32: return DDBD_32;
    case 24: return DDBD_24;
    case 16: return DDBD_16;
    case 8: return DDBD_8;
    default: return 0;
    }
}

bool IsHardwareDevice(const GUID& device)
{
    return device == IID_IDirect3DHALDevice || device == IID_IDirect3DTnLHalDevice;
}

DDSURFACEDESC2 Describe(DWORD flags, DWORD caps)
{
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = flags;
    desc.ddsCaps.dwCaps = caps;
    return desc;
}

// Releases a held interface; true when it was still referenced elsewhere.
template <typename T> bool ReleaseHeld(T*& object)
{
    if (!object)
        return false;
    const ULONG left = object->Release();
    object = nullptr;
    return left != 0;
}
} // namespace

CDisplay::CDisplay()
{
    Internal::EngineWide<CDisplay>::Set(this);
}

CDisplay::~CDisplay()
{
    ReleaseObjects();
    Internal::EngineWide<CDisplay>::Release(this);
    FreeDisplayDevices();
}

CDisplay* CDisplay::CreateInstance()
{
    auto* display = new CDisplay;
    new Internal::AutoDeleteSingletonDestructor<CDisplay>(display);
    return display;
}

void CDisplay::CreateFullScreenDisplay(HWND window, int width, int height, int bits)
{
    ReleaseObjects();
    DisplayDeviceRecord& device = GetDefaultDevice();
    const DWORD depth = DepthBit(bits);
    if (depth && !(device.deviceDescription.dwDeviceRenderBitDepth & depth))
        throw RuntimeError("Unexpected bit depth in full screen.", __FILE__, __LINE__, kCreateFullScreenDisplay);
    const DDSURFACEDESC2* chosen = nullptr;
    for (const DDSURFACEDESC2& mode : device.modes)
    {
        const int modeBits = static_cast<int>(mode.ddpfPixelFormat.dwRGBBitCount);
        DebugPrint("Exploring mode %dx%dx%d\n", int(mode.dwWidth), int(mode.dwHeight), modeBits);
        if (int(mode.dwWidth) >= width && int(mode.dwHeight) >= height && modeBits == bits)
        {
            DebugPrint("Accepting mode %dx%dx%d\n", int(mode.dwWidth), int(mode.dwHeight), modeBits);
            chosen = &mode;
            break;
        }
    }
    if (!chosen)
        throw RuntimeError("Could not find a compatible full screen display mode.", __FILE__, __LINE__,
                           kCreateFullScreenDisplay);
    Initialize(window, device, chosen, mFlags | kDisplayFullScreen);
}

void CDisplay::CreateWindowedDisplay(HWND window, int width, int height)
{
    ReleaseObjects();
    DisplayDeviceRecord& device = GetDefaultDevice();
    mWidth = width;
    mHeight = height;
    Initialize(window, device, nullptr, mFlags);
}

void CDisplay::Initialize(HWND window, const DisplayDeviceRecord& device, const DDSURFACEDESC2* mode, int flags)
{
    if (!IsWindow(window) || ((flags & kDisplayFullScreen) && !mode))
        throw RuntimeError("Invalid arguments passed to CDisplay::Initialize", __FILE__, __LINE__, kInitialize);
    mWindow = window;
    mFullScreen = (flags & kDisplayFullScreen) ? 1 : 0;
    CreateEnvironment(device, mode, flags);
    if (m3DEnabled)
        ApplyInitialStates();
}

void CDisplay::CreateEnvironment(const DisplayDeviceRecord& device, const DDSURFACEDESC2* mode, int flags)
{
    mTextureMemory = DDSCAPS_SYSTEMMEMORY;
    if (m3DEnabled)
    {
        if (IsHardwareDevice(device.deviceGuid))
            mTextureMemory = DDSCAPS_VIDEOMEMORY;
        else
            m3DEnabled = false;
    }
    CreateDirectDraw(device, flags);
    if (mFullScreen)
        CreateFullscreenBuffers(*mode);
    else
        CreateWindowedBuffers();
    if (m3DEnabled)
        CreateDirect3D(device.deviceGuid, flags);
}

void CDisplay::CreateDirectDraw(const DisplayDeviceRecord& device, int flags)
{
    void* object = nullptr;
    GUID driver = device.driverGuid;
    ThrowIfFailed(DirectDrawCreateEx(device.primaryDriver ? nullptr : &driver, &object, IID_IDirectDraw7, nullptr),
                  "Could not create DirectDraw", __FILE__, __LINE__, kCreateDirectDraw);
    mDirectDraw = static_cast<IDirectDraw7*>(object);
    DWORD level = mFullScreen ? (DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE) : DDSCL_NORMAL;
    if (!(flags & kDisplayKeepFpuState))
        level |= DDSCL_FPUSETUP;
    ThrowIfFailed(mDirectDraw->SetCooperativeLevel(mWindow, level), "Could not set cooperative level", __FILE__,
                  __LINE__, kCreateDirectDraw);
    DDSURFACEDESC2 current = Describe(0, 0);
    ThrowIfFailed(mDirectDraw->GetDisplayMode(&current), "Could not get the display mode", __FILE__, __LINE__,
                  kCreateDirectDraw);
    if (current.ddpfPixelFormat.dwRGBBitCount <= 8)
        throw Win32::Win32Error("Screen is in 256 color or less mode.", DDERR_NOPALETTEATTACHED, __FILE__, __LINE__,
                                kCreateDirectDraw);
}

void CDisplay::CreateFullscreenBuffers(const DDSURFACEDESC2& mode)
{
    mWidth = static_cast<int>(mode.dwWidth);
    mHeight = static_cast<int>(mode.dwHeight);
    ThrowIfFailed(mDirectDraw->SetDisplayMode(mode.dwWidth, mode.dwHeight, mode.ddpfPixelFormat.dwRGBBitCount, 0, 0),
                  "Could not set display mode.", __FILE__, __LINE__, kCreateFullscreenBuffers);
    DDSURFACEDESC2 desc = Describe(DDSD_CAPS | DDSD_BACKBUFFERCOUNT,
                                   DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE);
    desc.dwBackBufferCount = 2;
    ThrowIfCreateFailed(
        mDirectDraw->CreateSurface(&desc, &mPrimary, nullptr), "Could not create primary fullscreen surface",
        "Out of video memory creating primary fullscreen surface", __FILE__, __LINE__, kCreateFullscreenBuffers);
    DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
    ThrowIfFailed(mPrimary->GetAttachedSurface(&caps, &mBackBuffer), "Could not get the fullscreen backbuffer",
                  __FILE__, __LINE__, kCreateFullscreenBuffers);
}

void CDisplay::CreateWindowedBuffers()
{
    DDSURFACEDESC2 desc = Describe(DDSD_CAPS, DDSCAPS_PRIMARYSURFACE);
    ThrowIfCreateFailed(
        mDirectDraw->CreateSurface(&desc, &mPrimary, nullptr), "Could not create primary windowed surface",
        "Out of video memory creating primary windowed surface", __FILE__, __LINE__, kCreateWindowedBuffers);
    IDirectDrawClipper* clipper = nullptr;
    ThrowIfFailed(mDirectDraw->CreateClipper(0, &clipper, nullptr), "Could not create clipper", __FILE__, __LINE__,
                  kCreateWindowedBuffers);
    HRESULT result = clipper->SetHWnd(0, mWindow);
    if (SUCCEEDED(result))
        result = mPrimary->SetClipper(clipper);
    clipper->Release();
    ThrowIfFailed(result, "Could not create clipper", __FILE__, __LINE__, kCreateWindowedBuffers);

    desc = Describe(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE);
    desc.dwWidth = static_cast<DWORD>(mWidth);
    desc.dwHeight = static_cast<DWORD>(mHeight);
    ThrowIfCreateFailed(
        mDirectDraw->CreateSurface(&desc, &mBackBuffer, nullptr), "Could not create windowed backbuffer surface",
        "Out of video memory creating windowed backbuffer surface", __FILE__, __LINE__, kCreateWindowedBuffers);
}

HRESULT CDisplay::ReleaseObjects()
{
    DisplayResource::ReleaseAll();
    if (mDirectDraw)
        mDirectDraw->SetCooperativeLevel(mWindow, DDSCL_NORMAL);
    bool stillReferenced = ReleaseHeld(mDevice);
    ReleaseHeld(mBackBuffer);
    ReleaseHeld(mZBuffer);
    ReleaseHeld(mPrimary);
    ReleaseHeld(mDirect3D);
    stillReferenced |= ReleaseHeld(mDirectDraw);
    ForgetDeviceState();
    return stillReferenced ? kStillReferenced : 0;
}

void CDisplay::ForgetDeviceState()
{
    mCurrentFilter = -1;
    mAppliedClip = ClipRect();
    mClipKnown = false;
    mPlaneKnown.fill(false);
}
} // namespace Corvane
