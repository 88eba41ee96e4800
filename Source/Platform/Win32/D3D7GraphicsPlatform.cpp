#include "Platform/Win32/D3D7GraphicsPlatform.h"

#include "Platform/Win32/D3DTexture.h"
#include "Platform/Win32/RendererFrame.h"
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
    CDisplay& display = Internal::RequireDisplay("No display for D3D7 graphics platform.", kSetup);
    if (settings.windowMode == 1)
        display.CreateFullScreenDisplay(platform->GetWindow(), settings.width, settings.height, 32);
    else
        display.CreateWindowedDisplay(platform->GetWindow(), settings.width, settings.height);
    // A machine without a usable hardware device leaves the display without 3D.
    if (!display.Is3DEnabled())
        throw RendererUnavailable("Could not initialize D3D7", __FILE__, __LINE__, kSetup);
    display.ApplyDefaultStates();
}

void D3D7GraphicsPlatform::Cleanup()
{
    Internal::RequireDisplay("No display for D3D graphics platform.", kCleanup).ReleaseObjects();
}

int D3D7GraphicsPlatform::BeginScene()
{
    return Internal::BeginDisplayFrame(Internal::RequireDisplay("No display for D3D7 graphics platform.", kBeginScene),
                                       kBeginScene);
}

void D3D7GraphicsPlatform::EndScene()
{
    const HRESULT presented = Internal::RequireDisplay("No display for D3D7 graphics platform.", kEndScene).Present();
    // A frame that met a lost surface is gone; the display has restored the surfaces for the next.
    if (FAILED(presented) && presented != DDERR_SURFACELOST)
        throw Win32::Win32Error("EndScene failed", presented, __FILE__, __LINE__, kEndScene);
}

ITexture* D3D7GraphicsPlatform::CreateTexture(Image& image)
{
    return new (std::nothrow) D3DTexture(image);
}
} // namespace Corvane
