#include "Game/Kitchen/FennikPlayfield.h"

#include "Framework/ObjectDatabase.h"
#include "Game/Data/NodePathTable.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/InGameDishDisplay.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeList.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneLayout.h"

#include <algorithm>

using namespace Corvane;

namespace
{
constexpr int kSlots = 4;

const NodePath& PlayerAttach()
{
    static const NodePath path = PathOf({"PlayerAttach"});
    return path;
}

const NodePath& RecipeListAttach()
{
    static const NodePath path = PathOf({"GameScreenRoot", "UI_attach", "List_Attach"});
    return path;
}

const NodePath& DishDisplay()
{
    static const NodePath path = PathOf({"GameScreenRoot", "UI_attach", "dishDisplay"});
    return path;
}
} // namespace

Label FennikPlayfield::Name()
{
    static const Label name("FennikPlayfield");
    return name;
}

Label FennikPlayfield::GetName() const
{
    return Name();
}

SceneNode* FennikPlayfield::CreateNode()
{
    const SceneLayout* layout = SceneLayout::Find(Label("FennikPlayfieldLayout"));
    SceneNode* root = layout ? layout->Instantiate(nullptr, nullptr) : nullptr;
    // Without its layout the playfield still holds the kitchen's objects.
    return root ? root : new SceneNode(Label("FennikPlayfield_Root"));
}

void FennikPlayfield::CreateStations(int numStations)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return;
    const int count = std::clamp(numStations, 0, kSlots);
    for (int i = 0; i < count; ++i)
        database->Add(new CookingStation(count >= kSlots ? i : i + 1));
    SceneNode* attach = GetNode() ? GetNode()->FindByPath(PlayerAttach()) : nullptr;
    database->Add(new PlayerAvatar(attach ? attach->GetWorldPosition() : Vector2<float>{0.0f, 0.0f}));
}

void FennikPlayfield::CreateInterface()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return;
    auto* list = new RecipeList;
    list->Attach(FindNodeInCurrentScene(RecipeListAttach()));
    for (ObjectID recipe : database->GetGroup(Recipe::Group()))
        list->AddRecipe(recipe);
    database->Add(new InGameDishDisplay);
}

void FennikPlayfield::ShowDishDisplay(bool show)
{
    SceneNode* display = FindNodeInCurrentScene(DishDisplay());
    if (!display)
        return;
    if (show)
        display->GetTasks().Add(new NodeVisibleTask(true));
    else
        display->SetVisible(false);
}

void FennikPlayfield::SetChainPopup(ObjectID popup)
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->Remove(mChainPopup);
    mChainPopup = popup;
}

FennikPlayfield* FindPlayfield()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<FennikPlayfield*>(database->FindByName(FennikPlayfield::Name())) : nullptr;
}
