#include "Game/Loading/MyLoadingMode.h"

#include "Debug.h"
#include "Framework/CustomCursor.h"
#include "Framework/Engine.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Game/Application/StartupGroups.h"
#include "Game/Loading/LoadFailureReport.h"
#include "Game/Loading/MyResourceLoadTask.h"
#include "Game/Menus/TitleMode.h"
#include "Graphics/Image.h"
#include "Platform/Win32/Win32Platform.h"
#include "SceneGraph/MeterComponent.h"

using namespace Corvane;

namespace
{
// The exit code of a game whose data could not all be read.
constexpr int kUnplayableExitCode = 2;

// The loading screen whose worker runs (at most one at a time: the first screen).
MyLoadingMode* gWorkerOwner = nullptr;
} // namespace

MyLoadingMode::MyLoadingMode() : mLock(CreateMutex())
{
    const StartupGroup& first = GetStartupGroups().front();
    AddTask(std::make_unique<MyResourceLoadTask>(first.name), first.weight);
}

MyLoadingMode::~MyLoadingMode()
{
    // The worker reads the entries and writes the progress: it must be gone before they are.
    mCancelled = true;
    ReleaseWorker();
    if (mQuitHandlerAdded)
        RemoveQuitHandler(this);
}

void MyLoadingMode::AddTask(std::unique_ptr<ILoadingTask> task, std::uint64_t weight)
{
    mEntries.push_back({std::move(task), weight, 0});
}

void MyLoadingMode::OnEnter()
{
    SceneApplicationMode::OnEnter();
    AddQuitHandler(this);
    mQuitHandlerAdded = true;
    // A fresh listing of every partition, kept while the groups load.
    mListings.emplace(true);
    try
    {
        ResourceManager::Instance()->LoadAndWait(kLoadingGroup, true, nullptr);
    }
    catch (const std::exception&)
    {
        // Kept by the loader for the report at the end of loading; the screen shows what did
        // load, and the game loads on.
    }
    InstantiateLayout(Label("LoadingLayout"));
    StartSplashSequence();
    mThread.reset(CreateThread(kThreadStartNow, this));
    gWorkerOwner = this;
}

void MyLoadingMode::OnExit()
{
    RemoveQuitHandler(this);
    mQuitHandlerAdded = false;
}

void MyLoadingMode::Update(float dt)
{
    SceneApplicationMode::Update(dt);
    if (auto* meter = dynamic_cast<IMeter*>(FindByName(Label("loadingMeter"))))
        meter->SetValue(GetDisplayProgress());
    if (mThread && mThread->GetState() == IThread::kFinished && (mCancelled.load() || IsSplashFinished()))
        FinishLoading();
}

void MyLoadingMode::FinishLoading()
{
    DebugPrint("LoadingMode Actual Load Times: \n");
    for (std::size_t i = 0; i < mEntries.size(); ++i)
        DebugPrint("\tTask %zu - %llu\n", i, static_cast<unsigned long long>(mEntries[i].elapsed));
    ReleaseWorker();
    mListings.reset();
    if (mCancelled.load())
        RequestQuit(); // granted now that the worker is gone
    else if (!ReportLoadFailures(ResourceManager::Instance()->TakeFailures(), Win32Platform::GetProgramFolder()))
    {
        // The player has been told what is missing; the game ends as a quit ends, saving the
        // profile, and says to whoever started it that it could not run.
        SetExitCode(kUnplayableExitCode);
        RequestQuit();
    }
    else
        GoToTitle();
}

void MyLoadingMode::ReleaseWorker()
{
    mThread.reset(); // waits for the worker
    if (gWorkerOwner == this)
        gWorkerOwner = nullptr;
}

bool MyLoadingMode::IsWorkerRunning()
{
    return gWorkerOwner != nullptr;
}

void MyLoadingMode::StopRunningWorker()
{
    if (MyLoadingMode* owner = gWorkerOwner)
    {
        owner->mCancelled = true;
        owner->ReleaseWorker();
    }
}

bool MyLoadingMode::CanQuit()
{
    if (!mThread)
        return true;
    mCancelled = true;
    return false;
}

void MyLoadingMode::GoToTitle()
{
    SetCustomCursor(ResourceManager::Get<Image>("CursorArrow").Get(), {0, 0});
    ReplaceApplicationMode(new TitleMode);
}

// ---- Worker and progress ----

void MyLoadingMode::Run()
{
    std::uint64_t total = 0;
    for (const Entry& entry : mEntries)
        total += entry.weight;
    const float totalWeight = static_cast<float>(total);

    for (Entry& entry : mEntries)
    {
        {
            ScopedLock lock(*mLock);
            mTaskProgress = 0.0f;
            mTaskShare = total > 0 ? static_cast<float>(entry.weight) / totalWeight : 0.0f;
        }
        const std::uint64_t start = GetMicroseconds();
        try
        {
            entry.task->Run(this);
        }
        catch (const std::exception& error)
        {
            // One failed step leaves its resources missing; the others still load.
            DebugPrint("LoadingMode: task %zu failed: %s\n", static_cast<std::size_t>(&entry - mEntries.data()),
                       error.what());
        }
        entry.elapsed = GetMicroseconds() - start;
        {
            ScopedLock lock(*mLock);
            mCompletedShare += mTaskShare;
            mTaskProgress = 0.0f;
            mTaskShare = 0.0f;
        }
    }
    if (!mCancelled.load())
    {
        // The float sum may fall just short of 1: the meter ends on exactly 100.
        ScopedLock lock(*mLock);
        mCompletedShare = 1.0f;
    }
}

void MyLoadingMode::SetProgress(float fraction)
{
    ScopedLock lock(*mLock);
    mTaskProgress = fraction;
}

float MyLoadingMode::GetDisplayProgress()
{
    ScopedLock lock(*mLock);
    const float value = (mTaskShare * mTaskProgress + mCompletedShare) * 100.0f;
    return value < 100.0f ? value : 100.0f;
}
