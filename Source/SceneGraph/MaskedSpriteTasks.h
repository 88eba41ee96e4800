// The two tasks that animate a masked sprite. NodeClipRectTask moves and resizes a node's clip
// rectangle from where it is at the task's first update to an end rectangle (a wipe that reveals
// or hides the picture) and leaves it switched on at its end; every node has a clip rectangle, so
// it runs on any node. MaskedSpriteNodeScaleTask scales a MaskedSpriteNode's mask from its current
// scale to an end scale, and refuses other owners. Both move linearly, their end points and
// duration drawn from generators at their first update; a wrong owner throws std::runtime_error
// then, changing nothing:
//
//   picture->SetClipRect({0, 0, 0, 50});
//   picture->GetTasks().Add(new NodeClipRectTask({0, 0, 200, 50}, 1.0f));   // reveals from the left
#pragma once

#include "Framework/Vector2Generator.h"
#include "Graphics/Rect.h"
#include "SceneGraph/BetterTimedTask.h"

class NodeClipRectTask : public BetterInterpolatingTask
{
public:
    NodeClipRectTask(std::shared_ptr<Vector2Generator<int>> endSize, std::shared_ptr<Vector2Generator<int>> endPosition,
                     std::shared_ptr<NumberGenerator<float>> duration);
    // Fixed end rectangle (x, y, w, h) and duration.
    NodeClipRectTask(const Corvane::Rect<int>& end, float duration);

    // Clones the generators; a clone starts afresh.
    Corvane::Task* Clone() const override;
    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override;

private:
    std::shared_ptr<Vector2Generator<int>> mEndSizeGenerator;
    std::shared_ptr<Vector2Generator<int>> mEndPositionGenerator;
    Corvane::Rect<int> mStart;
    Corvane::Rect<int> mEnd;
};

class MaskedSpriteNodeScaleTask : public BetterInterpolatingTask
{
public:
    MaskedSpriteNodeScaleTask(std::shared_ptr<Vector2Generator<float>> endScale,
                              std::shared_ptr<NumberGenerator<float>> duration);
    MaskedSpriteNodeScaleTask(const Corvane::Vector2<float>& endScale, float duration);

    Corvane::Task* Clone() const override;
    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override;

private:
    std::shared_ptr<Vector2Generator<float>> mEndGenerator;
    Corvane::Vector2<float> mStart;
    Corvane::Vector2<float> mEnd;
};
