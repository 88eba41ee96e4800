// A renderer that records its calls into a log and fails when told to; it stores itself as the
// engine's graphics platform while it lives.
#pragma once

#include "Framework/IGraphicsPlatform.h"
#include "RuntimeError.h"

#include <string>
#include <vector>

namespace Corvane::Testing
{
class FakeGraphicsPlatform : public IGraphicsPlatform
{
public:
    FakeGraphicsPlatform(std::vector<std::string>& log, int kind = kGraphicsDirect3D) : mLog(log), mKind(kind) {}
    ~FakeGraphicsPlatform() override { mLog.push_back(Name() + " deleted"); }

    Label GetName() override { return Label::Intern(mKind == kGraphicsDirect3D ? "D3D7" : "DDraw7"); }
    void AdjustDisplaySettings(DisplaySettings&) override {}
    int GetKind() override { return mKind; }
    void Setup(const DisplaySettings& settings) override
    {
        mLog.push_back(Name() + " Setup " + std::to_string(settings.windowMode));
        if (failSetup)
            throw RuntimeError(Name() + " cannot start", "Source/Fake.cpp", 7, "Fake::Setup");
    }
    void Cleanup() override { mLog.push_back(Name() + " Cleanup"); }
    int BeginScene() override
    {
        ++scenes;
        if (logScenes)
            mLog.push_back("BeginScene");
        return sceneResult;
    }
    void EndScene() override
    {
        if (logScenes)
            mLog.push_back("EndScene");
    }
    // The loop only asks whether there is a canvas; it never draws on this stand-in.
    Graphics::ICanvas* GetCanvas() override { return hasCanvas ? reinterpret_cast<Graphics::ICanvas*>(this) : nullptr; }
    ITexture* CreateTexture(Image&) override { return nullptr; }

    bool failSetup = false;
    bool logScenes = false;
    bool hasCanvas = true;
    int sceneResult = 0;
    int scenes = 0; // BeginScene calls

private:
    std::string Name() const { return mKind == kGraphicsDirect3D ? "D3D7" : "DDraw7"; }

    std::vector<std::string>& mLog;
    int mKind;
};
} // namespace Corvane::Testing
