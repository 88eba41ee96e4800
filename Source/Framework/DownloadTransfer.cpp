#include "Framework/DownloadTransfer.h"

#include "Framework/INetworkPlatform.h"
#include "Stream.h"

#include <utility>

namespace Corvane
{
DownloadManager::FileTransfer::FileTransfer(std::wstring url, Label source, int priority,
                                            const FileLocation& destination, unsigned expectedSize)
    : priority(priority), mUrl(std::move(url)), mSource(source), mDestination(destination), mLock(CreateMutex()),
      mTotal(expectedSize)
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
    if (auto* interruptible = dynamic_cast<IInterruptible*>(mSourceStream))
        interruptible->Interrupt();
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

void DownloadManager::FileTransfer::SetSource(IStream* source)
{
    ScopedLock lock(*mLock);
    mSourceStream = source;
    if (source && mCancelled)
        if (auto* interruptible = dynamic_cast<IInterruptible*>(source))
            interruptible->Interrupt();
}
} // namespace Corvane
