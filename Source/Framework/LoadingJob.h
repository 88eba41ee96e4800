// One request to load one manifest, shared by the resource manager (its job map holds one
// reference for the whole run) and every requester (each holds its own). All operations may be
// called from any thread.
#pragma once

#include "Framework/ResourceLoadProgress.h"
#include "Framework/ResourceManager.h"
#include "Threading.h"

#include <exception>
#include <memory>
#include <string>

namespace Corvane
{
class ResourceManager::LoadingJob final : public Referenced<ILoadingJob>, public IResourceLoadProgress
{
public:
    enum State
    {
        kQueued = 0,
        kDownloading = 1,
        kReading = 2,
        kDone = 3,
        kFailed = -1,
        kCancelled = -2,
    };

    LoadingJob(const std::wstring& manifest, bool cacheListings);

    float GetProgress() override;
    void SetProgress(float fraction) override;
    // True once cancelled.
    bool IsCancelled() override;

    // The state becomes cancelled unless the job has ended (done or failed).
    void Cancel();
    // Done or failed, or cancelled and no longer being read by the loader.
    bool IsFinished();
    int GetState();
    const std::wstring& GetManifest() const { return mManifest; }
    bool GetCacheListings() const { return mCacheListings; }
    // How often the manifest was requested.
    int GetRequests();
    // The error the read stopped on, rethrown to waiting callers; null when none.
    std::exception_ptr GetFailure();

    // The loader's side.
    // Counts one more request.
    void AddRequest();
    // Reading starts, unless the job was cancelled meanwhile (false).
    bool BeginReading();
    // Reading ended: done unless cancelled.
    void EndReading();
    // Reading ended on failure (the manifest missing, or failure holds the error raised).
    void Fail(std::exception_ptr failure);

private:
    ~LoadingJob() override;

    const std::wstring mManifest;
    const bool mCacheListings;
    std::unique_ptr<IMutex> mStateLock;
    int mState = kQueued;
    bool mReading = false;
    int mRequests = 1;
    std::exception_ptr mFailure;
    std::unique_ptr<IMutex> mProgressLock;
    float mProgress = 0.0f;
};
} // namespace Corvane
