#include "Game/Kitchen/IngredientNamePopup.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/NodePathTable.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <algorithm>

using namespace Corvane;

namespace
{
const NodePath kTag = PathOf({"bubbleBG"});
const NodePath kName = PathOf({"bubbleBG", "IngredientName"});
// The tag is this much wider than the name: 10 on either side.
constexpr float kTagMargin = 20.0f;

// start moved the least distance that puts [start, start + size] within [low, high]; a size too
// large for the span starts at low.
float Within(float start, float size, float low, float high)
{
    return std::max(low, std::min(start, high - size));
}
} // namespace

void PlaceIngredientNamePopup(SceneNode& popup, Label ingredient, const Vector2<float>& corner, const Rect<float>& area)
{
    auto* name = popup.FindByPathAs<StyledTextSpriteNode>(kName);
    SceneNode* tag = popup.FindByPath(kTag);
    if (name)
        name->SetText(LocalizedText::GetDisplayText(ingredient.c_str()));
    if (tag && name)
    {
        tag->SetSize(name->SceneNode::GetWidth() + kTagMargin, tag->GetHeight());
        tag->MarkDirty(kDirtyPosition);
    }
    const auto offset = ResourceManager::GetValue<Vector2<float>>(Label("PantryItemPopupOffset"), {0.0f, 0.0f});
    Vector2<float> at{corner.x + offset.x, corner.y + offset.y};
    if (tag)
    {
        // The tag's corner is where it stands within the popup.
        const Vector2<float> inside = tag->GetPosition();
        at.x = Within(at.x + inside.x, tag->GetWidth(), area.x, area.x + area.width) - inside.x;
        at.y = Within(at.y + inside.y, tag->GetHeight(), area.y, area.y + area.height) - inside.y;
    }
    popup.SetWorldPosition(at);
}
