#include "Game/Kitchen/StepSparkle.h"

#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/SelfDestructTask.h"
#include "Framework/SerialTask.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Framework/ResourceManager.h"
#include "Graphics/Image.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/ParticleSystemNode.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneLayout.h"

#include <numbers>

using namespace Corvane;

namespace
{
// The sparkles rise from the node they fill.
constexpr float kSparkleAngle = 270.0f * std::numbers::pi_v<float> / 180.0f;
constexpr float kSparkleSpread = 60.0f * std::numbers::pi_v<float> / 180.0f;
constexpr float kSparkleSpeed = 100.0f;
constexpr float kSparkleLife = 0.25f;
constexpr float kSparkleScale = 0.5f;
constexpr float kSparkleRate = 100.0f;
} // namespace

void AddStepSparkle(SceneNode* target, float endScale)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!target || !database)
        return;
    IImage* image = ResourceManager::Get<IImage>(Label("ProgressSpeedParticle")).Get();
    const ColorF colour{1.0f, 1.0f, 1.0f, 0.7f};
    auto* sparkle = new ConformingParticleSystemNode(target, image, colour, colour, kSparkleScale, endScale,
                                                     kSparkleRate, kSparkleSpread);
    sparkle->mBaseAngle = kSparkleAngle;
    sparkle->mMinSpeed = kSparkleSpeed;
    sparkle->mMaxSpeed = kSparkleSpeed;
    sparkle->mDefaultLifetime = kSparkleLife;
    sparkle->RegisterTree(database);
    sparkle->SetParent(target);
}

void PlayHighlightFlash(SceneNode* attach)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    SceneNode* fx = FindNodeInCurrentScene(ScreenPaths::Kitchen::kFXLayer);
    const SceneLayout* layout = SceneLayout::Find(Label("HighlightAtt_Box_FlashLayout"));
    SceneNode* flash = fx && layout && database ? layout->Instantiate(fx, database) : nullptr;
    if (!flash)
        return;
    if (attach)
        flash->SetWorldPosition(attach->GetWorldCenter());
    CuePoint* played = CuePoint::Create();
    if (SceneNode* anim = flash->FindByPath({"anim"}))
        anim->GetTasks().Add(new SerialTask(new NodeAnimationTask(Label("Play"), 1), new CuePointTask(played)));
    flash->GetTasks().Add(new CuePointTask(played));
    flash->GetTasks().Add(new SelfDestructTask);
}
