// Counts a whole number from one value to another over a time, showing each step as the plain
// text of a styled text node (a score rising on a results screen):
//
//   scoreNode->GetTasks().Add(new TextNodeCountTask(0, finalScore, 2.0f));
//
// Numbers are formatted with digit grouping ("12,000"). A clone shows the end value at its first
// update and finishes. On any other owner it throws std::runtime_error at its first update.
#pragma once

#include "SceneGraph/BetterTimedTask.h"

class TextNodeCountTask : public BetterInterpolatingTask
{
public:
    TextNodeCountTask(int from, int to, float duration);

    Corvane::Task* Clone() const override;
    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override;

private:
    TextNodeCountTask(int from, int to, float duration, std::shared_ptr<Corvane::Interpolator> interpolator);

    int mFrom;
    int mTo;
};
