// The defaults of an application: placeholder names, one instance, no running while inactive,
// an 800 x 600 full-screen display through the Direct3D renderer, and hooks that do nothing.
// Constructing one makes it the process's application.
#pragma once

#include "Framework/IApplication.h"

namespace Corvane
{
class BaseApplication : public IApplication
{
public:
    BaseApplication();
    // Clears the engine-wide application when it is this one.
    ~BaseApplication() override;
    BaseApplication(const BaseApplication&) = delete;
    BaseApplication& operator=(const BaseApplication&) = delete;

    const ApplicationInfo& GetInfo() override { return mInfo; }
    const RunSettings& GetRunSettings() override;
    const DisplaySettings& GetDisplaySettings() override;
    int GetGraphicsFlags() override { return kGraphicsDirect3D; }
    void OnPlatformCreated() override {}
    void Start() override {}
    void Stop() override {}
    void DrawOverlay() override {}
    void Update(float) override {}
    void OnModeStackChanged() override {}

protected:
    ApplicationInfo mInfo;
};
} // namespace Corvane
