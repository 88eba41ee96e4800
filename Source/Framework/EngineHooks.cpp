#include "Framework/EngineHooks.h"

#include "Framework/CustomCursor.h"
#include "Framework/DownloadManager.h"
#include "Framework/FileSource.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueResources.h"
#include "Widgets/ObjectFactory.h"

namespace Corvane::Internal
{
// The steps of the engine's own services; the rest are installed by their owners.
EngineHooks DefaultEngineHooks()
{
    EngineHooks hooks;
    // Registers itself engine-wide and for teardown. Left uninitialised: files are read from the
    // program's folder unverified until an application initialises it with a download base.
    hooks.createFileSource = [] {
        if (!IFileSource::GetInstance())
            new FileSource;
    };
    hooks.registerValueResourceFactories = [] { RegisterValueResourceFactories(); };
    hooks.registerObjectFactories = [] { RegisterObjectFactories(); };
    // Stopping never creates the manager; it cancels the queue and joins the loader thread. The
    // custom cursor's image is one of the resources released: the cursor lets go of it.
    hooks.stopResourceManager = [] {
        if (ResourceManager* manager = ResourceManager::InstanceIfCreated())
            manager->Stop();
        SetCustomCursor(nullptr, GetCustomCursor().hotSpot);
    };
    hooks.shutdownDownloadManager = [] {
        if (DownloadManager* downloads = DownloadManager::InstanceIfCreated())
            downloads->Shutdown();
    };
    hooks.closeFileSource = [] {
        if (IFileSource* source = IFileSource::GetInstance())
            source->Close();
    };
    hooks.stopWorkerThreads = [stopResources = hooks.stopResourceManager,
                               stopDownloads = hooks.shutdownDownloadManager] {
        stopResources();
        stopDownloads();
    };
    hooks.drawCustomCursor = [] { DrawCustomCursor(); };
    return hooks;
}

EngineHooks& GetEngineHooks()
{
    static EngineHooks hooks = DefaultEngineHooks();
    return hooks;
}
} // namespace Corvane::Internal
