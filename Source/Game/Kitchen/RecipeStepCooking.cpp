// A recipe step's cooking: the progress of each update, and the end of cooking with the flight of
// the ingredient into the dish.
#include "Game/Kitchen/RecipeStep.h"
#include "Game/Data/TuningValue.h"

#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Framework/SelfDestructTask.h"
#include "Framework/SerialTask.h"
#include "Framework/SimpleFunctionTask.h"
#include "Framework/TimedTask.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/FlameMeter.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/PowerUpManager.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Graphics/Image.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/ParticleSystemNode.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneLayout.h"

#include <algorithm>
#include <numbers>
#include <vector>

using namespace Corvane;

namespace
{
// The trail of the flying ingredient rises (y points down the screen).
constexpr float kTrailAngle = 270.0f * std::numbers::pi_v<float> / 180.0f;
constexpr float kTrailSpeed = 100.0f;
constexpr float kTrailScale = 0.5f;
constexpr float kTrailRate = 100.0f;

// How fast a category cooks: passive, active minimum and maximum (per second) and the active
// acceleration (per second squared). All 0 for an unknown category or without a level.
struct CookingRates
{
    float passive = 0.0f;
    float activeMin = 0.0f;
    float activeMax = 0.0f;
    float accel = 0.0f;
};

CookingRates RatesFor(int category)
{
    const GameMode* game = GameMode::GetCurrent();
    const KitchenLevelData* level = game ? game->GetLevelData() : nullptr;
    if (!level)
        return {};
    switch (category)
    {
    case kCategoryVegetable:
        return {level->V_PassiveRate, level->V_ActiveRateMin, level->V_ActiveRateMax, TuningValue("ActiveProgressAccel_V")};
    case kCategoryMeat:
        return {level->M_PassiveRate, level->M_ActiveRateMin, level->M_ActiveRateMax, TuningValue("ActiveProgressAccel_M")};
    case kCategoryFlavoring:
        return {level->F_PassiveRate, level->F_ActiveRateMin, level->F_ActiveRateMax, TuningValue("ActiveProgressAccel_F")};
    default:
        return {};
    }
}

} // namespace

void RecipeStep::OnUpdate(float dt)
{
    if (mState == kCooking)
        AdvanceProgress(dt);
}

void RecipeStep::AdvanceProgress(float dt)
{
    const CookingRates rates = RatesFor(mData.category);
    float increment = 0.0f;
    if (IsActivelyWorked())
    {
        mActiveTime += dt;
        const float lo = rates.activeMin * dt;
        const float hi = rates.activeMax * dt;
        increment = std::min(hi, std::max(rates.accel * mActiveTime * dt, lo));
        CookingStation* station = FindStation();
        auto* display = station ? dynamic_cast<ActionStepDisplay*>(station->GetStepDisplay()) : nullptr;
        if (increment == hi && display)
            display->PlaySpeedUpMax();
        if (PowerUpManager* powerUps = GetPowerUpManager())
            increment *= powerUps->GetProgressMultiplier();
        // The cook is busy here: the flames wait for the next pause.
        if (station && station->GetFlameMeter())
            station->GetFlameMeter()->StartInteractionWait();
    }
    else
    {
        mActiveTime = 0.0f;
        increment = rates.passive * dt;
    }
    mProgress += increment;
    if (mProgress >= kCompleteProgress)
        StartFinishing();
}

void RecipeStep::StartFinishing()
{
    if (mData.displayIndex != -1)
        StartFlight();
    GetTasks().Add(new SimpleFunctionTask<RecipeStep>([](RecipeStep* step, float) { step->Complete(); }));
    CookingStation* station = FindStation();
    QueueFinishedTips();
    AddScore(station ? station->GetFlameScore() : 0, true);
    if (ScoreManager* score = GetScoreManager())
    {
        score->OnStepCompleted();
        if (station)
            station->ShowChainPopup(score->GetComboPoints());
        AddDishPoints(score->GetComboPoints());
    }
    mState = kFinishing;
}

void RecipeStep::StartFlight()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    SceneNode* fx = FindNodeInCurrentScene(ScreenPaths::Kitchen::kFXLayer);
    const SceneLayout* layout = SceneLayout::Find(Label("ParticleFeedbackNodeLayout"));
    SceneNode* root = layout && fx && database ? layout->Instantiate(fx, database) : nullptr;
    if (!root)
    {
        // Nothing can fly: the ingredient goes straight into the dish.
        if (GameMode* game = GameMode::GetCurrent())
            game->AddDishIngredient(mIngredient, mIngredientSlot);
        return;
    }
    const CookingStation* station = FindStation();
    const std::vector<Vector2<float>> starts =
        ResourceManager::GetValue<std::vector<Vector2<float>>>(Label("AddIngredientParticle_StartPositions"), {});
    const int slot = station ? station->GetSlot() : -1;
    // A list shorter than the stations is not read past its end: the flight starts at the station.
    Vector2<float> start{0.0f, 0.0f};
    if (slot >= 0 && static_cast<std::size_t>(slot) < starts.size())
        start = starts[static_cast<std::size_t>(slot)];
    else if (station && station->GetNode())
        start = station->GetNode()->GetWorldPosition();
    root->SetWorldPosition(start);

    if (SceneNode* bounds = root->FindByPath({"boundsNode"}))
    {
        auto* trail = new ConformingParticleSystemNode(
            bounds, ResourceManager::Get<IImage>(Label("ProgressSpeedParticle")).Get(), ColorF{1.0f, 1.0f, 1.0f, 0.7f},
            ColorF{1.0f, 1.0f, 1.0f, 0.0f}, kTrailScale, kTrailScale, kTrailRate);
        trail->mBaseAngle = kTrailAngle;
        trail->mMinSpeed = kTrailSpeed;
        trail->mMaxSpeed = kTrailSpeed;
        trail->RegisterTree(database);
        trail->SetParent(root);
    }

    CuePoint* inDish = CuePoint::Create();
    const Label ingredient = mIngredient;
    const int ingredientSlot = mIngredientSlot;
    const Vector2<float> dest = ResourceManager::GetValue<Vector2<float>>(Label("AddIngredientParticle_Dest"), start);
    root->GetTasks().Add(new TimedTask(TuningValue("AddIngredientParticle_StartPauseTime")));
    root->GetTasks().Add(new NodeLocationTask(dest, TuningValue("AddIngredientParticle_Time")));
    root->GetTasks().Add(new TimedTask(TuningValue("AddIngredientParticle_PauseTime")));
    root->GetTasks().Add(new SimpleFunctionTask<SceneNode>([ingredient, ingredientSlot](SceneNode*, float) {
        if (GameMode* game = GameMode::GetCurrent())
            game->AddDishIngredient(ingredient, ingredientSlot);
    }));
    root->GetTasks().Add(new CuePointTask(inDish));
    root->GetTasks().Add(new SelfDestructTask);
    GetTasks().Add(new CuePointTask(inDish));
}
