#include "Framework/DownloadManager.h"

#include "Debug.h"
#include "ErrorStatus.h"
#include "FileSystem.h"
#include "Framework/DownloadTransfer.h"
#include "Framework/INetworkPlatform.h"
#include "Stream.h"
#include "StreamUtil.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace Corvane
{
namespace
{
std::atomic<DownloadManager*> gInstance{nullptr};

std::mutex& CreationLock()
{
    static std::mutex lock;
    return lock;
}

constexpr int kSourceFailed = -2;
constexpr int kDestinationFailed = -3;
constexpr int kCancelled = -4;
constexpr std::uint32_t kUnknownSize = 0xFFFFFFFF;

// The destination as the copy writes it: a write that takes less than it was given (a full disk)
// fails the copy as the destination's error, not as a stall to be run again.
class CheckedDestination final : public IStream, public IErrorStatus
{
public:
    explicit CheckedDestination(IStream& file) : mFile(file) {}

    std::wstring& GetName(std::wstring& out) override { return mFile.GetName(out); }
    unsigned GetCapabilities() override { return kCanWrite; }
    std::uint32_t GetSize() override { return mFile.GetSize(); }
    bool IsEOF() override { return mFile.IsEOF(); }
    unsigned Read(void*, unsigned) override { return 0; }
    unsigned ReadOptimized(const void**, unsigned) override { return 0; }
    unsigned Write(const void* buffer, unsigned count) override
    {
        const unsigned written = mFile.Write(buffer, count);
        if (written < count || HasStreamError(&mFile))
            SetError(kDestinationFailed);
        return written;
    }
    void Seek(int origin, std::int64_t offset) override { mFile.Seek(origin, offset); }
    std::uint32_t Tell() override { return mFile.Tell(); }

private:
    IStream& mFile;
};
} // namespace

struct DownloadManager::Worker final : IEntryPoint
{
    explicit Worker(DownloadManager& owner) : manager(owner) {}
    void Run() override { manager.Run(*this); }

    DownloadManager& manager;
    std::unique_ptr<IThreadSignal> signal;
    std::unique_ptr<IThread> thread;
    // The transfer the worker is to run next (or is running, until it is pre-empted).
    RefPtr<FileTransfer> current;
    // The transfer whose copy is under way, pre-empted or not.
    RefPtr<FileTransfer> running;
};

enum class DownloadManager::Outcome
{
    Complete,
    Cancelled,
    NoSource,
    NoDestination,
    Failed,   // the copy stopped on a stream error, whose code the transfer keeps
    TooLarge, // the source brought more than the transfer may
    Stopped,  // neither ended nor failed: pre-empted, or the source stalled
};

DownloadManager* DownloadManager::Get()
{
    if (DownloadManager* manager = gInstance.load())
        return manager;
    std::lock_guard<std::mutex> lock(CreationLock());
    if (!gInstance.load())
    {
        auto* manager = new DownloadManager;
        manager->Start();
        gInstance = manager;
    }
    return gInstance.load();
}

DownloadManager* DownloadManager::InstanceIfCreated()
{
    return gInstance.load();
}

DownloadManager::DownloadManager() : mLock(CreateMutex())
{
    mTeardown = new Internal::OwnedSingletonDestructor<DownloadManager>(this);
}

DownloadManager::~DownloadManager()
{
    Shutdown();
    mQueue.clear();
    DownloadManager* self = this;
    gInstance.compare_exchange_strong(self, nullptr);
    delete mTeardown;
}

void DownloadManager::Start()
{
    ScopedLock lock(*mLock);
    if (!mWorkers.empty())
        return;
    mStop = false;
    for (int i = 0; i < kWorkers; ++i)
    {
        auto worker = std::make_unique<Worker>(*this);
        worker->signal.reset(CreateThreadSignal());
        // The thread begins by taking the lock, so it waits until every worker is filed.
        worker->thread.reset(CreateThread(kThreadStartNow, worker.get()));
        mWorkers.push_back(std::move(worker));
    }
    Reschedule();
}

void DownloadManager::Shutdown()
{
    {
        ScopedLock lock(*mLock);
        if (mWorkers.empty())
            return;
        mStop = true;
        for (const std::unique_ptr<Worker>& worker : mWorkers)
        {
            if (worker->current)
                worker->current->Cancel();
            if (worker->running)
                worker->running->Cancel();
            worker->signal->Signal();
        }
    }
    for (const std::unique_ptr<Worker>& worker : mWorkers)
        worker->thread->Join();

    ScopedLock lock(*mLock);
    mWorkers.clear();
    // A cancelled transfer that no worker got round to must still tell its requesters.
    std::vector<RefPtr<FileTransfer>> cancelled;
    for (const RefPtr<FileTransfer>& transfer : mQueue)
        if (transfer->WasCancelled())
            cancelled.push_back(transfer);
    for (const RefPtr<FileTransfer>& transfer : cancelled)
        End(*transfer, kCancelled);
}

void DownloadManager::SetLimits(const Limits& limits)
{
    ScopedLock lock(*mLock);
    mLimits = limits;
}

void DownloadManager::SetBasePath(const std::wstring& base)
{
    std::wstring path = base;
    std::replace(path.begin(), path.end(), L'\\', L'/');
    if (!path.empty() && path.back() == L'/')
        path.pop_back();
    ScopedLock lock(*mLock);
    mBase = path;
}

std::wstring DownloadManager::GetBasePath()
{
    ScopedLock lock(*mLock);
    return mBase;
}

int DownloadManager::CountQueued()
{
    ScopedLock lock(*mLock);
    return static_cast<int>(mQueue.size());
}

void DownloadManager::Request(RefPtr<IFileTransfer>& result, const std::wstring& path, const FileLocation& destination,
                              int priority, unsigned expectedSize)
{
    std::wstring relative = path;
    std::replace(relative.begin(), relative.end(), L'\\', L'/');
    relative.erase(0, relative.find_first_not_of(L'/'));
    if (relative.empty())
    {
        DebugPrint("DownloadManager::Request: no file in the path \"%ls\".\n", path.c_str());
        result.Reset();
        return;
    }
    // The whole path is the key: two folders' files of one name are different downloads.
    const Label key(relative);

    ScopedLock lock(*mLock);
    for (const RefPtr<FileTransfer>& queued : mQueue)
        if (queued->GetSourceName() == key)
        {
            // Taken before the queue is sorted again.
            result = RefPtr<IFileTransfer>(queued.Get());
            if (priority < queued->priority)
            {
                queued->priority = priority;
                Reschedule();
            }
            return;
        }
    auto transfer = RefPtr<FileTransfer>::Adopt(
        new FileTransfer(mBase + L"/" + relative, key, priority, destination, expectedSize));
    mQueue.push_back(transfer);
    Reschedule();
    result = RefPtr<IFileTransfer>(transfer.Get());
}

void DownloadManager::Run(Worker& self)
{
    mLock->Lock();
    while (!mStop)
    {
        if (!self.current)
        {
            mLock->Unlock();
            self.signal->Wait();
            mLock->Lock();
            continue;
        }
        const RefPtr<FileTransfer> transfer = self.current;
        self.running = transfer;
        transfer->BeginRun();
        const Limits limits = mLimits;
        mLock->Unlock();

        const Outcome outcome = Copy(*transfer, limits);

        mLock->Lock();
        self.running.Reset();
        Settle(self, *transfer, outcome);
    }
    mLock->Unlock();
}

DownloadManager::Outcome DownloadManager::Copy(FileTransfer& transfer, const Limits& limits)
{
    if (transfer.WasCancelled())
        return Outcome::Cancelled;
    INetworkPlatform* network = INetworkPlatform::GetInstance();
    HTTPRequestOptions options;
    options.deadlineMilliseconds = limits.deadlineMilliseconds;
    options.lowSpeedBytes = limits.lowSpeedBytes;
    options.lowSpeedMilliseconds = limits.lowSpeedMilliseconds;
    options.whileOpening = [&transfer](IInterruptible* request) { transfer.SetInterruptible(request); };
    const std::unique_ptr<IStream> source(network ? network->OpenHTTPStream(transfer.GetUrl().c_str(), options)
                                                  : nullptr);
    if (transfer.WasCancelled())
        return Outcome::Cancelled;
    if (!source || HasStreamError(source.get()))
        return Outcome::NoSource;
    const std::uint64_t limit = transfer.GetSizeLimit();
    const std::uint32_t size = source->GetSize();
    if (limit > 0 && size != kUnknownSize && size > limit)
    {
        DebugPrint("DownloadManager: %ls announces %u bytes where %llu were expected; not fetched.\n",
                   transfer.GetUrl().c_str(), size, static_cast<unsigned long long>(limit));
        return Outcome::TooLarge;
    }
    FileSystem* files = FileSystem::GetInstance();
    IStream* destination = files ? files->OpenStream(transfer.GetDestination(), kFileWrite, kCreateAlways) : nullptr;
    if (!destination || HasStreamError(destination))
    {
        if (files)
            files->ReleaseStream(destination);
        return Outcome::NoDestination;
    }

    transfer.SetInterruptible(dynamic_cast<IInterruptible*>(source.get()));
    transfer.SetTotal(size);
    CheckedDestination checked(*destination);
    // One byte past the limit tells a source that is too large from one that just fits.
    const std::uint64_t most = limit > 0 ? std::min<std::uint64_t>(size, limit + 1) : size;
    const unsigned copied = CopyStream(*source, checked, static_cast<unsigned>(most), &transfer);
    const bool failed = HasStreamError(source.get()) || checked.HasError();
    const bool tooLarge = limit > 0 && copied > limit;
    const bool ended = source->IsEOF() && !tooLarge;
    transfer.SetInterruptible(nullptr);
    files->ReleaseStream(destination);

    if (ended && !failed && !transfer.WasCancelled())
        return Outcome::Complete;
    // A part of a file is of no use, and must not be left where it would be looked for; a run
    // that starts again creates the file anew.
    files->Delete(transfer.GetDestination());
    if (transfer.WasCancelled())
        return Outcome::Cancelled;
    if (failed)
        return Outcome::Failed;
    if (tooLarge)
    {
        DebugPrint("DownloadManager: %ls brought more than the %llu bytes expected; stopped.\n",
                   transfer.GetUrl().c_str(), static_cast<unsigned long long>(limit));
        return Outcome::TooLarge;
    }
    return Outcome::Stopped;
}

void DownloadManager::Settle(Worker& self, FileTransfer& transfer, Outcome outcome)
{
    switch (outcome)
    {
    case Outcome::Complete:
        Remove(transfer);
        transfer.OnComplete();
        break;
    case Outcome::Cancelled: End(transfer, kCancelled); break;
    case Outcome::NoSource: End(transfer, kSourceFailed); break;
    case Outcome::NoDestination: End(transfer, kDestinationFailed); break;
    case Outcome::TooLarge: End(transfer, kSourceFailed); break;
    case Outcome::Failed:
    {
        const int code = transfer.GetCopyError();
        if (code == kDestinationFailed)
            DebugPrint("DownloadManager: %ls could not be written to %ls; not fetched again.\n",
                       transfer.GetUrl().c_str(), transfer.GetDestination().ToString().c_str());
        End(transfer, code < 0 ? code : kSourceFailed);
        break;
    }
    case Outcome::Stopped:
        // Still this worker's: not pre-empted, so the source stalled. Run again, a few times.
        if (self.current.Get() == &transfer && ++transfer.stalledRuns >= kMaxRuns)
        {
            DebugPrint("DownloadManager: %ls stopped short %d times; giving up.\n", transfer.GetUrl().c_str(),
                       kMaxRuns);
            End(transfer, kSourceFailed);
        }
        break;
    }
    // A transfer pre-empted during its run waits for the next free worker.
    Reschedule();
}

void DownloadManager::Reschedule()
{
    std::stable_sort(mQueue.begin(), mQueue.end(), [](const RefPtr<FileTransfer>& a, const RefPtr<FileTransfer>& b) {
        return a->priority < b->priority;
    });
    if (mQueue.empty())
        return;
    const int best = mQueue.front()->priority;
    for (const std::unique_ptr<Worker>& worker : mWorkers)
        if (worker->current && worker->current->priority > best)
        {
            worker->current->MarkPreempted();
            worker->current.Reset();
        }
    for (const RefPtr<FileTransfer>& transfer : mQueue)
    {
        if (transfer->priority > best)
            break;
        const bool taken = std::any_of(mWorkers.begin(), mWorkers.end(), [&](const std::unique_ptr<Worker>& worker) {
            return worker->current.Get() == transfer.Get() || worker->running.Get() == transfer.Get();
        });
        if (taken)
            continue;
        const auto free = std::find_if(mWorkers.begin(), mWorkers.end(),
                                       [](const std::unique_ptr<Worker>& worker) { return !worker->current; });
        if (free == mWorkers.end())
            break;
        (*free)->current = transfer;
        (*free)->signal->Signal();
    }
}

void DownloadManager::Remove(FileTransfer& transfer)
{
    for (const std::unique_ptr<Worker>& worker : mWorkers)
        if (worker->current.Get() == &transfer)
        {
            worker->current.Reset();
            break;
        }
    const auto found = std::find_if(mQueue.begin(), mQueue.end(),
                                    [&](const RefPtr<FileTransfer>& queued) { return queued.Get() == &transfer; });
    // The queue's reference goes last: the caller holds its own.
    if (found != mQueue.end())
        mQueue.erase(found);
    Reschedule();
}

void DownloadManager::End(FileTransfer& transfer, int code)
{
    Remove(transfer);
    transfer.SetError(code);
}
} // namespace Corvane
