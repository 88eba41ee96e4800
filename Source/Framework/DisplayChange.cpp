#include "Framework/DisplayChange.h"

#include "Debug.h"
#include "Framework/CommandLine.h"
#include "Framework/IApplication.h"
#include "Framework/IPlatform.h"
#include "RuntimeError.h"
#include "TypeName.h"

#include <algorithm>
#include <vector>

namespace Corvane
{
namespace
{
struct FallbackRow
{
    int flags;
    int windowMode;
};

constexpr FallbackRow kFallbackOrder[] = {
    {kGraphicsDirect3D, 1},
    {kGraphicsDirectDraw, 1},
    {kGraphicsDirect3D, 0},
    {kGraphicsDirectDraw, 0},
};
constexpr int kLastRow = 3;

DisplaySettings& Current()
{
    static DisplaySettings current{-1, 1, 800, 600};
    return current;
}

std::vector<IWindowModeChangeHandler*>& Handlers()
{
    static std::vector<IWindowModeChangeHandler*> handlers;
    return handlers;
}

void ReportFailedStart(const std::exception& e)
{
    if (dynamic_cast<const RendererUnavailable*>(&e))
    {
        DebugPrint("%s: no usable hardware here, the next renderer takes over\n", e.what());
        return;
    }
    DebugPrint("Error initializing IGraphicsPlatform: ");
    DebugPrint("%s\n", GetTypeName(typeid(e)).c_str());
    if (const auto* error = dynamic_cast<const RuntimeError*>(&e))
    {
        DebugPrint("\tFunction:\t%s\n", error->GetFunction().c_str());
        DebugPrint("\tFile:\t%s\n", error->GetFile().c_str());
        DebugPrint("\tLine:\t%d\n", error->GetLine());
    }
    DebugPrint("\tMessage:\t%s\n", e.what());
}

void StartGraphicsPlatform(DisplaySettings& settings, int flags)
{
    IGraphicsPlatform* graphics = IGraphicsPlatform::Create(flags);
    if (!graphics)
        throw RuntimeError("No renderer answers these graphics flags.", __FILE__, __LINE__,
                           "Corvane::TryGraphicsPlatform");
    IPlatform* platform = IPlatform::GetInstance();
    if (platform)
        platform->GetSupportedWindowConfig(settings);
    graphics->AdjustDisplaySettings(settings);
    Current() = settings;
    if (platform)
        platform->CreateWindow(Current());
    graphics->Setup(Current());
}
} // namespace

bool TryGraphicsPlatform(DisplaySettings& settings, int flags, bool last)
{
    if (IGraphicsPlatform* old = IGraphicsPlatform::GetInstance())
    {
        old->Cleanup();
        delete old;
    }
    if (IPlatform* platform = IPlatform::GetInstance())
        platform->DestroyWindow();
    try
    {
        StartGraphicsPlatform(settings, flags);
        return true;
    }
    catch (const std::exception& e)
    {
        ReportFailedStart(e);
        if (last)
            throw;
        return false;
    }
}

void ApplyDisplaySettings(DisplaySettings& settings, bool force)
{
    // Only 0 and 1 have a fallback row: any other mode matches none and changes nothing.
    if (!force && settings == Current())
        return;
    IApplication* application = IApplication::GetInstance();
    const int appFlags = application ? application->GetGraphicsFlags() : kGraphicsDirect3D;
    const bool hardwareAllowed = !CommandLineContains(L"-software");

    bool reached = false;
    for (int row = 0; row <= kLastRow; ++row)
    {
        const FallbackRow& entry = kFallbackOrder[row];
        reached = reached || entry.windowMode == settings.windowMode;
        if (!reached || (entry.flags == kGraphicsDirect3D && !hardwareAllowed))
            continue;
        int flags = entry.flags | appFlags;
        if (flags & kGraphicsDirectDraw)
            flags &= ~kGraphicsDirect3D;
        settings.windowMode = entry.windowMode;
        if (TryGraphicsPlatform(settings, flags, row == kLastRow))
        {
            // Copied: a handler may remove itself when told.
            const std::vector<IWindowModeChangeHandler*> handlers = Handlers();
            for (IWindowModeChangeHandler* handler : handlers)
                handler->OnWindowModeChanged();
            return;
        }
    }
}

void SetWindowMode(int mode)
{
    DisplaySettings settings = Current();
    settings.windowMode = mode;
    ApplyDisplaySettings(settings, false);
}

void ToggleWindowMode()
{
    SetWindowMode(Current().windowMode == 0 ? 1 : 0);
}

void ResetDisplay()
{
    DisplaySettings settings = Current();
    ApplyDisplaySettings(settings, true);
}

const DisplaySettings& GetDisplaySettings()
{
    return Current();
}

void ForgetDisplaySettings()
{
    Current() = DisplaySettings{-1, 1, 800, 600};
}

void AddWindowModeChangeHandler(IWindowModeChangeHandler* handler)
{
    Handlers().push_back(handler);
}

void RemoveWindowModeChangeHandler(IWindowModeChangeHandler* handler)
{
    std::erase(Handlers(), handler);
}
} // namespace Corvane
