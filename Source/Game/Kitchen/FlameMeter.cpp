#include "Game/Kitchen/FlameMeter.h"
#include "Game/Data/TuningValue.h"

#include "Framework/ParallelTask.h"
#include "Framework/ResourceManager.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Menus/TutorialManager.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneLayout.h"

#include <algorithm>

using namespace Corvane;

namespace
{
constexpr int kIngredientTip = 19;
constexpr int kWorkTip = 20;

Vector2<float> VectorValue(const char* name, const Vector2<float>& fallback)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), fallback);
}

const Label& IdleAnimation()
{
    static const Label name("Idle");
    return name;
}
} // namespace

Label FlameMeter::TimerName()
{
    static const Label name("FlameRemoveTimer");
    return name;
}

SceneNode* FlameMeter::CreateNode()
{
    return SceneLayout::InstantiateOrBare(Label("Station_FlameMeterLayout"), Label("Station_FlameMeter_Root"));
}

AnimatedSpriteNode* FlameMeter::Flame(int k) const
{
    if (!GetNode() || k < 1 || k > kMaxFlames)
        return nullptr;
    return GetNode()->FindByPathAs<AnimatedSpriteNode>(ObjectPaths::FlameMeter::kFlames[k - 1]);
}

bool FlameMeter::IsTimerRunning() const
{
    return GetNamedTasks().IsRunning(TimerName());
}

void FlameMeter::Reset()
{
    mFlames = 0;
    mWaitForWork = false;
    Refresh();
}

void FlameMeter::StartIngredientWait()
{
    StartWait(false);
}

void FlameMeter::StartInteractionWait()
{
    StartWait(true);
}

void FlameMeter::StartWait(bool forWork)
{
    mWaitForWork = forWork;
    EndTasks(TimerName());
    const float wait = TuningValue(forWork ? "FlameLossTime_Interaction" : "FlameLossTime_Ingredient");
    auto* warnings = new SerialTask(new TimedTask(wait), new CallTask<FlameMeter>([](FlameMeter* m) { m->Alert(false); }),
                                    new TimedTask(TuningValue("FlameLossTime_SlowFlash")),
                                    new CallTask<FlameMeter>([](FlameMeter* m) { m->Alert(true); }));
    // The loss starts the next timer of the same kind.
    AddTask(TimerName(), new SerialTask(warnings, new TimedTask(TuningValue("FlameLossTime_FastFlash")),
                                        new CallTask<FlameMeter>([](FlameMeter* m) { m->LoseFlame(); })));
    Refresh();
}

void FlameMeter::StopTimers()
{
    EndTasks(TimerName());
    Refresh();
}

void FlameMeter::Refresh()
{
    if (SceneNode* root = GetNode())
    {
        const Vector2<float> base = VectorValue("FlameRootLocation_Base", root->GetPosition());
        const Vector2<float> offset = VectorValue("FlameRootLocation_Offset", {0.0f, 0.0f});
        const float steps = static_cast<float>(mFlames - 1);
        root->SetPosition(base.x + steps * offset.x, base.y + steps * offset.y);
    }
    for (int k = 1; k <= kMaxFlames; ++k)
        if (AnimatedSpriteNode* flame = Flame(k))
        {
            flame->PlayAnimation(IdleAnimation());
            flame->SetVisible(k <= mFlames);
        }
}

void FlameMeter::Alert(bool fast)
{
    Refresh();
    if (mFlames <= 0)
        return;
    AnimatedSpriteNode* top = Flame(mFlames);
    if (!top)
        return;
    // Both warnings ask for the tip (shown once): a flame lit after the first warning still gets it.
    TutorialManager::Instance()->ShowTip(mWaitForWork ? kWorkTip : kIngredientTip, TutorialManager::PointAt(*top, {}));
    top->PlayAnimation(Label(fast ? "Alert_Fast" : "Alert_Slow"));
}

void FlameMeter::LoseFlame()
{
    mFlames = std::max(mFlames - 1, 0);
    StartWait(mWaitForWork);
}

void FlameMeter::GainFlame()
{
    mFlames = std::min(mFlames + 1, kMaxFlames);
    Refresh();
    AnimatedSpriteNode* top = Flame(mFlames);
    if (!top)
        return;
    top->GetTasks().EndAll();
    top->PlayAnimation(IdleAnimation());
    const Vector2<float> scale = VectorValue("FlameRootLocation_ScaleFactor", {1.0f, 1.0f});
    top->SetScale(scale.x, scale.y);
    top->SetAlpha(ResourceManager::GetValue<float>(Label("FlameRootLocation_AlphaFactor"), 1.0f));
    const float enter = TuningValue("FlameRootLocation_EnterTime");
    top->GetTasks().Add(new ParallelTask(0, new NodeAlphaTask(1.0f, enter), new NodeScaleTask({1.0f, 1.0f}, enter)));
}
