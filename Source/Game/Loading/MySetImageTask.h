// Shows a picture on a static sprite node (sizing the node to it) and finishes at once without
// using time, so that the next task of the node's list starts in the same update.
#pragma once

#include "Framework/Task.h"

namespace Corvane
{
class IImage;
}

class MySetImageTask : public Corvane::Task
{
public:
    // image: not owned (a resource).
    explicit MySetImageTask(Corvane::IImage* image) : mImage(image) {}

    Corvane::Task* Clone() const override { return new MySetImageTask(mImage); }
    // An owner that is no static sprite node is left as it is.
    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override;

private:
    Corvane::IImage* mImage;
};
