// The game's first screen. It loads the "Loading" group itself, shows "LoadingLayout" with a
// sequence of cross-fading splash pictures, and runs its list of weighted loading steps (the
// start-up's resource groups) one after another on a worker thread, while the meter node
// "loadingMeter" shows the weighted progress. When the worker has finished and the splash
// sequence is over, it reports each step's time to the debug output, shows in one box whatever
// could not be read (LoadFailureReport.h), and hands over to the title screen, or ends the program
// when what failed is needed to play; when the player asked to quit meanwhile, the remaining steps
// are cut short and the program ends instead.
//
// Threads: the worker runs the steps and writes the three progress values under mLock; the main
// thread reads them once per update. The cancel flag is set by the main thread and polled by the
// worker. The main thread learns that the worker has ended by polling its state; each step's
// elapsed time is read only after that.
#pragma once

#include "FileSystem.h"
#include "Framework/IQuitHandler.h"
#include "Framework/ObjectID.h"
#include "Framework/ResourceLoadProgress.h"
#include "Game/Loading/ILoadingTask.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "Threading.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class MyLoadingMode : public SceneApplicationMode,
                      public Corvane::IEntryPoint,
                      public Corvane::IResourceLoadProgress,
                      public Corvane::IQuitHandler
{
public:
    struct Entry
    {
        std::unique_ptr<ILoadingTask> task;
        std::uint64_t weight = 0;
        // Microseconds the step took; 0 until it has run.
        std::uint64_t elapsed = 0;
    };

    // The list starts with the group "resources" (weight 1).
    MyLoadingMode();
    // Cancels the worker and waits for it before anything it uses goes.
    ~MyLoadingMode() override;

    // Appends a step (owned from now on) with its weight; only before the screen is entered.
    void AddTask(std::unique_ptr<ILoadingTask> task, std::uint64_t weight);
    const std::vector<Entry>& GetEntries() const { return mEntries; }

    // Screen: the splash sequence's tasks, the meter, and the end of loading once the worker has
    // finished and the sequence is over (or a quit was asked for).
    void Update(float dt) override;
    // Loads "Loading", builds "LoadingLayout", starts the splash sequence and the worker.
    void OnEnter() override;
    void OnExit() override;

    // The worker's body: every step in order, cancelled or not.
    void Run() override;
    // The running step's progress, 0 to 1 (worker thread).
    void SetProgress(float fraction) override;
    bool IsCancelled() override { return mCancelled.load(); }
    // While the worker exists: refuses, and cancels the loading (the program ends once the worker
    // has returned). Afterwards: true.
    bool CanQuit() override;

    // The percentage the meter shows: the finished steps' shares and the running step's share
    // times its progress, at most 100.
    float GetDisplayProgress();
    // Each splash node is missing or has worked through its queue.
    bool IsSplashFinished();
    // The worker has been started and not yet released.
    bool IsLoading() const { return mThread != nullptr; }

    // A loading screen has a worker that it has not yet released.
    static bool IsWorkerRunning();
    // Cancels and joins the worker of the loading screen that has one: the engine's last step
    // when the program ends without its shut-down, so that the worker does not outlive it.
    static void StopRunningWorker();

protected:
    // Queues the cross-fades of the pictures "Splash1", "Splash2"... on the nodes "Splash1" and
    // "Splash2", and hides "splashBG" when the last picture starts to fade out. Without the
    // splash times or either node the sequence is skipped.
    virtual void StartSplashSequence();
    // Sets the arrow cursor and replaces this screen with the title screen.
    virtual void GoToTitle();
    // Plays "SFX_LogoEffect", when the second splash picture has faded in.
    virtual void PlayLogoSound();

private:
    // Reports the steps' times, releases the worker, and ends the program or goes to the title.
    void FinishLoading();
    void ReleaseWorker();

    std::unique_ptr<Corvane::IThread> mThread;
    // Guards the three progress values; lives as long as the screen.
    std::unique_ptr<Corvane::IMutex> mLock;
    std::atomic<bool> mCancelled{false};
    float mTaskProgress = 0.0f;
    // The running step's weight over the total; 0 between steps.
    float mTaskShare = 0.0f;
    float mCompletedShare = 0.0f;
    std::vector<Entry> mEntries;
    // The two splash nodes once the sequence has found them.
    Corvane::ObjectID mIncoming = Corvane::kNoObject;
    Corvane::ObjectID mOutgoing = Corvane::kNoObject;
    bool mQuitHandlerAdded = false;
    // The partitions' folder listings, read afresh on entering and kept while the groups load.
    std::optional<Corvane::ScopedListingCache> mListings;
};
