#include "SceneGraph/SceneGraphRegistration.h"

#include "Framework/ResourceManager.h"
#include "SceneGraph/RandomRange.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/SceneRef.h"

using namespace Corvane;

void RegisterSceneResourceFactories()
{
    ResourceManager* resources = ResourceManager::Instance();
    resources->RegisterFactory(L"scenelayout", new SceneLayoutResourceFactory);
    resources->RegisterFactory(L"randomrange", new RandomRangeResourceFactory);
}

void RegisterSceneNodeTypes()
{
    RegisterNodeFactory(L"sceneref", new SceneRefFactory);
    RegisterNodeFactory(L"scenenode", new BasicSceneNodeFactory);
}

void RegisterSceneGraphTypes()
{
    RegisterSceneResourceFactories();
    RegisterSceneNodeTypes();
}
