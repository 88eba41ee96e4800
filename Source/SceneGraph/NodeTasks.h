// Tasks that animate scene nodes: move, scale and fade a node, show or hide it, play a sprite
// animation and, if asked, wait for it to end. Add them to a node's task list, alone or inside
// serial, parallel and repeating tasks; the database runs them with the node as owner:
//
//   node->GetTasks().Add(new SerialTask(new NodeVisibleTask(true),
//                                       new NodeLocationTask({300.0f, 40.0f}, 0.5f),
//                                       new NodeAlphaTask(0.0f, 0.25f)));
//
// The moving tasks start from wherever the node is when they first run, not when they are made,
// and end exactly on their target in the update in which their time is up. A task on an object of
// the wrong type throws std::runtime_error at its first update and changes nothing.
#pragma once

#include "Framework/Vector2Generator.h"
#include "Label.h"
#include "SceneGraph/BetterTimedTask.h"

class SceneNode;

// A node's two-component value (scale, position) moved from its start to an end point.
class NodeVector2Task : public BetterInterpolatingTask
{
public:
    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override;

protected:
    NodeVector2Task(std::shared_ptr<NumberGenerator<float>> duration,
                    std::shared_ptr<Corvane::Interpolator> interpolator,
                    std::shared_ptr<Vector2Generator<float>> end);

    virtual const char* GetWrongOwnerMessage() const = 0;
    virtual Corvane::Vector2<float> GetValue(const SceneNode& node) const = 0;
    virtual void SetValue(SceneNode& node, const Corvane::Vector2<float>& value) const = 0;

    std::shared_ptr<Vector2Generator<float>> mEndGenerator;
    Corvane::Vector2<float> mStart;
    Corvane::Vector2<float> mEnd;
};

// Scales a node (its local scale) linearly to an end scale.
class NodeScaleTask : public NodeVector2Task
{
public:
    NodeScaleTask(const Corvane::Vector2<float>& endScale, float duration);
    NodeScaleTask(std::shared_ptr<NumberGenerator<float>> duration, std::shared_ptr<Corvane::Interpolator> interpolator,
                  std::shared_ptr<Vector2Generator<float>> endScale);

    // Clones the duration and end generators; shares the interpolator.
    Corvane::Task* Clone() const override;

protected:
    const char* GetWrongOwnerMessage() const override { return "NodeScaleTask must be applied to a SceneNode"; }
    Corvane::Vector2<float> GetValue(const SceneNode& node) const override;
    void SetValue(SceneNode& node, const Corvane::Vector2<float>& value) const override;
};

// Moves a node (its local position) linearly to an end position, or at once.
class NodeLocationTask : public NodeVector2Task
{
public:
    NodeLocationTask(const Corvane::Vector2<float>& endPosition, float duration);
    // Jumps to position in its first update and ends in it.
    explicit NodeLocationTask(const Corvane::Vector2<float>& position);
    NodeLocationTask(std::shared_ptr<NumberGenerator<float>> duration,
                     std::shared_ptr<Corvane::Interpolator> interpolator,
                     std::shared_ptr<Vector2Generator<float>> endPosition);

    Corvane::Task* Clone() const override;

protected:
    const char* GetWrongOwnerMessage() const override { return "NodeLocationTask must be applied to a SceneNode"; }
    Corvane::Vector2<float> GetValue(const SceneNode& node) const override;
    void SetValue(SceneNode& node, const Corvane::Vector2<float>& value) const override;
};

// Fades a node (the alpha of its local colour) linearly to an end alpha, or at once.
class NodeAlphaTask : public BetterInterpolatingTask
{
public:
    NodeAlphaTask(float endAlpha, float duration);
    // Sets alpha in its first update and ends in it.
    explicit NodeAlphaTask(float alpha);
    NodeAlphaTask(std::shared_ptr<NumberGenerator<float>> duration, std::shared_ptr<Corvane::Interpolator> interpolator,
                  std::shared_ptr<NumberGenerator<float>> endAlpha);

    Corvane::Task* Clone() const override;
    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override;

private:
    float mStart = 0.0f;
    float mEnd = 0.0f;
    std::shared_ptr<NumberGenerator<float>> mEndGenerator;
};

// Shows or hides a node and ends at once, using no time: the next task of a chain runs in the
// same update.
class NodeVisibleTask : public Corvane::Task
{
public:
    explicit NodeVisibleTask(bool visible);
    explicit NodeVisibleTask(std::shared_ptr<NumberGenerator<bool>> visible);

    Corvane::Task* Clone() const override;
    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override;

private:
    std::shared_ptr<NumberGenerator<bool>> mGenerator;
};

// Plays an animation on an AnimatedSpriteNode (not restarting it when it is already playing).
// Without wait it ends at once, using the rest of the update; with wait it runs until the node no
// longer plays that animation (it ended, its linked animation took over, or something else was
// shown), and then ends using the whole of that update.
class NodeAnimationTask : public Corvane::Task
{
public:
    NodeAnimationTask(Corvane::Label animation, int wait);

    Corvane::Task* Clone() const override { return new NodeAnimationTask(mAnimation, mWait); }
    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override;

private:
    Corvane::Label mAnimation;
    int mWait;
    float mElapsed = 0.0f;
};
