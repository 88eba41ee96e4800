#include "Game/Loading/MyResourceLoadTask.h"

#include "Framework/ResourceManager.h"

void MyResourceLoadTask::Run(Corvane::IResourceLoadProgress* progress)
{
    try
    {
        Corvane::ResourceManager::Instance()->LoadAndWait(mGroup, true, progress);
    }
    catch (...)
    {
        // The loader thread wrote the error to the debug output when it stopped reading the
        // manifest (once, however often the group is requested) and kept it for the loading
        // screen's report; the resources it entered before stay, and the game loads on without
        // the rest.
    }
}
