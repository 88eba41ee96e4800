#include "Platform/Win32/DDraw7GraphicsPlatform.h"

#include "Debug.h"
#include "Framework/DisplayChange.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Win32/RendererFrame.h"
#include "Platform/Win32/Win32ApplicationPlatform.h"
#include "Platform/Win32/display.h"
#include "RuntimeError.h"
#include "Win32/Win32Error.h"

#include <algorithm>
#include <cstdint>

namespace Corvane
{
namespace
{
constexpr const char* kSetup = "DDraw7GraphicsPlatform::Setup";
constexpr const char* kBeginScene = "DDraw7GraphicsPlatform::BeginScene";
constexpr const char* kEndScene = "DDraw7GraphicsPlatform::EndScene";

void ThrowIfFailed(HRESULT result, const char* message, int line)
{
    if (FAILED(result))
        throw Win32::Win32Error(message, result, __FILE__, line, kEndScene);
}

} // namespace

DDraw7GraphicsPlatform::DDraw7GraphicsPlatform() = default;

DDraw7GraphicsPlatform::~DDraw7GraphicsPlatform()
{
    ReleaseScreenSurface();
}

IGraphicsPlatform* DDraw7GraphicsPlatform::Create()
{
    return new DDraw7GraphicsPlatform;
}

Label DDraw7GraphicsPlatform::GetName()
{
    static const Label name("DDraw7");
    return name;
}

void DDraw7GraphicsPlatform::ReleaseScreenSurface()
{
    if (mScreenSurface)
        mScreenSurface->Release();
    mScreenSurface = nullptr;
}

void DDraw7GraphicsPlatform::Setup(const DisplaySettings& settings)
{
    auto* platform = dynamic_cast<Win32ApplicationPlatform*>(IPlatform::GetInstance());
    if (!platform)
        throw RuntimeError("Using DDraw7 Graphics platform on non-win32 platform.", __FILE__, __LINE__, kSetup);
    CDisplay& display = Internal::RequireDisplay("No display for DDraw7 graphics platform.", kSetup);
    display.Disable3D();
    // The surface of an earlier set-up belongs to a DirectDraw object that is about to go.
    ReleaseScreenSurface();
    if (settings.windowMode == 1)
        display.CreateFullScreenDisplay(platform->GetWindow(), settings.width, settings.height, 32);
    else
        display.CreateWindowedDisplay(platform->GetWindow(), settings.width, settings.height);
    display.ApplyDefaultStates();

    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = static_cast<DWORD>(settings.width);
    desc.dwHeight = static_cast<DWORD>(settings.height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    if (FAILED(display.GetDirectDraw()->CreateSurface(&desc, &mScreenSurface, nullptr)) || !mScreenSurface)
        throw RuntimeError("Could not create screen surface.", __FILE__, __LINE__, kSetup);

    mScreenSurface->GetSurfaceDesc(&desc);
    const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
    mBitDepth = static_cast<int>(format.dwRGBBitCount);
    DebugPrint("Canvas2d: %dx%dx%d - ", settings.width, settings.height, mBitDepth);
    if (mBitDepth == 32 || mBitDepth == 24)
        DebugPrint("OK\n");
    else if (mBitDepth == 16)
    {
        DebugPrint("Red:0x%.4x Green:0x%.4x Blue:0x%.4x - ", format.dwRBitMask, format.dwGBitMask, format.dwBBitMask);
        // Masks outside the table leave the layout as it was.
        DebugPrint(FindSixteenBitLayout(format.dwRBitMask, format.dwGBitMask, format.dwBBitMask, mLayout)
                       ? "OK\n"
                       : "Invalid Mode\n");
    }
    else
        DebugPrint("Invalid Mode\n");

    mBounds = Rect<int>(0, 0, settings.width, settings.height);
    mFrame.assign(std::size_t(settings.width) * std::size_t(settings.height), 0);
    // A start pattern: what shows before the first draw is recognisable.
    for (int y = 0; y < settings.height; ++y)
        for (int x = 0; x < settings.width; ++x)
            mFrame[std::size_t(y) * settings.width + x] = 0xFF195800u | PackedColor((2 * (x + 1) + y) & 0xFF);
    mPresentPending = false;
}

void DDraw7GraphicsPlatform::Cleanup()
{
    ReleaseScreenSurface();
    if (CDisplay* display = CDisplay::GetInstance())
        display->ReleaseObjects();
}

int DDraw7GraphicsPlatform::BeginScene()
{
    mFlags &= ~kDrawnFlag;
    return Internal::BeginDisplayFrame(
        Internal::RequireDisplay("No display for DDraw7 graphics platform.", kBeginScene), kBeginScene);
}

void DDraw7GraphicsPlatform::EndScene()
{
    PresentFrame();
}

void DDraw7GraphicsPlatform::Present()
{
    CDisplay& display = Internal::RequireDisplay("No display for DDraw7 graphics platform.", kEndScene);
    IDirectDrawSurface7* back = display.GetBackBuffer();
    if (!mScreenSurface || !back)
        throw Win32::Win32Error("Lock failed", DDERR_NOTINITIALIZED, __FILE__, __LINE__, kEndScene);
    // The frame is converted straight into the back buffer (in the screen's format, as the screen
    // surface is) rather than into the screen surface and blitted over: a windowed back buffer
    // lives in the window's own memory, so this is the frame's one copy on its way to the window
    // (a full-screen flip adds the scaling to a display larger than the mode).
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    const HRESULT locked = back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (FAILED(locked) || !desc.lpSurface)
    {
        if (locked == DDERR_CANTCREATEDC)
            DebugPrint("Lock() can't create dc\n");
        throw Win32::Win32Error("Lock failed", FAILED(locked) ? locked : DDERR_GENERIC, __FILE__, __LINE__, kEndScene);
    }
    // A display mode larger than the frame shows it in its top left corner.
    const int width = std::min(mBounds.width, static_cast<int>(desc.dwWidth));
    const int height = std::min(mBounds.height, static_cast<int>(desc.dwHeight));
    auto* row = static_cast<std::uint8_t*>(desc.lpSurface);
    for (int y = 0; y < height; ++y, row += desc.lPitch)
        ConvertFrameRow(mFrame.data() + std::size_t(y) * mBounds.width, width, mBitDepth, mLayout, row);
    back->Unlock(nullptr);
    ThrowIfFailed(display.Present(), "EndScene failed", __LINE__);
}

int DDraw7GraphicsPlatform::PresentFrame()
{
    if (!(mFlags & kDrawnFlag) && !mPresentPending)
        return 0; // the previous picture stays on the screen
    HRESULT code = DDERR_GENERIC;
    try
    {
        Present();
        mPresentPending = false;
        return 0;
    }
    catch (const RuntimeError& error)
    {
        DebugPrint("%s\n", error.what());
        DebugPrint("\tFunction:\t%s\n", error.GetFunction().c_str());
        DebugPrint("\tFile:\t%s\n", error.GetFile().c_str());
        DebugPrint("\tLine:\t%d\n", error.GetLine());
        DebugPrint("\tMessage:\t%s\n", error.what());
        if (const auto* failure = dynamic_cast<const Win32::Win32Error*>(&error))
            code = static_cast<HRESULT>(failure->GetCode());
    }
    if (code == DDERR_SURFACELOST)
    {
        // The restored surfaces have lost their pixels: the next frame is shown even when nothing
        // new was drawn in it.
        if (CDisplay* display = CDisplay::GetInstance(); display && display->GetDirectDraw())
            display->GetDirectDraw()->RestoreAllSurfaces();
        mPresentPending = true;
        return 1;
    }
    if (code == DDERR_WRONGMODE)
    {
        // Replaces this renderer: nothing of it may be touched after the call.
        ResetDisplay();
        return 1;
    }
    return -1;
}
} // namespace Corvane
