#include "Framework/ResourceManager.h"

#include "Debug.h"
#include "FileSystem.h"
#include "Framework/LoadingJob.h"
#include "Framework/ResourceFiles.h"
#include "Framework/ResourceProblems.h"
#include "Platform/Compat/Kernel/Time.h"
#include "RuntimeError.h"
#include "Utf8.h"
#include "XMLElementReader.h"
#include "XMLError.h"
#include "XMLReader.h"

#include <atomic>
#include <cwchar>
#include <mutex>
#include <utility>
#include <vector>

namespace Corvane
{
namespace
{
std::atomic<ResourceManager*> gInstance{nullptr};

std::mutex& CreationLock()
{
    static std::mutex lock;
    return lock;
}

const std::wstring kAlias = L"alias";

// Reads the rest of the element whose start tag reader stands on, its end tag included.
void SkipElement(IXMLReader& reader)
{
    XMLElementReader element(&reader);
    element.Next();
    while (!element.AtEnd())
        element.Next();
}

[[noreturn]] void ThrowDuplicate(const std::wstring& existing, const std::wstring& manifest, Label name)
{
    wchar_t message[1024];
    std::swprintf(message, 1024, L"The manifests '%ls' and '%ls' both contain a resource named '%s'.", existing.c_str(),
                  manifest.c_str(), name.c_str());
    throw RuntimeError(std::wstring(message), __FILE__, __LINE__, "Corvane::ResourceManager::LoadInternal");
}
} // namespace

ResourceManager* ResourceManager::Instance()
{
    if (ResourceManager* manager = gInstance.load())
        return manager;
    std::lock_guard<std::mutex> lock(CreationLock());
    if (!gInstance.load())
        new ResourceManager; // stores itself
    return gInstance.load();
}

ResourceManager* ResourceManager::InstanceIfCreated()
{
    return gInstance.load();
}

ResourceManager::ResourceManager() : mLock(CreateMutex()), mWakeUp(CreateThreadSignal())
{
    gInstance = this;
    mTeardown = new Internal::OwnedSingletonDestructor<ResourceManager>(this);
    // Last: the loader starts at once and uses everything above.
    mThread.reset(CreateThread(kThreadStartNow, this));
}

ResourceManager::~ResourceManager()
{
    Stop();
    for (auto& [manifest, job] : mJobs)
        job->Release();
    mJobs.clear();
    mFactories.clear();
    ResourceManager* self = this;
    gInstance.compare_exchange_strong(self, nullptr);
    delete mTeardown;
}

void ResourceManager::RegisterFactory(const std::wstring& elementName, IResourceFactory* factory)
{
    std::unique_ptr<IResourceFactory> replaced;
    ScopedLock lock(*mLock);
    std::unique_ptr<IResourceFactory>& slot = mFactories[elementName];
    replaced = std::move(slot);
    slot.reset(factory);
}

bool ResourceManager::HasFactory(const std::wstring& elementName)
{
    ScopedLock lock(*mLock);
    const auto found = mFactories.find(elementName);
    return found != mFactories.end() && found->second;
}

IResourceDescriptor* ResourceManager::Find(Label name)
{
    ScopedLock lock(*mLock);
    const auto found = mResources.find(name);
    return found == mResources.end() ? nullptr : found->second.get();
}

ResourceManager::LoadingJob* ResourceManager::Request(const std::wstring& manifest, bool cacheListings)
{
    bool queued = false;
    LoadingJob* job = nullptr;
    {
        ScopedLock lock(*mLock);
        LoadingJob*& slot = mJobs[manifest];
        if (slot)
            slot->AddRequest();
        else
        {
            slot = new LoadingJob(manifest, cacheListings); // the map's reference
            if (mStop)
                slot->Cancel(); // no loader left to read it
            else
            {
                mQueue.push_back(slot);
                queued = true;
            }
        }
        job = slot;
        job->AddRef(); // the caller's
    }
    if (queued)
        mWakeUp->Signal();
    return job;
}

void ResourceManager::LoadAndWait(const std::wstring& manifest, bool cacheListings, IResourceLoadProgress* progress)
{
    LoadingJob* job = Request(manifest, cacheListings);
    // The progress is passed on every 5 ms; the wait ends as soon as the job does.
    while (!job->IsFinished())
    {
        if (progress)
        {
            if (progress->IsCancelled())
                job->Cancel();
            progress->SetProgress(job->GetProgress());
        }
        job->WaitFinished(5);
    }
    const std::exception_ptr failure = job->GetFailure();
    job->Release();
    if (failure)
        std::rethrow_exception(failure);
}

void ResourceManager::Stop()
{
    {
        ScopedLock lock(*mLock);
        if (mStopped)
            return;
        for (LoadingJob* job : mQueue)
            job->Cancel();
        for (LoadingJob* job : mActive)
            job->Cancel();
        mStop = true;
    }
    mWakeUp->Signal();
    mThread->Join();

    std::unordered_map<Label, std::shared_ptr<IResourceDescriptor>> released;
    std::vector<LoadingJob*> active;
    {
        ScopedLock lock(*mLock);
        mStopped = true;
        mQueue.clear();
        active.swap(mActive);
        released.swap(mResources);
    }
    for (LoadingJob* job : active)
    {
        job->CancelTransfers();
        job->EndReading();
        job->Release();
    }
    // Resources are deleted outside the lock: their destructors may look other resources up.
    released.clear();
}

bool ResourceManager::IsStopping()
{
    ScopedLock lock(*mLock);
    return mStop;
}

void ResourceManager::Run()
{
    for (;;)
    {
        LoadingJob* job = nullptr;
        bool downloading = false;
        {
            ScopedLock lock(*mLock);
            if (mStop)
                return;
            if (!mQueue.empty())
            {
                job = mQueue.front();
                mQueue.pop_front();
                job->AddRef(); // the loader's, while it works on it
            }
            downloading = !mActive.empty();
        }
        if (job)
        {
            // Every queued job is taken up before the downloads are looked at.
            TakeUp(*job);
            job->Release();
            continue;
        }
        if (!downloading)
        {
            mWakeUp->Wait();
            continue;
        }
        ServiceDownloads();
        // The pause between passes while files arrive.
        Sleep(10);
    }
}

std::unique_ptr<IXMLReader> ResourceManager::OpenManifest(LoadingJob& job)
{
    const std::wstring& manifest = job.GetManifest();
    const ResourceStream stream(OpenResourceStream(FileLocation(manifest.c_str(), L".xml")));
    if (!stream)
    {
        DebugPrint("Resource file %ls.xml was not found.\n", manifest.c_str());
        KeepFailure({manifest, L"", "Resource file " + Utf8::FromWide(manifest) + ".xml was not found."});
        job.Fail(nullptr);
        return nullptr;
    }
    return std::unique_ptr<IXMLReader>(CreateXMLReader(*stream)); // a copy: the file is closed at once
}

void ResourceManager::Load(LoadingJob& job, bool keepExisting)
{
    const std::wstring& manifest = job.GetManifest();
    DebugPrint("Loading resource file: %ls\n", manifest.c_str());
    static ProfileCounter counter("ResourceManager::Load");
    ProfileScope profile(counter);
    std::exception_ptr failure;
    {
        // The listings end before the job does: whoever waits for it may start the next load, with
        // fresh listings, the moment it ends.
        ScopedListingCache listings(job.GetCacheListings());
        const std::unique_ptr<IXMLReader> reader = OpenManifest(job);
        if (!reader)
            return;
        failure = ReadManifest(job, *reader, keepExisting);
    }
    if (failure)
        job.Fail(failure);
    else
        job.EndReading();
}

std::exception_ptr ResourceManager::ReadManifest(LoadingJob& job, IXMLReader& reader, bool keepExisting)
{
    const std::wstring& manifest = job.GetManifest();
    // A resource that fails has had its element read to the end, so the resources after it still
    // load; the first failure is the job's. Broken XML ends the reading: nothing after it can be
    // trusted.
    std::exception_ptr failure;
    while (!reader.AtEnd())
    {
        const XMLElement* node = reader.Next();
        // The reader reuses its nodes: the tag is kept for a failure's report.
        const std::wstring tag = node->IsStartTag() ? node->GetName() : std::wstring();
        try
        {
            ReadNode(job, reader, *node, keepExisting);
        }
        catch (const XMLError&)
        {
            throw;
        }
        catch (...)
        {
            ReportFailure(manifest, tag, std::current_exception());
            if (!failure)
                failure = std::current_exception();
        }
        job.SetProgress(reader.GetProgress());
        if (job.IsCancelled())
            break;
        if (IsStopping())
        {
            // Whoever waits for this job must not wait for a loader that has gone.
            job.Cancel();
            break;
        }
    }
    return failure;
}

void ResourceManager::ReadNode(LoadingJob& job, IXMLReader& reader, const XMLElement& node, bool keepExisting)
{
    if (!node.IsStartTag())
        return;
    const wchar_t* nameText = node.GetStringAttribute(L"name", L"");
    if (!*nameText)
        return; // not a declaration (the root element, for one): its children are read on
    const Label name(nameText);
    const std::wstring& manifest = job.GetManifest();

    if (node.GetName() == kAlias)
    {
        // A second key for a resource declared before; an entry under the alias name is replaced.
        const Label source(node.GetStringAttribute(L"src", L""));
        {
            ScopedLock lock(*mLock);
            const auto target = mResources.find(source);
            if (target != mResources.end())
                mResources[name] = target->second;
        }
        SkipElement(reader);
        return;
    }

    bool claimed = false;
    try
    {
        claimed = ClaimName(manifest, name, keepExisting);
    }
    catch (...)
    {
        SkipElement(reader); // a duplicate declaration is dropped whole
        throw;
    }
    if (!claimed)
    {
        SkipElement(reader);
        return;
    }
    Build(manifest, name, reader, node);
}

bool ResourceManager::ClaimName(const std::wstring& manifest, Label name, bool keepExisting)
{
    ScopedLock lock(*mLock);
    const auto existing = mResources.find(name);
    if (existing == mResources.end())
        return true;
    const std::wstring existingManifest = existing->second->GetManifest();
    if (existingManifest != manifest)
        ThrowDuplicate(existingManifest, manifest, name);
    if (keepExisting)
        return false;
    mResources.erase(existing); // declared again in the same manifest: the later one holds
    return true;
}

IResourceFactory* ResourceManager::FindFactory(const std::wstring& elementName)
{
    ScopedLock lock(*mLock);
    const auto found = mFactories.find(elementName);
    return found == mFactories.end() ? nullptr : found->second.get();
}

void ResourceManager::Build(const std::wstring& manifest, Label name, IXMLReader& reader, const XMLElement& node)
{
    std::unique_ptr<IResourceDescriptor> created(Create(manifest, name, reader, node));
    if (!created)
        return;
    ScopedLock lock(*mLock);
    mResources[name] = std::shared_ptr<IResourceDescriptor>(std::move(created));
}

IResourceDescriptor* ResourceManager::Create(const std::wstring& manifest, Label name, IXMLReader& reader,
                                             const XMLElement& node)
{
    IResourceFactory* factory = FindFactory(node.GetName());
    if (!factory)
    {
        // The element's named children belong to it, not to the manifest.
        SkipElement(reader);
        return nullptr;
    }

    // The reader reuses its nodes: the factory gets a copy of the attributes that outlives its
    // reading of the children.
    const XMLElement element = node;
    const int line = reader.GetLine();
    XMLElementReader children(&reader);
    children.Next();
    std::unique_ptr<IResourceDescriptor> created;
    Internal::ResourceProblemScope problems;
    try
    {
        created.reset(factory->Create(manifest, name, &element, &children));
    }
    catch (const XMLError&)
    {
        throw;
    }
    catch (...)
    {
        // The factory gave up inside its element: what it left unread belongs to no one else.
        while (!children.AtEnd())
            children.Next();
        throw;
    }
    while (!children.AtEnd())
        children.Next();
    // The factory gave nothing, or left out a part it could not read, and said why, if anything,
    // to the problems' scope.
    if (!created || !problems.Losses().empty())
    {
        std::wstring path;
        const std::string reason = created                  ? problems.Losses()
                                   : problems.Text().empty() ? "nothing could be made of it."
                                                             : problems.Text();
        KeepFailure({manifest, element.GetName(),
                     Utf8::FromWide(FormatErrorLocation(
                         reader.GetName(path), line, element.GetName() + L" '" + Utf8::ToWide(name.c_str()) + L"': ")) +
                         reason});
    }
    return created.release();
}

void ResourceManager::KeepFailure(Failure failure)
{
    ScopedLock lock(*mLock);
    mFailures.push_back(std::move(failure));
}

std::vector<ResourceManager::Failure> ResourceManager::TakeFailures()
{
    ScopedLock lock(*mLock);
    return std::exchange(mFailures, {});
}
} // namespace Corvane
