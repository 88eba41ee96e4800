#include "Game/Kitchen/PlayerAvatar.h"

#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/GameConstants.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Kitchen/CookingStation.h"
#include "Graphics/IImage.h"
#include "RandomStream.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/ParticleSystemNode.h"
#include "SceneGraph/SceneLayout.h"

#include <cmath>
#include <numbers>

using namespace Corvane;
namespace Paths = ObjectPaths::PlayerAvatar;

namespace
{
constexpr float kRightSide = 400.0f;

float Radians(float degrees)
{
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

CookingStation* FindStation(ObjectID id)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<CookingStation*>(database->Get(id)) : nullptr;
}
} // namespace

Label PlayerAvatar::Name()
{
    static const Label name("PlayerAvatar");
    return name;
}

Label PlayerAvatar::GetName() const
{
    return Name();
}

Label PlayerAvatar::IdleTimerName()
{
    static const Label name("IdleTimerTask");
    return name;
}

SceneNode* PlayerAvatar::CreateNode()
{
    return SceneLayout::InstantiateOrBare(Label("PlayerAvatarLayout"), Label("PlayerAvatar_Root"));
}

SceneNode* PlayerAvatar::Child(const NodePath& path) const
{
    return GetNode() ? GetNode()->FindByPath(path) : nullptr;
}

AnimatedSpriteNode* PlayerAvatar::Figure() const
{
    return dynamic_cast<AnimatedSpriteNode*>(Child(Paths::kAnimation));
}

bool PlayerAvatar::IsOnRightSide()
{
    return GetNode() && GetNode()->GetWorldPosition().x > kRightSide;
}

void PlayerAvatar::WalkTo(ObjectID station, bool instant)
{
    if (station == mAtStation || station == mWalkingTo)
        return;
    // A station that no longer resolves gives no place to walk to.
    CookingStation* target = FindStation(station);
    SceneNode* root = GetNode();
    if (!target || !target->GetNode() || !root)
        return;
    if (CookingStation* left = FindStation(mAtStation))
        left->OnAvatarLeft();
    root->GetTasks().EndAll();
    mAtStation = kNoObject;
    mWalkingTo = station;

    const Vector2<float> to = target->GetNode()->GetWorldPosition();
    const Vector2<float> from = root->GetWorldPosition();
    const float speed = static_cast<float>(ResourceManager::GetValue<int>(Label("AvatarMovementSpeed"), 0));
    const float distance = std::hypot(to.x - from.x, to.y - from.y);
    const float duration = speed > 0.0f ? distance / speed : 0.0f;

    EndIdleTimer();
    if (AnimatedSpriteNode* figure = Figure())
        figure->PlayAnimation(Label("Walk"));
    if (instant)
        root->SetPosition(to.x, 0.0f);
    else
        root->GetTasks().Add(new NodeLocationTask({to.x, 0.0f}, duration));
    const ObjectID self = GetID();
    root->GetTasks().Add(new CallTask<SceneNode>([self, station](SceneNode*) {
        if (ObjectDatabase* database = ObjectDatabase::Current())
            if (auto* avatar = dynamic_cast<PlayerAvatar*>(database->Get(self)))
                avatar->ArriveAt(station);
    }));
}

void PlayerAvatar::ArriveAt(ObjectID station)
{
    if (AnimatedSpriteNode* figure = Figure())
        figure->PlayAnimation(Label("Stand"));
    StartIdleTimer();
    mWalkingTo = kNoObject;
    mAtStation = station;
    if (CookingStation* arrived = FindStation(station))
        arrived->OnAvatarArrived();
}

void PlayerAvatar::StartIdleTimer()
{
    AnimatedSpriteNode* figure = Figure();
    if (!figure)
        return;
    // One idle timer at a time: a new one replaces the one running.
    figure->EndTasks(IdleTimerName());
    IRandomNumberStream* random = GetCurrentRandomStream();
    const float u = random ? random->NextFloat() : 0.0f;
    const float delay = ResourceManager::GetValue<float>(Label("PlayerAnim_IdleDelayTime_Min"), 0.0f) +
                        u * ResourceManager::GetValue<float>(Label("PlayerAnim_IdleDelayTime_Range"), 0.0f);
    const ObjectID self = GetID();
    figure->AddTask(IdleTimerName(),
                    new SerialTask(new TimedTask(delay), new NodeAnimationTask(Label("Idle_A"), 0),
                                   new CallTask<SceneNode>([self](SceneNode*) {
                                       if (ObjectDatabase* database = ObjectDatabase::Current())
                                           if (auto* avatar = dynamic_cast<PlayerAvatar*>(database->Get(self)))
                                               avatar->StartIdleTimer();
                                   })));
}

void PlayerAvatar::EndIdleTimer()
{
    if (AnimatedSpriteNode* figure = Figure())
        figure->EndTasks(IdleTimerName());
}

void PlayerAvatar::Stand()
{
    if (SceneNode* cooking = Child(Paths::kCookingAnim))
        cooking->SetVisible(false);
    if (AnimatedSpriteNode* figure = Figure())
    {
        figure->SetVisible(true);
        figure->PlayAnimation(Label("Stand"));
    }
    StartIdleTimer();
}

void PlayerAvatar::SetWorking(bool working)
{
    CookingStation* station = working ? FindStation(mAtStation) : nullptr;
    if (!station || !station->GetStepIngredient())
    {
        Stand();
        return;
    }
    if (AnimatedSpriteNode* figure = Figure())
        figure->SetVisible(false);
    EndIdleTimer();
    station->SetDisplayIdleSprite(false);
    if (auto* cooking = dynamic_cast<AnimatedSpriteNode*>(Child(Paths::kCookingAnim)))
    {
        const int category = station->GetStepCategory();
        if (category >= 0 && category < kIngredientCategoryCount)
            cooking->SetSpriteType(kCookingSpriteTypes[category]);
        cooking->PlayAnimation(station->GetStepActionName(), true);
        cooking->SetVisible(true);
    }
}

void PlayerAvatar::SetThinking(bool thinking)
{
    AnimatedSpriteNode* figure = Figure();
    if (!thinking)
    {
        if (figure)
            figure->PlayAnimation(Label("Stand"));
        StartIdleTimer();
        return;
    }
    SceneNode* root = GetNode();
    if (!root || !figure)
        return;
    // The figure thinks once the walk in progress (and its arrival) is over.
    CuePoint* cue = CuePoint::Create();
    root->GetTasks().Add(new CuePointTask(cue));
    figure->GetTasks().Add(new CuePointTask(cue));
    figure->GetTasks().Add(new NodeAnimationTask(Label("Think"), 0));
    figure->GetTasks().Add(new CallTask<SceneNode>([](SceneNode* node) { node->EndTasks(IdleTimerName()); }));
}

void PlayerAvatar::SetSpeedUpEffect(bool on)
{
    if (SceneNode* halo = Child(Paths::kSpeedHalo))
        halo->SetVisible(on);
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!on)
    {
        if (database)
            database->Remove(mSparkles);
        mSparkles = kNoObject;
        return;
    }
    // A boost used again while one runs keeps the emitter it has.
    if (!database || database->Get(mSparkles))
        return;
    SceneNode* base = Child(Paths::kSparkleBase);
    IImage* image = ResourceManager::Get<IImage>(Label("ProgressSpeedParticle")).Get();
    if (!base || !image)
        return;
    auto* sparkles = new ConformingParticleSystemNode(base, image, {1.0f, 1.0f, 1.0f, 0.7f}, {1.0f, 1.0f, 1.0f, 0.7f},
                                                      1.0f, 0.6f, 100.0f);
    sparkles->SetAcceleration(Radians(270.0f), 30.0f);
    sparkles->mMinSpeed = 45.0f;
    sparkles->mMaxSpeed = 55.0f;
    sparkles->mSpreadAngle = Radians(135.0f);
    sparkles->mDefaultLifetime = 1.5f;
    sparkles->mTableDirty = true;
    sparkles->mBaseAngle = Radians(270.0f);
    sparkles->RegisterTree(database);
    sparkles->SetParent(base);
    mSparkles = sparkles->GetID();
}

PlayerAvatar* FindPlayerAvatar()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<PlayerAvatar*>(database->FindByName(PlayerAvatar::Name())) : nullptr;
}
