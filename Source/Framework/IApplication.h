// The process's one application, as the engine drives it: what it is called, how it wants to run
// and be shown, and the hooks the engine calls around start-up, every update, every frame and
// every change of the mode stack. Reached through the engine-wide application pointer. Main thread.
#pragma once

#include "EngineWide.h"
#include "Framework/IGraphicsPlatform.h"

#include <cstdint>

namespace Corvane
{
// Texts point to wide strings that live as long as the application.
struct ApplicationInfo
{
    const wchar_t* companyName = nullptr;
    const wchar_t* productName = nullptr;
    const wchar_t* legalNotice = nullptr;
    const wchar_t* userVersion = nullptr;
    const wchar_t* fullVersion = nullptr;
    std::uint16_t version[4] = {0, 0, 0, 0};
    // The window's title; null: the product name.
    const wchar_t* windowTitle = nullptr;
};

struct RunSettings
{
    // A second start brings the first instance's window forward and ends.
    bool singleInstance = true;
    // The loop keeps ticking while the window is not active.
    bool runWhileInactive = false;
};

class IApplication
{
public:
    virtual ~IApplication() = default;
    virtual const ApplicationInfo& GetInfo() = 0;
    virtual const RunSettings& GetRunSettings() = 0;
    // The display to open at start.
    virtual const DisplaySettings& GetDisplaySettings() = 0;
    // The renderer wanted: kGraphicsDirect3D or kGraphicsDirectDraw, optionally with
    // kGraphicsExtraRequest.
    virtual int GetGraphicsFlags() = 0;
    // The platform is set up; the application creates its audio platform here.
    virtual void OnPlatformCreated() = 0;
    // Registers the application's types, opens its data and queues its first mode.
    virtual void Start() = 0;
    // Saves what the application keeps and unregisters its handlers.
    virtual void Stop() = 0;
    // Drawn after every mode, every frame.
    virtual void DrawOverlay() = 0;
    // Every fixed update (dt in seconds), before the top mode's.
    virtual void Update(float dt) = 0;
    // After each batch of mode requests that leaves the stack non-empty.
    virtual void OnModeStackChanged() = 0;

    static IApplication* GetInstance() { return Internal::EngineWide<IApplication>::Get(); }
};
} // namespace Corvane
