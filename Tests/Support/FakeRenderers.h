// Installs a display device and both renderers as fakes for IGraphicsPlatform::Create while it
// lives: each renderer made is a FakeGraphicsPlatform writing into the log, failing its set-up
// when the test says so.
#pragma once

#include "Platform/Win32/GraphicsPlatformMakers.h"
#include "Support/FakeGraphicsPlatform.h"

#include <functional>

namespace Corvane::Testing
{
class FakeRenderers
{
public:
    explicit FakeRenderers(std::vector<std::string>& log) : mLog(log)
    {
        Internal::GraphicsPlatformMakers& makers = Internal::GetGraphicsPlatformMakers();
        makers.createDisplay = [this] { return displayAvailable; };
        makers.addDisplayFlags = [this](int flags) { displayFlags |= flags; };
        makers.makeDirect3D = [this] { return Make(kGraphicsDirect3D); };
        makers.makeDirectDraw = [this] { return Make(kGraphicsDirectDraw); };
    }
    // Removes the makers and deletes the renderer still in place.
    ~FakeRenderers()
    {
        Internal::GetGraphicsPlatformMakers() = {};
        delete IGraphicsPlatform::GetInstance();
    }
    FakeRenderers(const FakeRenderers&) = delete;
    FakeRenderers& operator=(const FakeRenderers&) = delete;

    bool displayAvailable = true;
    int displayFlags = 0;
    // Decides, per kind, whether the renderer's set-up fails.
    std::function<bool(int kind)> fails = [](int) { return false; };

private:
    IGraphicsPlatform* Make(int kind)
    {
        auto* renderer = new FakeGraphicsPlatform(mLog, kind);
        renderer->failSetup = fails(kind);
        return renderer;
    }

    std::vector<std::string>& mLog;
};
} // namespace Corvane::Testing
