#include "Game/Kitchen/KitchenText.h"

#include "SceneGraph/SceneNode.h"
#include "Widgets/IText.h"

void SetNodeText(SceneNode* base, const NodePath& path, const std::wstring& text)
{
    if (auto* node = base ? dynamic_cast<Corvane::IText*>(base->FindByPath(path)) : nullptr)
        node->SetText(text);
}
