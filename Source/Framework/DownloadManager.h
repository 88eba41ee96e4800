// Fetches data files over HTTP into the per-user partition: a queue of file transfers ordered by
// priority (lower is more urgent), run by three worker threads. A request for a path already
// queued returns the queued transfer (made more urgent when asked so); a more urgent request
// pre-empts workers busy with less urgent ones, whose transfers start again from the beginning
// later. Created on first use (from any thread), stopped by the engine's shut-down, deleted by
// the singleton teardown.
#pragma once

#include "FileLocation.h"
#include "Framework/FileTransfer.h"
#include "RefPtr.h"
#include "Singleton.h"
#include "Threading.h"

#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
class IDownloadManager
{
public:
    virtual ~IDownloadManager() = default;
    // Starts the three workers (again after Shutdown).
    virtual void Start() = 0;
    // Stops the workers: cancels the transfers they hold and waits for every one of them to end.
    // Transfers no worker holds stay queued.
    virtual void Shutdown() = 0;
    // The URL files are fetched below; '\' becomes '/', one trailing '/' is dropped.
    virtual void SetBasePath(const std::wstring& base) = 0;
    // Fetches base + "/" + path into destination (created anew). result gets the transfer, or
    // null for a path with nothing in it. expectedSize is the total reported until the copy
    // starts, and the most the transfer may bring (0: no limit; see FileTransfer).
    //
    // A run that fails leaves no file at the destination. Only a run that stops short without
    // an error is run again; a failure of the source (-2) or of the destination (-3, a write that
    // failed included) ends the transfer.
    virtual void Request(RefPtr<IFileTransfer>& result, const std::wstring& path, const FileLocation& destination,
                         int priority, unsigned expectedSize) = 0;
};

class DownloadManager final : public IDownloadManager
{
public:
    class FileTransfer;

    static constexpr int kWorkers = 3;

    // What bounds each run of a transfer, so that no server can hold a worker (or the shut-down)
    // for long: a run fails (-2) when it takes longer than the deadline in all, or moves fewer
    // than lowSpeedBytes a second for lowSpeedMilliseconds, whatever phase it is in.
    struct Limits
    {
        unsigned deadlineMilliseconds = 10 * 60 * 1000;
        unsigned lowSpeedBytes = 256;
        unsigned lowSpeedMilliseconds = 30 * 1000;
    };
    // A copy that stops short without an error (the source neither ended nor failed) is run again
    // at most this often in all before the transfer fails with -2.
    static constexpr int kMaxRuns = 3;

    // The manager, created, registered for teardown and started on first use.
    static DownloadManager* Get();
    // The manager when it exists, else null; never creates it (for shut-down paths).
    static DownloadManager* InstanceIfCreated();

    // Shuts down, then releases the queued transfers.
    ~DownloadManager() override;
    DownloadManager(const DownloadManager&) = delete;
    DownloadManager& operator=(const DownloadManager&) = delete;

    void Start() override;
    void Shutdown() override;
    void SetBasePath(const std::wstring& base) override;
    void Request(RefPtr<IFileTransfer>& result, const std::wstring& path, const FileLocation& destination, int priority,
                 unsigned expectedSize) override;

    // For runs that start from now on.
    void SetLimits(const Limits& limits);

    std::wstring GetBasePath();
    // How many transfers are queued (running ones included).
    int CountQueued();

private:
    struct Worker;
    enum class Outcome;

    DownloadManager();

    void Run(Worker& worker);
    // The copy of one run, without the lock.
    Outcome Copy(FileTransfer& transfer, const Limits& limits);
    // Under the lock: what the run's outcome means for the transfer.
    void Settle(Worker& worker, FileTransfer& transfer, Outcome outcome);
    // Under the lock: sorts the queue and hands the most urgent transfers to free workers.
    void Reschedule();
    // Under the lock: the transfer leaves its worker and the queue.
    void Remove(FileTransfer& transfer);
    void End(FileTransfer& transfer, int code);

    std::unique_ptr<IMutex> mLock;
    std::vector<RefPtr<FileTransfer>> mQueue;
    std::vector<std::unique_ptr<Worker>> mWorkers;
    bool mStop = false;
    std::wstring mBase;
    Limits mLimits;
    Internal::OwnedSingletonDestructor<DownloadManager>* mTeardown = nullptr;
};
} // namespace Corvane
