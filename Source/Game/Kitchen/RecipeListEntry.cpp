#include "Game/Kitchen/RecipeListEntry.h"

#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Framework/SerialTask.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Kitchen/KitchenText.h"
#include "Game/Kitchen/RecipeList.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/NodePath.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <cmath>

using namespace Corvane;

namespace
{
// Two requests stand this much higher, so that both fit the row.
constexpr float kTwoRequestsRaise = 8.0f;

const NodePath kText1{"StepText_1"};
const NodePath kText2{"StepText_2"};
const NodePath kIcon{"IngredIcon"};
const NodePath kKeyStepIcon{"KeyStepIcon"};
const NodePath kComponentText{"ComponentText"};

// The icon of a category in the step icon lists: vegetable 0, flavouring 1, meat 2; -1 for none.
int IconIndex(int category)
{
    switch (category)
    {
    case kCategoryVegetable:
        return 0;
    case kCategoryFlavoring:
        return 1;
    case kCategoryMeat:
        return 2;
    default:
        return -1;
    }
}

void SetTextColour(SceneNode* node, const ColorF& colour)
{
    if (auto* text = dynamic_cast<StyledTextSpriteNode*>(node))
    {
        TextStyle style = text->GetStyle();
        style.color = colour;
        text->SetStyle(style);
    }
}

ColorF Colour(const char* name)
{
    return ResourceManager::GetValue<ColorF>(Label(name), ColorF{0.0f, 0.0f, 0.0f, 1.0f});
}
} // namespace

RecipeListEntry::RecipeListEntry(ObjectID step, bool header) : mStep(step), mHeader(header) {}

Label RecipeListEntry::Group()
{
    static const Label group("Recipe_ListEntry");
    return group;
}

Label RecipeListEntry::GetGroup() const
{
    return Group();
}

RecipeStep* RecipeListEntry::GetStep() const
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<RecipeStep*>(database->Get(mStep)) : nullptr;
}

SceneNode* RecipeListEntry::CreateNode()
{
    // Without its layout the row still takes its place and flies.
    return SceneLayout::InstantiateOrBare(Label(mHeader ? "ListEntry_HeaderLayout" : "ListEntryLayout"), Label("ListEntry"));
}

void RecipeListEntry::OnAttached()
{
    SceneNode* root = GetNode();
    const RecipeStep* step = GetStep();
    if (!root || !step)
        return;
    const RecipeStepData& data = step->GetData();
    SetNodeText(root, kText1, LocalizedText::GetAttributeLabelText(data.attRequest1.c_str()));
    SetNodeText(root, kText2, LocalizedText::GetAttributeLabelText(data.attRequest2.c_str()));
    if (data.attRequest2)
        for (const NodePath* path : {&kText1, &kText2})
            if (SceneNode* text = root->FindByPath(*path))
                text->SetPosition(text->GetPosition().x, text->GetPosition().y - kTwoRequestsRaise);
    ShowIconAndColours();
    if (SceneNode* key = root->FindByPath(kKeyStepIcon))
        key->SetVisible(data.displayIndex != -1);
    if (!mHeader)
        return;
    SceneNode* component = root->FindByPath(kComponentText);
    SetNodeText(root, kComponentText, LocalizedText::GetComponentText(data.group));
    const std::vector<ColorF> colours =
        ResourceManager::GetValue<std::vector<ColorF>>(Label("DishComponent_Color"), {});
    RecipeList* list = FindRecipeList();
    const int slot = list ? list->GetComponentColorIndex(*step) : 0;
    // A colour list shorter than the slots leaves the layout's colour.
    if (slot >= 0 && static_cast<std::size_t>(slot) < colours.size())
        SetTextColour(component, colours[static_cast<std::size_t>(slot)]);
}

void RecipeListEntry::ShowIconAndColours()
{
    SceneNode* root = GetNode();
    const RecipeStep* step = GetStep();
    if (!root || !step)
        return;
    const int index = IconIndex(step->GetData().category);
    if (auto* icon = root->FindByPathAs<StaticSpriteNode>(kIcon); icon && index >= 0)
        icon->SetImageFromList(
            ResourceManager::Get<ImageList>(Label(mActive ? "StepIcons_Active" : "StepIcons_Inactive")).Get(), index);
    const ColorF colour = Colour(mActive ? "RecipeList_NormalColor" : "RecipeList_InactiveColor");
    SetTextColour(root->FindByPath(kText1), colour);
    SetTextColour(root->FindByPath(kText2), colour);
}

void RecipeListEntry::OnUpdate(float)
{
    const RecipeList* list = FindRecipeList();
    const RecipeStep* step = GetStep();
    SetActive(list && step && list->GetCurrentRecipe() == step->GetRecipe());
}

void RecipeListEntry::SetActive(bool active)
{
    if (active == mActive)
        return;
    mActive = active;
    ShowIconAndColours();
}

int RecipeListEntry::GetHeight() const
{
    return ResourceManager::GetValue<int>(Label(mHeader ? "RecipeListVSpacing_Header" : "RecipeListVSpacing_Normal"),
                                          0);
}

void RecipeListEntry::MoveTo(int y)
{
    SceneNode* node = GetNode();
    // A row on its way to a station keeps flying.
    if (!node || !GetTasks().IsEmpty())
        return;
    node->GetTasks().EndAll();
    const Vector2<float> target{0.0f, static_cast<float>(y)};
    const Vector2<float> from = node->GetPosition();
    const float distance = std::hypot(target.x - from.x, target.y - from.y);
    const float speed = ResourceManager::GetValue<float>(Label("RecipeListItemListMoveSpeed"), 0.0f);
    // Without a speed the row jumps to its place.
    node->GetTasks().Add(new NodeLocationTask(target, speed > 0.0f ? distance / speed : 0.0f));
}

void RecipeListEntry::MoveToStation(const Vector2<float>& stationWorldPosition)
{
    SceneNode* node = GetNode();
    const float time = ResourceManager::GetValue<float>(Label("RecipeItemToStationTime"), 0.0f);
    CuePoint* arrival = CuePoint::Create();
    Vector2<float> target = stationWorldPosition;
    if (node && node->GetParent())
        target = node->WorldToLocalPosition(stationWorldPosition);
    if (node)
    {
        node->GetTasks().Add(new SerialTask(new NodeLocationTask(target, time), new CuePointTask(arrival)));
    }
    GetTasks().Add(new CuePointTask(arrival));
}
