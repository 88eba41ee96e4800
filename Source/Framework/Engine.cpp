#include "Framework/Engine.h"

#include "Debug.h"
#include "Framework/DisplayChange.h"
#include "Framework/EngineHooks.h"
#include "Framework/IApplication.h"
#include "Framework/IAudioPlatform.h"
#include "Framework/IPlatform.h"
#include "Framework/Looper.h"
#include "Label.h"
#include "RandomStream.h"
#include "RuntimeError.h"
#include "Singleton.h"

namespace Corvane
{
using Internal::GetEngineHooks;
using Internal::RunHook;

namespace
{
int gExitCode = 0;

// The first steps of the start: up to the platform's set-up, which tells whether another
// instance runs.
IApplication& StartPlatform()
{
    IApplication* application = IApplication::GetInstance();
    if (!application)
        throw RuntimeError("The engine has no application to start.", __FILE__, __LINE__, "Corvane::StartEngine");
    CreateRandomStreams();
    IPlatform* platform = IPlatform::GetInstance();
    if (!platform)
        platform = CreatePlatform();
    platform->Setup();
    return *application;
}

// The rest of the start: the audio platform, the file source, audio, the first display, the
// factories and the application.
void StartTheRest(IApplication* application)
{
    application->OnPlatformCreated();
    RunHook(GetEngineHooks().createFileSource);
    if (IAudioPlatform* audio = IAudioPlatform::GetInstance())
        audio->Init();
    DisplaySettings settings = application->GetDisplaySettings();
    ApplyDisplaySettings(settings, false);
    RunHook(GetEngineHooks().registerValueResourceFactories);
    RunHook(GetEngineHooks().registerObjectFactories);
    application->Start();
}
} // namespace

void SetExitCode(int code)
{
    gExitCode = code;
}

int GetExitCode()
{
    return gExitCode;
}

void StartEngine()
{
    StartTheRest(&StartPlatform());
}

void StopEngineKeepingLabels()
{
    if (IApplication* application = IApplication::GetInstance())
        application->Stop();
    RunHook(GetEngineHooks().stopResourceManager);
    RunHook(GetEngineHooks().shutdownDownloadManager);
    RunHook(GetEngineHooks().closeFileSource);
    if (IGraphicsPlatform* graphics = IGraphicsPlatform::GetInstance())
    {
        graphics->Cleanup();
        delete graphics;
    }
    ForgetDisplaySettings();
    if (IAudioPlatform* audio = IAudioPlatform::GetInstance())
        audio->Shutdown();
    if (IPlatform* platform = IPlatform::GetInstance())
    {
        platform->DestroyWindow();
        platform->Cleanup();
    }
    // The platform and audio platform are singletons: deleted here with the others.
    Internal::DestroySingletons();
}

void StopEngine()
{
    StopEngineKeepingLabels();
    DestroyLabelTable();
    DeleteRandomStreams();
}

void Run()
{
    IApplication* application = IApplication::GetInstance();
    if (!application)
    {
        DebugPrint("No application is built into this program: there is nothing to run.\n");
        return;
    }
    StartPlatform();
    // Looked for before this instance has a window of its own, which would be found instead of
    // the first one's; and before it opens any profile.
    if (application->GetRunSettings().singleInstance && IPlatform::GetInstance()->ActivateOtherInstance())
    {
        // The first instance keeps the profiles: this one ends without saving anything, but no
        // worker thread may outlive it.
        RunHook(GetEngineHooks().stopWorkerThreads);
        DeleteRandomStreams();
        return;
    }
    StartTheRest(application);
    Looper& looper = Looper::GetInstance();
    looper.Loop();
    looper.Shutdown();
    StopEngine();
}
} // namespace Corvane
