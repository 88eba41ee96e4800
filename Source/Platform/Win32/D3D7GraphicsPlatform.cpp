#include "Platform/Win32/D3D7GraphicsPlatform.h"

#include "Framework/DisplayChange.h"
#include "Platform/Compat/Kernel/Time.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Win32/D3DTexture.h"
#include "Platform/Win32/Win32ApplicationPlatform.h"
#include "Platform/Win32/display.h"
#include "RuntimeError.h"
#include "Win32/Win32Error.h"

#include <new>

namespace Corvane
{
namespace
{
constexpr const char* kSetup = "D3D7GraphicsPlatform::Setup";
constexpr const char* kCleanup = "D3D7GraphicsPlatform::Cleanup";
constexpr const char* kBeginScene = "D3D7GraphicsPlatform::BeginScene";
constexpr const char* kEndScene = "D3D7GraphicsPlatform::EndScene";

CDisplay& Display(const char* message, const char* function)
{
    CDisplay* display = CDisplay::GetInstance();
    if (!display)
        throw RuntimeError(message, __FILE__, __LINE__, function);
    return *display;
}
} // namespace

IGraphicsPlatform* D3D7GraphicsPlatform::Create()
{
    return new D3D7GraphicsPlatform;
}

Label D3D7GraphicsPlatform::GetName()
{
    static const Label name("D3D7");
    return name;
}

void D3D7GraphicsPlatform::Setup(const DisplaySettings& settings)
{
    auto* platform = dynamic_cast<Win32ApplicationPlatform*>(IPlatform::GetInstance());
    if (!platform)
        throw RuntimeError("Using D3D7 Graphics platform on non-win32 platform.", __FILE__, __LINE__, kSetup);
    CDisplay& display = Display("No display for D3D7 graphics platform.", kSetup);
    if (settings.windowMode == 1)
        display.CreateFullScreenDisplay(platform->GetWindow(), settings.width, settings.height, 32);
    else
        display.CreateWindowedDisplay(platform->GetWindow(), settings.width, settings.height);
    // A machine without a usable hardware device leaves the display without 3D.
    if (!display.Is3DEnabled())
        throw RuntimeError("Could not initialize D3D7", __FILE__, __LINE__, kSetup);
    display.ApplyDefaultStates();
}

void D3D7GraphicsPlatform::Cleanup()
{
    Display("No display for D3D graphics platform.", kCleanup).ReleaseObjects();
}

int D3D7GraphicsPlatform::BeginScene()
{
    CDisplay& display = Display("No display for D3D7 graphics platform.", kBeginScene);
    if (IsIconic(display.GetWindow()))
        return 1;
    if (IDirectDraw7* draw = display.GetDirectDraw())
    {
        const HRESULT level = draw->TestCooperativeLevel();
        if (level == DDERR_EXCLUSIVEMODEALREADYSET || level == DDERR_NOEXCLUSIVEMODE)
        {
            // Another program has the screen: wait for it, a frame at a time.
            Sleep(50);
            return 1;
        }
        if (level == DDERR_WRONGMODE)
        {
            // The desktop changed its mode under the display: set everything up again. This
            // replaces the renderer, so nothing of it may be touched after the call.
            ResetDisplay();
            return 1;
        }
        if (FAILED(level))
            throw Win32::Win32Error("TestCooperativeLevel failed", level, __FILE__, __LINE__, kBeginScene);
    }
    display.Clear();
    const HRESULT begun = display.BeginScene();
    // The display has restored the lost surfaces already: this frame is skipped, the next one
    // draws again.
    if (begun == DDERR_SURFACELOST)
        return 1;
    if (FAILED(begun))
        throw Win32::Win32Error("BeginScene failed", begun, __FILE__, __LINE__, kBeginScene);
    return 0;
}

void D3D7GraphicsPlatform::EndScene()
{
    const HRESULT presented = Display("No display for D3D7 graphics platform.", kEndScene).Present();
    // A frame that met a lost surface is gone; the display has restored the surfaces for the next.
    if (FAILED(presented) && presented != DDERR_SURFACELOST)
        throw Win32::Win32Error("EndScene failed", presented, __FILE__, __LINE__, kEndScene);
}

ITexture* D3D7GraphicsPlatform::CreateTexture(Image& image)
{
    return new (std::nothrow) D3DTexture(image);
}
} // namespace Corvane
