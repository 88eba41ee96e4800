#include "SceneGraph/NodeTasks.h"

#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/TaskParts.h"

#include <algorithm>
#include <stdexcept>

using namespace Corvane;
using TaskParts::Constant;
using TaskParts::OwnerAs;

namespace
{
std::shared_ptr<Vector2Generator<float>> ConstantPoint(const Vector2<float>& point)
{
    return std::make_shared<Vector2ToVector2Generator<float>>(Constant(point.x), Constant(point.y));
}

std::shared_ptr<Interpolator> Linear()
{
    return std::make_shared<LinearInterpolator>();
}

std::shared_ptr<Interpolator> Immediate()
{
    return std::make_shared<ImmediateInterpolator>();
}

} // namespace

// ---- Two-component tasks ----

NodeVector2Task::NodeVector2Task(std::shared_ptr<NumberGenerator<float>> duration,
                                 std::shared_ptr<Interpolator> interpolator,
                                 std::shared_ptr<Vector2Generator<float>> end)
    : BetterInterpolatingTask(std::move(duration), std::move(interpolator)), mEndGenerator(std::move(end))
{
}

TaskResult NodeVector2Task::Update(Object* owner, float dt)
{
    SceneNode& node = OwnerAs<SceneNode>(owner, GetWrongOwnerMessage());
    if (!HasStarted())
    {
        mStart = GetValue(node);
        mEnd = mEndGenerator->Generate();
    }
    const TaskResult result = BetterTimedTask::Update(owner, dt);
    SetValue(node, {Interpolate(mStart.x, mEnd.x), Interpolate(mStart.y, mEnd.y)});
    return result;
}

NodeScaleTask::NodeScaleTask(const Vector2<float>& endScale, float duration)
    : NodeVector2Task(Constant(duration), Linear(), ConstantPoint(endScale))
{
}

NodeScaleTask::NodeScaleTask(std::shared_ptr<NumberGenerator<float>> duration,
                             std::shared_ptr<Interpolator> interpolator, std::shared_ptr<Vector2Generator<float>> endScale)
    : NodeVector2Task(std::move(duration), std::move(interpolator), std::move(endScale))
{
}

Task* NodeScaleTask::Clone() const
{
    return new NodeScaleTask(mDurationGenerator->Clone(), mInterpolator, mEndGenerator->Clone());
}

Vector2<float> NodeScaleTask::GetValue(const SceneNode& node) const
{
    return node.GetScale();
}

void NodeScaleTask::SetValue(SceneNode& node, const Vector2<float>& value) const
{
    node.SetScale(value.x, value.y);
}

NodeLocationTask::NodeLocationTask(const Vector2<float>& endPosition, float duration)
    : NodeVector2Task(Constant(duration), Linear(), ConstantPoint(endPosition))
{
}

NodeLocationTask::NodeLocationTask(const Vector2<float>& position)
    : NodeVector2Task(Constant(0.0f), Immediate(), ConstantPoint(position))
{
}

NodeLocationTask::NodeLocationTask(std::shared_ptr<NumberGenerator<float>> duration,
                                   std::shared_ptr<Interpolator> interpolator,
                                   std::shared_ptr<Vector2Generator<float>> endPosition)
    : NodeVector2Task(std::move(duration), std::move(interpolator), std::move(endPosition))
{
}

Task* NodeLocationTask::Clone() const
{
    return new NodeLocationTask(mDurationGenerator->Clone(), mInterpolator, mEndGenerator->Clone());
}

Vector2<float> NodeLocationTask::GetValue(const SceneNode& node) const
{
    return node.GetPosition();
}

void NodeLocationTask::SetValue(SceneNode& node, const Vector2<float>& value) const
{
    node.SetPosition(value.x, value.y);
}

// ---- Alpha ----

NodeAlphaTask::NodeAlphaTask(float endAlpha, float duration) : NodeAlphaTask(Constant(duration), Linear(), Constant(endAlpha))
{
}

NodeAlphaTask::NodeAlphaTask(float alpha) : NodeAlphaTask(Constant(0.0f), Immediate(), Constant(alpha)) {}

NodeAlphaTask::NodeAlphaTask(std::shared_ptr<NumberGenerator<float>> duration, std::shared_ptr<Interpolator> interpolator,
                             std::shared_ptr<NumberGenerator<float>> endAlpha)
    : BetterInterpolatingTask(std::move(duration), std::move(interpolator)), mEndGenerator(std::move(endAlpha))
{
}

Task* NodeAlphaTask::Clone() const
{
    return new NodeAlphaTask(mDurationGenerator->Clone(), mInterpolator, mEndGenerator->Clone());
}

TaskResult NodeAlphaTask::Update(Object* owner, float dt)
{
    SceneNode& node = OwnerAs<SceneNode>(owner, "NodeAlphaTask must be applied to a SceneNode");
    if (!HasStarted())
    {
        mStart = node.GetColor().alpha;
        mEnd = mEndGenerator->Generate();
    }
    const TaskResult result = BetterTimedTask::Update(owner, dt);
    node.SetAlpha(Interpolate(mStart, mEnd));
    return result;
}

// ---- Visibility ----

NodeVisibleTask::NodeVisibleTask(bool visible) : mGenerator(std::make_shared<ConstNumberGenerator<bool>>(visible)) {}

NodeVisibleTask::NodeVisibleTask(std::shared_ptr<NumberGenerator<bool>> visible) : mGenerator(std::move(visible)) {}

Task* NodeVisibleTask::Clone() const
{
    return new NodeVisibleTask(mGenerator->Clone());
}

TaskResult NodeVisibleTask::Update(Object* owner, float)
{
    SceneNode& node = OwnerAs<SceneNode>(owner, "NodeVisibleTask must be applied to a SceneNode");
    node.SetVisible(mGenerator->Generate());
    return {kTaskFinished, 0.0f};
}

// ---- Animation ----

NodeAnimationTask::NodeAnimationTask(Label animation, int wait) : mAnimation(animation), mWait(wait) {}

TaskResult NodeAnimationTask::Update(Object* owner, float dt)
{
    auto& node = OwnerAs<AnimatedSpriteNode>(owner, "NodeAnimationTask applied to a non-AnimatedSpriteNode object");
    if (mElapsed == 0.0f)
        node.PlayAnimation(mAnimation, false);
    mElapsed += dt;
    if (mWait == 0)
        return kFinishedAllUsed;
    if (node.IsPlaying(mAnimation))
        return kRunningAllUsed;
    // The whole running time may exceed this update: more than dt would hand the next task of a
    // chain a negative time.
    return {kTaskFinished, std::min(mElapsed, dt)};
}
