#include "Game/Application/GameRegistration.h"

#include "Game/Data/GameDataRegistration.h"
#include "SceneGraph/SceneGraphRegistration.h"

void RegisterGameTypes()
{
    RegisterSceneResourceFactories();
    RegisterSceneNodeTypes();
    RegisterRecordFactories();
    RegisterHandReadRecordFactories();
}
