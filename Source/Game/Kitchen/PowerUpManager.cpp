#include "Game/Kitchen/PowerUpManager.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/GameEnumerations.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Kitchen/IngredientStepDisplay.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "SceneGraph/SceneNode.h"

#include <algorithm>
#include <vector>

using namespace Corvane;

namespace
{
Label ManagerName()
{
    static const Label name("POWERUP_MANAGER");
    return name;
}

bool MeetsRequest(const CookingIngredient& ingredient, Label request)
{
    return !request || ingredient.GetAttributeValue(request.c_str()) != 0;
}

// The pantry category each shuffle empties: meats, flavourings, vegetables.
int ShuffledCategory(PowerUpType type)
{
    switch (type)
    {
    case PowerUpType::Shuffle_M: return kCategoryMeat;
    case PowerUpType::Shuffle_F: return kCategoryFlavoring;
    default: return kCategoryVegetable;
    }
}

// The slot of a type that has charges, or -1.
int Slot(PowerUpType type)
{
    const int slot = static_cast<int>(type);
    return slot >= 0 && slot < kPowerUpTypeCount ? slot : -1;
}
} // namespace

Label PowerUpManager::GetName() const
{
    return ManagerName();
}

void PowerUpManager::AddCharge(PowerUpType type)
{
    if (const int slot = Slot(type); slot >= 0)
        ++mCounts[static_cast<std::size_t>(slot)];
}

int PowerUpManager::GetCount(PowerUpType type) const
{
    const int slot = Slot(type);
    return slot >= 0 ? mCounts[static_cast<std::size_t>(slot)] : 0;
}

void PowerUpManager::Use(PowerUpType type)
{
    // The buttons are disabled at 0 only in the next update: a second click in between finds no
    // charge and does nothing.
    if (GetCount(type) <= 0)
        return;
    --mCounts[static_cast<std::size_t>(Slot(type))];
    switch (type)
    {
    case PowerUpType::Skills: StartProgressBoost(); break;
    case PowerUpType::HilightAtt: StartAttributeHighlight(); break;
    case PowerUpType::HilightCombo: StartComboHighlight(); break;
    default:
        if (IngredientPantry* pantry = FindPantry())
            pantry->ShuffleCategory(ShuffledCategory(type));
        break;
    }
}

float PowerUpManager::GetProgressMultiplier() const
{
    return mBoost ? ResourceManager::GetValue<float>(Label("PowerUp_ProgressMultiplier"), 1.0f) : 1.0f;
}

void PowerUpManager::RestartTimer(Label timer, const char* seconds, void (PowerUpManager::*end)())
{
    EndTasks(timer);
    AddTask(timer, new SerialTask(new TimedTask(ResourceManager::GetValue<float>(Label(seconds), 0.0f)),
                                  new CallTask<PowerUpManager>([end](PowerUpManager* manager) { (manager->*end)(); })));
}

void PowerUpManager::StartProgressBoost()
{
    mBoost = true;
    RestartTimer(Label("SkillsTimer"), "PowerUpActiveTime_Progress", &PowerUpManager::EndProgressBoost);
    if (PlayerAvatar* avatar = FindPlayerAvatar())
        avatar->SetSpeedUpEffect(true);
}

void PowerUpManager::EndProgressBoost()
{
    mBoost = false;
    if (PlayerAvatar* avatar = FindPlayerAvatar())
        avatar->SetSpeedUpEffect(false);
}

void PowerUpManager::StartAttributeHighlight()
{
    mAttributeHighlight = true;
    for (ActionStepDisplay* display : LiveMembers<ActionStepDisplay>(ActionStepDisplay::Group()))
        display->FlashHighlight(true, true);
    for (IngredientStepDisplay* display : LiveMembers<IngredientStepDisplay>(IngredientStepDisplay::Group()))
        display->FlashRequests(true);
    RestartTimer(Label("HilightAttributeTimer"), "PowerUpActiveTime_HilightAtt",
                 &PowerUpManager::EndAttributeHighlight);
}

void PowerUpManager::EndAttributeHighlight()
{
    mAttributeHighlight = false;
    HighlightBinsForRequests(false, Label(), Label(), 0);
    for (ActionStepDisplay* display : LiveMembers<ActionStepDisplay>(ActionStepDisplay::Group()))
        display->FlashHighlight(false, true);
    for (IngredientStepDisplay* display : LiveMembers<IngredientStepDisplay>(IngredientStepDisplay::Group()))
        display->FlashRequests(false);
}

void PowerUpManager::StartComboHighlight()
{
    mComboHighlight = true;
    for (ActionStepDisplay* display : LiveMembers<ActionStepDisplay>(ActionStepDisplay::Group()))
        display->FlashHighlight(true, false);
    RestartTimer(Label("HilightComboTimer"), "PowerUpActiveTime_HilightCombo", &PowerUpManager::EndComboHighlight);
}

void PowerUpManager::EndComboHighlight()
{
    mComboHighlight = false;
    for (ActionStepDisplay* display : LiveMembers<ActionStepDisplay>(ActionStepDisplay::Group()))
        display->FlashHighlight(false, false);
    HighlightBinsForCombos(false, Label());
}

void PowerUpManager::HighlightBinsForRequests(bool on, Label request1, Label request2, int category)
{
    if (on && !mAttributeHighlight)
        return;
    for (IngredientBin* bin : LiveMembers<IngredientBin>(IngredientBin::Group()))
    {
        if (!on)
        {
            bin->SetAttributeHighlight(false);
            continue;
        }
        const CookingIngredient* ingredient = bin->GetIngredient();
        if (ingredient && ingredient->GetCategory() == category && MeetsRequest(*ingredient, request1) &&
            MeetsRequest(*ingredient, request2))
            bin->SetAttributeHighlight(true);
    }
}

void PowerUpManager::HighlightBinsForCombos(bool on, Label ingredient)
{
    if (on && !mComboHighlight)
        return;
    std::vector<const IngredientComboData*> combos;
    if (on)
        for (Label combo : LevelProgressManager::Instance()->GetCombosOfIngredient(ingredient))
            if (const IngredientComboData* data = ResourceManager::Get<IngredientComboData>(combo).Get())
                combos.push_back(data);
    for (IngredientBin* bin : LiveMembers<IngredientBin>(IngredientBin::Group()))
    {
        if (!on)
        {
            bin->SetComboHighlight(false);
            continue;
        }
        const CookingIngredient* held = bin->GetIngredient();
        const Label name = held ? held->GetIngredientName() : Label();
        if (!held || name == ingredient)
            continue;
        if (std::any_of(combos.begin(), combos.end(), [name](const IngredientComboData* combo) {
                return std::find(combo->ingredients.begin(), combo->ingredients.end(), name) !=
                       combo->ingredients.end();
            }))
            bin->SetComboHighlight(true);
    }
}

void PowerUpManager::ClearHoveredDisplay(ObjectID step)
{
    if (step == kNoObject || step != mHovered)
        return;
    HighlightBinsForRequests(false, Label(), Label(), 0);
    HighlightBinsForCombos(false, Label());
    mHovered = kNoObject;
}

PowerUpManager* FindPowerUpManager()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<PowerUpManager*>(database->FindByName(ManagerName())) : nullptr;
}

void ConnectPowerUpHover(SceneNode* node, ObjectID step, std::function<void(PowerUpManager&, bool on)> highlight)
{
    if (!node)
        return;
    const auto hover = [step, highlight](bool on) {
        if (PowerUpManager* manager = GetPowerUpManager())
        {
            highlight(*manager, on);
            manager->SetHoveredDisplay(on ? step : kNoObject);
        }
    };
    node->Signals().MouseEnter.connect([hover](SceneNode*) { hover(true); });
    node->Signals().MouseLeave.connect([hover](SceneNode*) { hover(false); });
    // Removed with the level's screen too: the manager is only looked for, never made then.
    node->Signals().Removed.connect([step](SceneNode*) {
        if (PowerUpManager* manager = FindPowerUpManager())
            manager->ClearHoveredDisplay(step);
    });
}

PowerUpManager* GetPowerUpManager()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return nullptr;
    if (auto* found = dynamic_cast<PowerUpManager*>(database->FindByName(ManagerName())))
        return found;
    database->Add(new PowerUpManager);
    return dynamic_cast<PowerUpManager*>(database->FindByName(ManagerName()));
}
