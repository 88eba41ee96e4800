// What the engine's start-up reaches, faked and writing into one log: the display device and
// renderers, and the steps of the subsystems outside the loop (logged under their names); with
// FakeEngine, the platform too. Installs a loop of its own; everything is undone when the
// harness ends.
#pragma once

#include "Framework/EngineHooks.h"
#include "Framework/Looper.h"
#include "RandomStream.h"
#include "Support/DebugCapture.h"
#include "Support/FakePlatform.h"
#include "Support/FakeRenderers.h"

namespace Corvane::Testing
{
class EngineHarness
{
public:
    EngineHarness()
    {
        InstallLoggingHooks(log);
        mPreviousLoop = Looper::SetInstance(&looper);
    }
    ~EngineHarness()
    {
        looper.Shutdown();
        Looper::SetInstance(mPreviousLoop);
        Internal::GetEngineHooks() = {};
        DeleteRandomStreams();
    }
    EngineHarness(const EngineHarness&) = delete;
    EngineHarness& operator=(const EngineHarness&) = delete;

    static void InstallLoggingHooks(std::vector<std::string>& log)
    {
        Internal::EngineHooks& hooks = Internal::GetEngineHooks();
        const auto note = [&log](const char* step) { return [&log, step] { log.push_back(step); }; };
        hooks.createFileSource = note("createFileSource");
        hooks.registerValueResourceFactories = note("registerValueResourceFactories");
        hooks.registerObjectFactories = note("registerObjectFactories");
        hooks.stopResourceManager = note("stopResourceManager");
        hooks.shutdownDownloadManager = note("shutdownDownloadManager");
        hooks.closeFileSource = note("closeFileSource");
        hooks.stopWorkerThreads = note("stopWorkerThreads");
    }

    DebugCapture debug;
    std::vector<std::string> log;
    Looper looper;
    FakeRenderers renderers{log};

private:
    Looper* mPreviousLoop = nullptr;
};

class FakeEngine : public EngineHarness
{
public:
    FakeEngine() { platform.log = &log; }

    FakePlatform platform;
};
} // namespace Corvane::Testing
