#include "Framework/LoadingJob.h"

namespace Corvane
{
ResourceManager::LoadingJob::LoadingJob(const std::wstring& manifest, bool cacheListings)
    : mManifest(manifest), mCacheListings(cacheListings), mStateLock(CreateMutex()), mProgressLock(CreateMutex())
{
}

ResourceManager::LoadingJob::~LoadingJob() = default;

float ResourceManager::LoadingJob::GetProgress()
{
    ScopedLock lock(*mProgressLock);
    return mProgress;
}

void ResourceManager::LoadingJob::SetProgress(float fraction)
{
    ScopedLock lock(*mProgressLock);
    mProgress = fraction;
}

bool ResourceManager::LoadingJob::IsCancelled()
{
    ScopedLock lock(*mStateLock);
    return mState == kCancelled;
}

void ResourceManager::LoadingJob::Cancel()
{
    ScopedLock lock(*mStateLock);
    if (mState != kDone && mState != kFailed)
        mState = kCancelled;
}

bool ResourceManager::LoadingJob::IsFinished()
{
    ScopedLock lock(*mStateLock);
    return mState == kDone || mState == kFailed || (mState == kCancelled && !mReading);
}

int ResourceManager::LoadingJob::GetState()
{
    ScopedLock lock(*mStateLock);
    return mState;
}

int ResourceManager::LoadingJob::GetRequests()
{
    ScopedLock lock(*mStateLock);
    return mRequests;
}

std::exception_ptr ResourceManager::LoadingJob::GetFailure()
{
    ScopedLock lock(*mStateLock);
    return mFailure;
}

void ResourceManager::LoadingJob::AddRequest()
{
    ScopedLock lock(*mStateLock);
    ++mRequests;
}

bool ResourceManager::LoadingJob::BeginReading()
{
    ScopedLock lock(*mStateLock);
    if (mState == kCancelled)
        return false;
    mState = kReading;
    mReading = true;
    return true;
}

void ResourceManager::LoadingJob::EndReading()
{
    ScopedLock lock(*mStateLock);
    mReading = false;
    if (mState != kCancelled && mState != kFailed)
        mState = kDone;
}

void ResourceManager::LoadingJob::Fail(std::exception_ptr failure)
{
    ScopedLock lock(*mStateLock);
    mReading = false;
    mFailure = failure;
    mState = kFailed;
    SetError(kFailed);
}
} // namespace Corvane
