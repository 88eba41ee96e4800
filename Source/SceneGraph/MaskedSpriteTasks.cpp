#include "SceneGraph/MaskedSpriteTasks.h"

#include "SceneGraph/MaskedSpriteNode.h"
#include "SceneGraph/TaskParts.h"

#include <stdexcept>

using namespace Corvane;

using TaskParts::Constant;
using TaskParts::ConstantPoint;
using TaskParts::OwnerAs;

// ---- Clip rectangle ----

NodeClipRectTask::NodeClipRectTask(std::shared_ptr<Vector2Generator<int>> endSize,
                                   std::shared_ptr<Vector2Generator<int>> endPosition,
                                   std::shared_ptr<NumberGenerator<float>> duration)
    : BetterInterpolatingTask(std::move(duration), std::make_shared<LinearInterpolator>()),
      mEndSizeGenerator(std::move(endSize)), mEndPositionGenerator(std::move(endPosition))
{
}

NodeClipRectTask::NodeClipRectTask(const Rect<int>& end, float duration)
    : NodeClipRectTask(ConstantPoint(end.width, end.height), ConstantPoint(end.x, end.y), Constant(duration))
{
}

Task* NodeClipRectTask::Clone() const
{
    return new NodeClipRectTask(mEndSizeGenerator->Clone(), mEndPositionGenerator->Clone(),
                                mDurationGenerator->Clone());
}

TaskResult NodeClipRectTask::Update(Object* owner, float dt)
{
    SceneNode& node = OwnerAs<SceneNode>(owner, "NodeClipRectTask must be applied to a SceneNode");
    if (!HasStarted())
    {
        mStart = node.GetClipRect();
        const Vector2<int> position = mEndPositionGenerator->Generate();
        const Vector2<int> size = mEndSizeGenerator->Generate();
        mEnd = {position.x, position.y, size.x, size.y};
    }
    const TaskResult result = BetterTimedTask::Update(owner, dt);
    const auto step = [this](int from, int to) {
        return static_cast<int>(Interpolate(static_cast<float>(from), static_cast<float>(to)));
    };
    Rect<int> clip;
    clip.height = step(mStart.height, mEnd.height);
    clip.width = step(mStart.width, mEnd.width);
    clip.y = step(mStart.y, mEnd.y);
    clip.x = step(mStart.x, mEnd.x);
    node.SetClipRect(clip, true);
    return result;
}

// ---- Mask scale ----

MaskedSpriteNodeScaleTask::MaskedSpriteNodeScaleTask(std::shared_ptr<Vector2Generator<float>> endScale,
                                                     std::shared_ptr<NumberGenerator<float>> duration)
    : BetterInterpolatingTask(std::move(duration), std::make_shared<LinearInterpolator>()),
      mEndGenerator(std::move(endScale))
{
}

MaskedSpriteNodeScaleTask::MaskedSpriteNodeScaleTask(const Vector2<float>& endScale, float duration)
    : MaskedSpriteNodeScaleTask(ConstantPoint(endScale.x, endScale.y), Constant(duration))
{
}

Task* MaskedSpriteNodeScaleTask::Clone() const
{
    return new MaskedSpriteNodeScaleTask(mEndGenerator->Clone(), mDurationGenerator->Clone());
}

TaskResult MaskedSpriteNodeScaleTask::Update(Object* owner, float dt)
{
    auto& node = OwnerAs<MaskedSpriteNode>(owner, "MaskedSpriteNodeScaleTask must be applied to a MaskedSpriteNode");
    if (!HasStarted())
    {
        mStart = node.GetMaskScale();
        mEnd = mEndGenerator->Generate();
    }
    const TaskResult result = BetterTimedTask::Update(owner, dt);
    node.SetMaskScale({Interpolate(mStart.x, mEnd.x), Interpolate(mStart.y, mEnd.y)});
    return result;
}
