#include "SceneGraph/TextNodeCountTask.h"

#include "Format.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <algorithm>
#include <stdexcept>

using namespace Corvane;

namespace
{
void ShowNumber(StyledTextSpriteNode& node, int value)
{
    node.SetText((Format(L"%1%") % value).str());
}
} // namespace

TextNodeCountTask::TextNodeCountTask(int from, int to, float duration)
    : TextNodeCountTask(from, to, duration, std::make_shared<LinearInterpolator>())
{
}

TextNodeCountTask::TextNodeCountTask(int from, int to, float duration, std::shared_ptr<Interpolator> interpolator)
    : BetterInterpolatingTask(duration, std::move(interpolator)), mFrom(from), mTo(to)
{
}

Task* TextNodeCountTask::Clone() const
{
    return new TextNodeCountTask(mFrom, mTo, 0.0f, std::make_shared<ImmediateInterpolator>());
}

TaskResult TextNodeCountTask::Update(Object* owner, float dt)
{
    auto* node = dynamic_cast<StyledTextSpriteNode*>(owner);
    if (!node)
        throw std::runtime_error("TextNodeCountTask must be applied to a StyledTextSpriteNode");
    if (!HasStarted())
        ShowNumber(*node, mFrom);
    const TaskResult result = BetterTimedTask::Update(owner, dt);
    // The end shows the end value exactly, whatever a float makes of it on the way.
    const double value = Interpolate(static_cast<float>(mFrom), static_cast<float>(mTo));
    const double low = std::min(mFrom, mTo), high = std::max(mFrom, mTo);
    ShowNumber(*node, result.status == kTaskFinished ? mTo : static_cast<int>(std::clamp(value, low, high)));
    return result;
}
