// The bonuses a cooking station scores when its step takes an ingredient: flavour sets (several
// stations whose steps met the same requested flavour) and the level's classic ingredient combos.
#include "Game/Kitchen/CookingStation.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/TutorialManager.h"
#include "RandomStream.h"
#include "SceneGraph/SceneNode.h"

#include <algorithm>
#include <set>

using namespace Corvane;

namespace
{
constexpr float kFirstSetDelay = 1.0f;
constexpr float kSecondSetDelay = 2.0f;
constexpr int kVoiceSetSize = 3;
constexpr int kComboVoiceOdds = 5;

int CountMatched(const std::vector<CookingStation*>& stations, Label attribute)
{
    return static_cast<int>(std::count_if(stations.begin(), stations.end(), [attribute](const CookingStation* s) {
        return s->StepHasMatched(attribute);
    }));
}

void AddToScore(int points)
{
    if (ScoreManager* score = GetScoreManager())
        score->AddScore(points);
}

Label RecipeNameOf(const RecipeStep& step)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    const auto* recipe = database ? dynamic_cast<Recipe*>(database->Get(step.GetRecipe())) : nullptr;
    return recipe ? recipe->GetData().name : Label();
}
} // namespace

int CookingStation::ScoreIngredientBonuses()
{
    const RecipeStep* step = FindStep();
    if (!step)
        return 0;
    const Label requests[] = {step->GetRequest1(), step->GetRequest2()};
    const std::vector<CookingStation*> stations = FindCookingStations();
    const int multiplier = ResourceManager::GetValue<int>(Label("AttributeComboMultiplier"), 0);
    float delay = kFirstSetDelay;
    int bonus = 0;
    int largest = 0;
    for (int i = 0; i < 2; ++i)
    {
        if (!step->IsRequestMatched(i))
            continue;
        const int count = CountMatched(stations, requests[i]);
        largest = std::max(largest, count);
        if (count < 2)
            continue;
        bonus += count * multiplier;
        ShowAttributeSetPopup(count, delay, requests[i]);
        AddToScore(count * multiplier);
        delay = kSecondSetDelay;
    }
    if (largest >= kVoiceSetSize)
        GameAudioManager::GetInstance()->PlayVoice(Label("VO_Orvel_Set"));
    return bonus + ScoreClassicCombos(stations);
}

int CookingStation::ScoreClassicCombos(const std::vector<CookingStation*>& stations)
{
    const RecipeStep* step = FindStep();
    if (!step)
        return 0;
    std::set<Label> present;
    for (const CookingStation* station : stations)
        if (const Label ingredient = station->GetStepIngredient())
            present.insert(ingredient);

    const int multiplier = ResourceManager::GetValue<int>(Label("FlavorComboMultiplier"), 0);
    const Label recipe = RecipeNameOf(*step);
    LevelProgressManager* results = LevelProgressManager::Instance();
    int total = 0;
    int best = 0;
    Label shown;
    for (Label combo : results->GetCombosOfIngredient(step->GetIngredient()))
    {
        const IngredientComboData* data = ResourceManager::Get<IngredientComboData>(combo).Get();
        if (!data || !std::all_of(data->ingredients.begin(), data->ingredients.end(),
                                  [&present](Label ingredient) { return present.contains(ingredient); }))
            continue;
        const int value = static_cast<int>(data->ingredients.size()) * multiplier;
        total += value;
        AddToScore(value);
        results->RecordCombo(recipe, combo);
        if (value > best)
        {
            best = value;
            shown = combo;
        }
    }
    if (!shown || !GetNode())
        return total;

    QueueBonusTip(kTipClassicCombo);
    const Vector2<float> at = GetNode()->GetWorldPosition();
    if (FennikPlayfield* playfield = FindPlayfield())
    {
        const Vector2<float> offset =
            ResourceManager::GetValue<Vector2<float>>(Label("ClassicComboPopupOffset"), {0.0f, 0.0f});
        playfield->ShowClassicComboPopup(shown, at.x + offset.x, at.y + offset.y);
    }
    IRandomNumberStream* random = GetCurrentRandomStream();
    if (random && RandomInt(*random, 1, kComboVoiceOdds) == 1)
        GameAudioManager::GetInstance()->PlayVoice(Label("VO_Orvel_Combo"));
    return total;
}

void CookingStation::HighlightAttributeSet(Label attribute)
{
    for (ActionStepDisplay* display : LiveMembers<ActionStepDisplay>(ActionStepDisplay::Group()))
        if (display->IsRequestMatched(attribute))
            display->FlashRequest(attribute);
    if (SceneNode* node = GetNode())
        TutorialManager::Instance()->ShowTip(
            kTipFlavorSet, TutorialManager::PointAt(*node, ObjectPaths::CookingStation::kActionStepAttach));
}
