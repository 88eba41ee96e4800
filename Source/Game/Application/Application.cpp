#include "Game/Application/Application.h"

#include "Framework/AccountManager.h"
#include "Framework/AudioSettings.h"
#include "Framework/EngineHooks.h"
#include "Framework/Looper.h"
#include "Framework/ProfileNotice.h"
#include "Framework/WindowSettings.h"
#include "Game/Application/GameRegistration.h"
#include "Game/Application/StartupGroups.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Judging/JudgingRegistration.h"
#include "Game/Kitchen/KitchenRegistration.h"
#include "Game/Loading/MyLoadingMode.h"
#include "Game/Loading/MyResourceLoadTask.h"
#include "Game/Menus/LevelSelectMode.h"
#include "Game/Menus/StoryScreens.h"
#include "Game/Menus/TutorialManager.h"
#include "Platform/Win32/BASSAudioPlatform.h"

using namespace Corvane;

namespace
{
// The program can end without its shut-down (an unhandled error, a second instance): the loading
// screen's worker is stopped with the engine's other workers.
void StopLoadingWorkerWithTheEngine()
{
    Internal::EngineHooks& hooks = Internal::GetEngineHooks();
    hooks.stopWorkerThreads = [engineWorkers = hooks.stopWorkerThreads] {
        MyLoadingMode::StopRunningWorker();
        Internal::RunHook(engineWorkers);
    };
}
} // namespace

Application::Application()
{
    mInfo.companyName = L"Trevold";
    mInfo.productName = L"Fennik";
    mInfo.legalNotice = L"Copyright (C) Trevold. All rights reserved.";
    mInfo.userVersion = L"1.0";
    mInfo.fullVersion = L"1.0.0.0";
    mInfo.version[0] = 1;
}

Application::~Application()
{
    if (mHandlerAdded)
        if (AccountManager* accounts = AccountManager::GetIfCreated())
            accounts->RemoveAccountChangeHandler(this);
}

const DisplaySettings& Application::GetDisplaySettings()
{
    mDisplaySettings.windowMode = ReadWindowMode(AccountManager::Get()->GetCurrentAccount(), mDisplaySettings.windowMode);
    return mDisplaySettings;
}

const RunSettings& Application::GetRunSettings()
{
    mRunSettings.runWhileInactive = MyLoadingMode::IsWorkerRunning();
    return mRunSettings;
}

void Application::OnPlatformCreated()
{
    BASSAudioPlatform::Create();
}

void Application::Start()
{
    RegisterGameTypes();
    RegisterStoryScreens();
    RegisterChallengeSelect();
    ConnectTutorialToLevelProgress();
    RegisterKitchenScreens();
    RegisterJudgingScreens();
    auto loading = std::make_unique<MyLoadingMode>();
    for (const StartupGroup& group : GetStartupGroups().subspan(1))
        loading->AddTask(std::make_unique<MyResourceLoadTask>(group.name), group.weight);
    StopLoadingWorkerWithTheEngine();
    ReplaceApplicationMode(loading.release());
    AccountManager::Get()->AddAccountChangeHandler(this);
    mHandlerAdded = true;
    OnAccountChanged();
}

void Application::Stop()
{
    // The audio platform stops after the application: the game's held channels go first.
    if (GameAudioManager* audio = GameAudioManager::GetInstanceIfCreated())
        audio->ReleaseChannels();
    {
        ProfileSaveBatch last(ProfileSaveBatch::kLastSave);
        OnAccountChanging();
    }
    AccountManager::Get()->RemoveAccountChangeHandler(this);
    mHandlerAdded = false;
}

void Application::OnAccountChanging()
{
    // Ten values, one step: a profile that takes no writes is told once.
    ProfileSaveBatch batch;
    SaveWindowSettings();
    SaveAudioSettings();
}

void Application::OnAccountChanged()
{
    LoadWindowSettings();
    LoadAudioSettings();
}
