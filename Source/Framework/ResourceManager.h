// The owner of every named resource. Manifests ("<name>.xml") declare resources, one element each:
// the element's tag selects the factory, its "name" attribute names the resource, and an "alias"
// element gives a resource declared earlier a second name ("src"). Manifests are read on the
// manager's loader thread, each at most once per run; callers wait for them (LoadAndWait) and
// look resources up by name (Get). Resources live until Stop, at shutdown.
//
// When the file source offers downloads (it was initialised with a table of contents), a
// manifest's data files that are listed but missing or damaged are fetched first: the factories
// name the files each resource needs (GetDependencies), the resources waiting for files are built
// once their files have arrived (or failed), and then the rest of the manifest is read. While
// files arrive the loader checks its jobs every 10 ms; their byte counters show the progress.
//
// Threads: the main thread registers factories (at start-up) and looks resources up; the main
// thread and the loading screen's worker request manifests and wait; factories run on the loader
// thread. One lock guards the factories, the resources, the queue and the job map.
#pragma once

#include "Framework/IResourceDescriptor.h"
#include "Framework/IResourceFactory.h"
#include "Label.h"
#include "Singleton.h"
#include "Threading.h"

#include <exception>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Corvane
{
class FileSource;
class IResourceLoadProgress;
class IXMLReader;
class XMLElement;

// What a lookup found: the resource and its T part, or nothing (no resource of that name, or one
// of another type). Does not own the resource.
template <typename T> class ResourceHandle
{
public:
    ResourceHandle() = default;
    ResourceHandle(IResourceDescriptor* descriptor, T* object) : mDescriptor(descriptor), mObject(object) {}

    IResourceDescriptor* GetDescriptor() const { return mDescriptor; }
    T* Get() const { return mObject; }
    T* operator->() const { return mObject; }
    T& operator*() const { return *mObject; }
    explicit operator bool() const { return mObject != nullptr; }

private:
    IResourceDescriptor* mDescriptor = nullptr;
    T* mObject = nullptr;
};

namespace Internal
{
template <typename T> class ValueWrapper;
}

class ResourceManager final : public IEntryPoint
{
public:
    class LoadingJob;

    // The one manager, created (with its loader thread running) on first use and registered for
    // singleton teardown.
    static ResourceManager* Instance();
    // The manager when it exists, else null; never creates it (for shut-down paths).
    static ResourceManager* InstanceIfCreated();

    // Stops the loader when Stop has not run, then deletes the factories and the resources.
    ~ResourceManager() override;
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // Takes ownership of factory for manifest elements named elementName (matched with case); a
    // factory registered before under that name is deleted.
    void RegisterFactory(const std::wstring& elementName, IResourceFactory* factory);
    // Whether manifest elements named elementName have a factory (they are skipped otherwise).
    bool HasFactory(const std::wstring& elementName);
    // The resource of that name, or null.
    IResourceDescriptor* Find(Label name);
    // Builds, without entering it, the resource declared by node, on whose start tag reader stands
    // (a manifest element or a child of one), with the factory of node's tag; the element is
    // consumed, also when the factory fails. Returns the new resource, owned by the caller, or null.
    // Resources made of other resources ("imagelist") build their children through it. Loader thread.
    IResourceDescriptor* Create(const std::wstring& manifest, Label name, IXMLReader& reader, const XMLElement& node);

    // The job loading manifest (its name without ".xml"), with one reference for the caller, who
    // releases it. A manifest requested before gives its existing job, finished or not. After Stop
    // the job comes back cancelled.
    LoadingJob* Request(const std::wstring& manifest, bool cacheListings);
    // Requests the manifest and polls every 5 ms until its job has finished. With progress: each
    // poll cancels the job when progress asks for it, then reports the job's progress to it. A
    // manifest that cannot be opened returns normally (its resources are missing); an error raised
    // while reading it (a duplicate resource name, broken XML, a failing factory) is raised here.
    // A resource that fails is left out and the manifest's later resources still load (the first
    // such error is the one raised); broken XML ends the reading where it is found.
    void LoadAndWait(const std::wstring& manifest, bool cacheListings, IResourceLoadProgress* progress);

    // What failed to load, as the loader met it: the manifest (its name without ".xml"), the tag of
    // the declaration whose resource could not be made (empty when the manifest itself could not be
    // read: missing, or its XML broken), and the error's text, which names the file, the line and
    // the reason.
    struct Failure
    {
        std::wstring manifest;
        std::wstring element;
        std::string message;
    };
    // Every failure met since the last call, oldest first; each was also written to the debug
    // output when it happened. Any thread.
    std::vector<Failure> TakeFailures();

    // Shut-down: cancels every queued job and the one being read, ends and joins the loader
    // thread, then releases every resource. Later requests come back cancelled. Main thread.
    void Stop();

    // The typed lookup: the resource named name, when it is a T. For a plain value T is
    // Internal::ValueWrapper<V> (read handle->value); for a loaded object, T is the object's type.
    template <typename T> static ResourceHandle<T> Get(Label name)
    {
        IResourceDescriptor* descriptor = Instance()->Find(name);
        return {descriptor, dynamic_cast<T*>(descriptor)};
    }
    template <typename T> static ResourceHandle<T> Get(const char* name) { return Get<T>(Label(name)); }
    template <typename T> static ResourceHandle<T> Get(const std::wstring& name) { return Get<T>(Label(name)); }
    // The value of the value resource named name, or fallback when there is none of type V.
    template <typename V> static V GetValue(Label name, const V& fallback)
    {
        const ResourceHandle<Internal::ValueWrapper<V>> handle = Get<Internal::ValueWrapper<V>>(name);
        return handle ? handle->value : fallback;
    }

    // The loader thread's body.
    void Run() override;

private:
    ResourceManager();

    // A job taken from the queue: its downloads are started, or its manifest is read at once.
    void TakeUp(LoadingJob& job);
    // A reader over the job's manifest; null (the job failed) when it cannot be opened.
    std::unique_ptr<IXMLReader> OpenManifest(LoadingJob& job);
    // Reads the job's manifest, entering its resources; with keepExisting, resources this manifest
    // entered already (built after their downloads) are passed over.
    void Load(LoadingJob& job, bool keepExisting);
    // The reading of Load, node by node; the first failure, if any.
    std::exception_ptr ReadManifest(LoadingJob& job, IXMLReader& reader, bool keepExisting);
    // One node of the manifest: a resource declaration is built (and its element consumed).
    void ReadNode(LoadingJob& job, IXMLReader& reader, const XMLElement& node, bool keepExisting);
    // Writes a failure of manifest (in the declaration element, or the manifest itself when empty)
    // to the debug output and keeps it for TakeFailures.
    void ReportFailure(const std::wstring& manifest, const std::wstring& element, const std::exception_ptr& failure);
    void KeepFailure(Failure failure);
    // Whether the declaration of name in manifest is to be built: an entry of the same manifest is
    // replaced, or kept (false) with keepExisting; one of another manifest raises RuntimeError.
    bool ClaimName(const std::wstring& manifest, Label name, bool keepExisting);
    IResourceFactory* FindFactory(const std::wstring& elementName);

    // The dependency pass: asks the factories for every resource's data files and requests the
    // ones the file source must download. True when it started any.
    bool FindDownloads(LoadingJob& job, FileSource& source);
    // Follows the downloading jobs: builds the resources whose files have arrived and, once none
    // waits, reads the rest of the manifest.
    void ServiceDownloads();
    // True when the job has left the downloads (read, failed or cancelled).
    bool Service(LoadingJob& job);
    // Builds one resource with the factory of its tag; the element is consumed.
    void Build(const std::wstring& manifest, Label name, IXMLReader& reader, const XMLElement& node);
    bool IsStopping();

    std::unique_ptr<IMutex> mLock;
    std::unique_ptr<IThreadSignal> mWakeUp;
    std::unique_ptr<IThread> mThread;
    std::map<std::wstring, std::unique_ptr<IResourceFactory>> mFactories;
    std::unordered_map<Label, std::shared_ptr<IResourceDescriptor>> mResources;
    std::deque<LoadingJob*> mQueue;
    // Jobs waiting for their downloads, each with a reference of the loader's own.
    std::vector<LoadingJob*> mActive;
    // Every job ever requested, each with one reference of the map's own.
    std::map<std::wstring, LoadingJob*> mJobs;
    std::vector<Failure> mFailures;
    bool mStop = false;
    // Stop has ended the loader.
    bool mStopped = false;
    Internal::OwnedSingletonDestructor<ResourceManager>* mTeardown = nullptr;
};
} // namespace Corvane
