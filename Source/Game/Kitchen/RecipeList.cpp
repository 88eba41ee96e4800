#include "Game/Kitchen/RecipeList.h"

#include "Format.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/RepeatingTask.h"
#include "Framework/SerialTask.h"
#include "Framework/SimpleFunctionTask.h"
#include "Framework/TimedTask.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/FindLive.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Kitchen/KitchenText.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeListEntry.h"
#include "Game/Kitchen/RecipeStep.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/NodePath.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/SceneNode.h"

#include <algorithm>
#include <vector>

using namespace Corvane;

namespace
{
// Nothing is sent during the list's first second.
constexpr float kStartHold = 1.0f;
// The send button sways this far and back, half a second each way, to draw the eye.
constexpr float kButtonSway = 5.0f;
constexpr float kButtonSwayTime = 0.5f;
// Rows enter from below the list and slide up; rows added together enter one below the other, so
// that, all sliding at one speed, they never lie on top of each other.
constexpr float kEntryStartY = 400.0f;

const NodePath kButton{"NextStepButton"};
const NodePath kListField{"ListField"};
const NodePath kRemaining{"RemainingSteps"};
} // namespace

Label RecipeList::Name()
{
    static const Label name("RecipeList");
    return name;
}

Label RecipeList::GetName() const
{
    return Name();
}

SceneNode* RecipeList::CreateNode()
{
    // Without its layout the list still sends steps (through SendSteps).
    return SceneLayout::InstantiateOrBare(Label("RecipeListLayout"), Label("RecipeList_Root"));
}

void RecipeList::OnAttached()
{
    auto* button = GetNode()->FindByPathAs<ButtonNode>(kButton);
    if (!button)
        return;
    button->Clicked.connect([this](ButtonNode*) { SendSteps(); });
    const Vector2<float> home = button->GetPosition();
    button->GetTasks().Add(
        new RepeatingTask(new NodeLocationTask({home.x + kButtonSway, home.y}, kButtonSwayTime),
                          new NodeLocationTask(home, kButtonSwayTime)));
}

void RecipeList::AddRecipe(ObjectID recipe)
{
    if (const Recipe* found = FindLive<Recipe>(recipe))
        mPending.insert(mPending.end(), found->GetSteps().begin(), found->GetSteps().end());
}

void RecipeList::FillEntries()
{
    bool added = false;
    while (mEntries.size() < kMaxEntries && !mPending.empty())
    {
        const ObjectID step = mPending.front();
        mPending.pop_front();
        AddEntry(step);
        added = true;
    }
    if (added)
        Relayout();
}

void RecipeList::AddEntry(ObjectID stepID)
{
    const RecipeStep* step = FindLive<RecipeStep>(stepID);
    const Label key = step ? step->GetComponentKey() : Label();
    const bool header = mHeadedKeys.insert(key).second;
    if (header)
    {
        mColourSlots[key] = mNextColourSlot;
        mNextColourSlot = (mNextColourSlot + 1) % kColourSlots;
    }
    float startY = kEntryStartY;
    for (ObjectID id : mEntries)
        if (const RecipeListEntry* shown = GetEntry(id); shown && shown->GetNode())
            startY = std::max(startY, shown->GetNode()->GetPosition().y + static_cast<float>(shown->GetHeight()));
    auto* entry = new RecipeListEntry(stepID, header);
    SceneNode* field = GetNode() ? GetNode()->FindByPath(kListField) : nullptr;
    entry->Attach(field ? field : GetNode());
    mEntries.push_back(entry->GetID());
    if (SceneNode* node = entry->GetNode())
    {
        node->SendToBack();
        node->SetPosition(0.0f, startY);
    }
}

void RecipeList::Relayout()
{
    int y = 0;
    for (ObjectID id : mEntries)
        if (RecipeListEntry* entry = GetEntry(id))
        {
            if (entry->HasHeader() && y != 0)
                y += kHeaderGap;
            entry->MoveTo(y);
            y += entry->GetHeight();
        }
    SetNodeText(GetNode(), kRemaining, (Format(L"%1%") % static_cast<int>(mPending.size() + mEntries.size())).str());
}

RecipeListEntry* RecipeList::GetEntry(ObjectID id) const
{
    return FindLive<RecipeListEntry>(id);
}

RecipeStep* RecipeList::GetHeadStep() const
{
    const RecipeListEntry* head = mEntries.empty() ? nullptr : GetEntry(mEntries.front());
    return head ? head->GetStep() : nullptr;
}

ObjectID RecipeList::GetNextRecipe() const
{
    const RecipeStep* step = GetHeadStep();
    return step ? step->GetRecipe() : kNoObject;
}

int RecipeList::GetComponentColorIndex(const RecipeStep& step)
{
    return mColourSlots[step.GetComponentKey()];
}

void RecipeList::UpdateCurrentRecipe()
{
    if (mBusy || mEntries.empty())
        return;
    const Recipe* current = FindLive<Recipe>(mCurrentRecipe);
    if (!current || current->IsDone())
    {
        const ObjectID next = GetNextRecipe();
        if (next != mCurrentRecipe)
        {
            mCurrentRecipe = next;
            if (IngredientPantry* pantry = FindPantry())
                pantry->Restock();
            for (CookingStation* station : FindCookingStations())
                station->ResetFlames();
            // A new dish: its components get headers again.
            mHeadedKeys.clear();
        }
    }
    if (GameMode* game = GameMode::GetCurrent())
        game->RefreshDishDisplay();
}

void RecipeList::OnUpdate(float)
{
    UpdateCurrentRecipe();
    FillEntries();
    if (!mStarted)
    {
        Relayout();
        GetTasks().Add(new TimedTask(kStartHold));
        mStarted = true;
    }
    if (auto* button = GetNode() ? GetNode()->FindByPathAs<ButtonNode>(kButton) : nullptr)
        button->SetEnabled(!mEntries.empty() && CanSendFirstEntry());
}

bool RecipeList::CanSendFirstEntry()
{
    if (mEntries.empty() || mBusy || !GetTasks().IsEmpty())
        return false;
    const RecipeStep* head = GetHeadStep();
    if (!head)
        return false;
    const std::vector<CookingStation*> stations = FindCookingStations();
    std::size_t free = 0;
    for (const CookingStation* station : stations)
        free += station->IsFree() ? 1 : 0;
    if (head->GetRecipe() == mCurrentRecipe)
        return free > 0;
    const Recipe* current = FindLive<Recipe>(mCurrentRecipe);
    return current && current->IsDone() && free == stations.size();
}

void RecipeList::SendSteps()
{
    while (CanSendFirstEntry())
    {
        CookingStation* station = nullptr;
        for (CookingStation* candidate : FindCookingStations())
            if (candidate->IsFree())
            {
                station = candidate;
                break;
            }
        RecipeListEntry* entry = GetEntry(mEntries.front());
        // A kitchen without stations sends nothing, even a dish whose steps are all done.
        if (!station || !entry)
            break;
        GameAudioManager::GetInstance()->PlaySound(Label("SFX_RecipeStepToStation"));
        entry->MoveToStation(station->GetNode() ? station->GetNode()->GetWorldPosition() : Vector2<float>{});
        mEntries.pop_front();
        station->ReceiveStep(entry->GetStepID());
        station->ShowStepArea(false);
        const ObjectID stationID = station->GetID();
        entry->GetTasks().Add(new SimpleFunctionTask<RecipeListEntry>([stationID](RecipeListEntry* arrived, float) {
            if (auto* target = FindLive<CookingStation>(stationID))
                target->ShowStepArea(true);
            arrived->RemoveFromDatabase();
        }));
        Relayout();
    }
}

RecipeList* FindRecipeList()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<RecipeList*>(database->FindByName(RecipeList::Name())) : nullptr;
}
