#include "Game/Kitchen/FlavorPicture.h"

#include "Framework/ResourceManager.h"
#include "Graphics/IImage.h"
#include "SceneGraph/StaticSpriteNode.h"

using namespace Corvane;

void ShowFlavorPicture(SceneNode* icon, Label flavor, bool shown)
{
    auto* sprite = dynamic_cast<StaticSpriteNode*>(icon);
    if (!sprite)
        return;
    IImage* picture = flavor ? ResourceManager::Get<IImage>(Label::Format("FlavorIcon_%s", flavor.c_str())).Get() : nullptr;
    if (picture)
        sprite->SetImage(picture);
    sprite->SetVisible(shown && picture != nullptr);
}
