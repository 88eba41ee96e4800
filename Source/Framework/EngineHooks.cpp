#include "Framework/EngineHooks.h"

#include "Framework/CustomCursor.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueResources.h"
#include "Widgets/ObjectFactory.h"

namespace Corvane::Internal
{
namespace
{
// The steps of the engine's own services; the rest are installed by their owners.
EngineHooks MakeEngineHooks()
{
    EngineHooks hooks;
    hooks.registerValueResourceFactories = [] { RegisterValueResourceFactories(); };
    hooks.registerObjectFactories = [] { RegisterObjectFactories(); };
    // Stopping never creates the manager; it cancels the queue and joins the loader thread. The
    // custom cursor's image is one of the resources released: the cursor lets go of it.
    hooks.stopResourceManager = [] {
        if (ResourceManager* manager = ResourceManager::InstanceIfCreated())
            manager->Stop();
        SetCustomCursor(nullptr, GetCustomCursor().hotSpot);
    };
    hooks.stopWorkerThreads = hooks.stopResourceManager;
    hooks.drawCustomCursor = [] { DrawCustomCursor(); };
    return hooks;
}
} // namespace

EngineHooks& GetEngineHooks()
{
    static EngineHooks hooks = MakeEngineHooks();
    return hooks;
}
} // namespace Corvane::Internal
