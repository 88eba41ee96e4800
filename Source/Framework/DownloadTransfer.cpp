#include "Framework/DownloadTransfer.h"

#include "Framework/INetworkPlatform.h"

#include <utility>

namespace Corvane
{
DownloadManager::FileTransfer::FileTransfer(std::wstring url, Label source, int priority,
                                            const FileLocation& destination, unsigned expectedSize)
    : priority(priority), mUrl(std::move(url)), mSource(source), mDestination(destination), mLock(CreateMutex()),
      mExpected(expectedSize), mTotal(expectedSize)
{
}

unsigned DownloadManager::FileTransfer::GetTotal()
{
    ScopedLock lock(*mLock);
    return mTotal;
}

unsigned DownloadManager::FileTransfer::GetDone()
{
    ScopedLock lock(*mLock);
    return mDone;
}

float DownloadManager::FileTransfer::GetProgress()
{
    ScopedLock lock(*mLock);
    if (mComplete)
        return 1.0f;
    return mTotal == 0 ? 0.0f : static_cast<float>(mDone) / static_cast<float>(mTotal);
}

void DownloadManager::FileTransfer::Cancel()
{
    ScopedLock lock(*mLock);
    mCancelled = true;
    if (mInterruptible)
        mInterruptible->Interrupt();
}

bool DownloadManager::FileTransfer::IsComplete()
{
    ScopedLock lock(*mLock);
    return mComplete;
}

void DownloadManager::FileTransfer::SetTotal(unsigned bytes)
{
    ScopedLock lock(*mLock);
    mTotal = bytes;
    mDone = 0;
}

void DownloadManager::FileTransfer::AddDone(float, unsigned bytes)
{
    ScopedLock lock(*mLock);
    mDone += bytes;
}

void DownloadManager::FileTransfer::OnComplete()
{
    ScopedLock lock(*mLock);
    mComplete = true;
    mTotal = mDone; // also when the server announced no length
}

void DownloadManager::FileTransfer::Finish(int code)
{
    ScopedLock lock(*mLock);
    mCopyError = code;
}

int DownloadManager::FileTransfer::GetCopyError()
{
    ScopedLock lock(*mLock);
    return mCopyError;
}

bool DownloadManager::FileTransfer::IsCancelled()
{
    ScopedLock lock(*mLock);
    return std::exchange(mPreempted, false) || mCancelled;
}

bool DownloadManager::FileTransfer::WasCancelled()
{
    ScopedLock lock(*mLock);
    return mCancelled;
}

void DownloadManager::FileTransfer::MarkPreempted()
{
    ScopedLock lock(*mLock);
    mPreempted = true;
}

void DownloadManager::FileTransfer::BeginRun()
{
    ScopedLock lock(*mLock);
    mPreempted = false;
}

void DownloadManager::FileTransfer::SetInterruptible(IInterruptible* target)
{
    ScopedLock lock(*mLock);
    mInterruptible = target;
    if (target && mCancelled)
        target->Interrupt();
}

std::uint64_t DownloadManager::FileTransfer::GetSizeLimit() const
{
    if (mExpected == 0)
        return 0;
    const std::wstring extension = mDestination.GetExtension();
    if (extension == L".txt" || extension == L".xml")
        return std::uint64_t{mExpected} * 4 + 1024;
    return mExpected;
}
} // namespace Corvane
