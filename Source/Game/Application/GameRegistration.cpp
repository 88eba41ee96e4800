#include "Game/Application/GameRegistration.h"

#include "Game/Data/GameDataRegistration.h"
#include "SceneGraph/FixedListNode.h"
#include "SceneGraph/SceneGraphRegistration.h"

void RegisterGameTypes()
{
    RegisterSceneResourceFactories();
    RegisterSceneNodeTypes();
    // The game's own node types.
    RegisterNodeFactory(L"fixedlistnode", new FixedListNodeFactory);
    RegisterRecordFactories();
    RegisterHandReadRecordFactories();
}
