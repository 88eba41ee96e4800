// The resource manager's loader: taking jobs up, and the download side (the dependency pass, the
// resources waiting for their files, the jobs' byte counters).
#include "Framework/ResourceManager.h"

#include "Debug.h"
#include "FileSystem.h"
#include "Framework/FileSource.h"
#include "Framework/LoadingJob.h"
#include "Framework/ResourceFiles.h"
#include "XMLElementReader.h"

#include <algorithm>

namespace Corvane
{
namespace
{
// Data files fetched for a manifest are not urgent: anything the game asks for later goes first.
constexpr int kDownloadPriority = 100;

// Asks the file source for every candidate file; those it must download join the job and the
// resource's own list (a file two resources need is fetched once, and both wait for it).
void RequestFiles(ResourceManager::LoadingJob& job, FileSource& source,
                  const std::vector<ResourceDependency>& dependencies, std::vector<RefPtr<IFileTransfer>>& waits)
{
    for (const ResourceDependency& dependency : dependencies)
        for (const std::wstring& candidate : dependency.candidates)
        {
            FileLocation location;
            if (!MakeResourceFileLocation(dependency.location + candidate, location))
                continue;
            RefPtr<IFileTransfer> transfer;
            source.RequestDownload(transfer, location, kDownloadPriority);
            if (!transfer)
                continue;
            job.AddTransfer(transfer);
            if (std::none_of(waits.begin(), waits.end(),
                             [&](const RefPtr<IFileTransfer>& held) { return held.Get() == transfer.Get(); }))
                waits.push_back(transfer);
        }
}
} // namespace

void ResourceManager::ReportFailure(const std::wstring& manifest, const std::wstring& element,
                                    const std::exception_ptr& failure)
{
    std::string message = "an error of unknown type";
    try
    {
        std::rethrow_exception(failure);
    }
    catch (const std::exception& error)
    {
        message = error.what();
    }
    catch (...)
    {
    }
    DebugPrint("Loading resource file %ls failed: %s\n", manifest.c_str(), message.c_str());
    KeepFailure({manifest, element, std::move(message)});
}

void ResourceManager::TakeUp(LoadingJob& job)
{
    if (!job.Begin())
        return; // cancelled while queued: dropped
    try
    {
        auto* source = dynamic_cast<FileSource*>(IFileSource::GetInstance());
        if (source && source->OffersDownloads())
        {
            const bool started = FindDownloads(job, *source);
            if (job.IsFinished())
                return; // the manifest is missing
            if (started && job.SetDownloading())
            {
                job.AddRef(); // the active list's
                ScopedLock lock(*mLock);
                mActive.push_back(&job);
                return;
            }
        }
        if (job.IsCancelled())
        {
            job.CancelTransfers();
            job.EndReading();
            return;
        }
        job.SetReading();
        Load(job, false);
    }
    catch (...)
    {
        // Not the end of the process: the waiting caller gets the error.
        ReportFailure(job.GetManifest(), L"", std::current_exception());
        job.CancelTransfers();
        job.Fail(std::current_exception());
    }
}

bool ResourceManager::FindDownloads(LoadingJob& job, FileSource& source)
{
    ScopedListingCache listings(job.GetCacheListings());
    const std::unique_ptr<IXMLReader> reader = OpenManifest(job);
    if (!reader)
        return false;
    bool started = false;
    while (!reader->AtEnd())
    {
        const XMLElement* node = reader->Next();
        if (!node->IsStartTag())
            continue;
        const std::wstring name = node->GetStringAttribute(L"name", L"");
        if (name.empty())
            continue; // the root: its children are the declarations
        const std::wstring tag = node->GetName();
        XMLElementReader element(reader.get());
        LoadingJob::PendingResource pending{Label(name), XMLElementList(element), {}};

        IResourceFactory* factory = tag == L"alias" ? nullptr : FindFactory(tag);
        if (factory)
        {
            XMLElementList cursor = pending.element;
            const XMLElement attributes = *cursor.Next();
            XMLElementReader children(&cursor);
            children.Next();
            std::vector<ResourceDependency> dependencies;
            factory->GetDependencies(dependencies, job.GetManifest(), pending.name, &attributes, &children);
            RequestFiles(job, source, dependencies, pending.transfers);
        }
        if (!pending.transfers.empty())
        {
            job.AddPending(std::move(pending));
            started = true;
        }
        if (IsStopping() || job.IsCancelled())
            break;
    }
    return started;
}

void ResourceManager::ServiceDownloads()
{
    std::vector<LoadingJob*> active;
    {
        ScopedLock lock(*mLock);
        active = mActive;
    }
    for (LoadingJob* job : active)
    {
        if (IsStopping())
            return; // Stop cancels what is left
        if (!Service(*job))
            continue;
        {
            ScopedLock lock(*mLock);
            mActive.erase(std::find(mActive.begin(), mActive.end(), job));
        }
        job->Release();
    }
}

bool ResourceManager::Service(LoadingJob& job)
{
    try
    {
        if (job.IsCancelled())
        {
            job.CancelTransfers();
            job.EndReading();
            return true;
        }
        if (job.PollTransfers())
        {
            // Built in the order they were declared; a failed download still builds its resource,
            // whose factory then finds the file missing or stale.
            for (LoadingJob::PendingResource& pending : job.TakeReady())
            {
                if (job.IsCancelled())
                    break;
                if (!ClaimName(job.GetManifest(), pending.name, false))
                    continue;
                pending.element.Next();
                Build(job.GetManifest(), pending.name, pending.element, *pending.element.Current());
            }
        }
        if (job.IsCancelled() || job.HasPending())
            return false;
        job.SetReading();
        Load(job, true);
        return true;
    }
    catch (...)
    {
        ReportFailure(job.GetManifest(), L"", std::current_exception());
        job.CancelTransfers();
        job.Fail(std::current_exception());
        return true;
    }
}
} // namespace Corvane
