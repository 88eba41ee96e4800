// An application that writes the engine's calls into a log as "app <operation>" and can be told
// what to do at start.
#pragma once

#include "Framework/BaseApplication.h"

#include <functional>
#include <string>
#include <vector>

namespace Corvane::Testing
{
class RecordingApplication : public BaseApplication
{
public:
    explicit RecordingApplication(std::vector<std::string>& log, const wchar_t* product = L"Test Kitchen") : mLog(log)
    {
        mInfo.productName = product;
    }

    // title must outlive the application.
    void SetWindowTitle(const wchar_t* title) { mInfo.windowTitle = title; }

    const RunSettings& GetRunSettings() override { return runSettings; }
    const DisplaySettings& GetDisplaySettings() override { return displaySettings; }
    int GetGraphicsFlags() override { return graphicsFlags; }
    void OnPlatformCreated() override
    {
        mLog.push_back("app OnPlatformCreated");
        if (onPlatformCreated)
            onPlatformCreated();
    }
    void Start() override
    {
        mLog.push_back("app Start");
        if (onStart)
            onStart();
    }
    void Stop() override { mLog.push_back("app Stop"); }
    void DrawOverlay() override
    {
        if (logFrames)
            mLog.push_back("app DrawOverlay");
    }
    void Update(float) override { ++updates; }
    void OnModeStackChanged() override { mLog.push_back("app OnModeStackChanged"); }

    RunSettings runSettings;
    DisplaySettings displaySettings{0, 1, 800, 600};
    int graphicsFlags = kGraphicsDirect3D;
    bool logFrames = false;
    int updates = 0;
    std::function<void()> onPlatformCreated;
    std::function<void()> onStart;

private:
    std::vector<std::string>& mLog;
};
} // namespace Corvane::Testing
