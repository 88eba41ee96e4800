// Objects and tasks that write what happens to them into a shared log.
#pragma once

#include "Framework/IBounds.h"
#include "Framework/IDrawable.h"
#include "Framework/IEnable.h"
#include "Framework/IVisible.h"
#include "Framework/InputHandlerComponent.h"
#include "Framework/Object.h"
#include "Framework/Task.h"

#include <functional>
#include <string>
#include <vector>

namespace Corvane::Testing
{
using Log = std::vector<std::string>;

// Logs "<name> update", "<name> <message>" and "<name> deleted"; hooks may act on top.
class LoggingObject : public Object
{
public:
    LoggingObject(Log& log, std::string name, Label label = Label(), Label group = Label())
        : mLog(log), mName(std::move(name)), mLabel(label), mGroup(group)
    {
    }
    ~LoggingObject() override { mLog.push_back(mName + " deleted"); }

    using Object::GetGroup;
    Label GetName() const override { return mLabel; }
    Label GetGroup() const override { return mGroup; }
    void OnUpdate(float dt) override
    {
        mLog.push_back(mName + " update");
        if (onUpdate)
            onUpdate(dt);
    }
    void OnMessage(const ObjectMessage& message) override
    {
        mLog.push_back(mName + " " + message.GetName().c_str());
        if (onMessage)
            onMessage(message);
    }

    std::function<void(float)> onUpdate;
    std::function<void(const ObjectMessage&)> onMessage;

protected:
    Log& mLog;
    std::string mName;

private:
    Label mLabel;
    Label mGroup;
};

// A drawable control with bounds, enable and visible switches; logs the input it takes.
class LoggingControl : public LoggingObject,
                       public IDrawable,
                       public IBounds,
                       public IEnable,
                       public IVisible,
                       public InputHandlerComponent
{
public:
    LoggingControl(Log& log, std::string name, float depth, Rect<float> bounds)
        : LoggingObject(log, std::move(name)), mDepth(depth), mBounds(bounds)
    {
    }

    float GetDepth() const override { return mDepth; }
    void SetDepth(float depth) override { mDepth = depth; }
    void Draw() override {}

    const Vector2<float>& GetLocation() const override { return mLocation; }
    void SetLocation(const Vector2<float>& location) override { mLocation = location; }
    const Rect<float>& GetBounds() const override { return mBounds; }
    void SetBounds(const Rect<float>& bounds) override { mBounds = bounds; }
    bool HitTest(float x, float y) override
    {
        return x >= mBounds.x && x < mBounds.Right() && y >= mBounds.y && y < mBounds.Bottom();
    }

    bool IsEnabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }
    bool IsVisible() const override { return visible; }
    void SetVisible(bool value) override { visible = value; }

    bool KeyDown(int key) override { return Take("key " + std::to_string(key)); }
    bool Char(const std::wstring&) override { return Take("text"); }
    bool MouseMove(int x, int y) override { return Take("move " + std::to_string(x) + "," + std::to_string(y)); }
    bool MouseDown(int button, int, int) override { return Take("down " + std::to_string(button)); }
    bool CanTakeFocus() override { return focusable; }

    bool enabled = true;
    bool visible = true;
    bool focusable = true;
    bool takes = true; // the answer to every event

private:
    bool Take(const std::string& what)
    {
        mLog.push_back(mName + " " + what);
        return takes;
    }

    float mDepth;
    Rect<float> mBounds;
    Vector2<float> mLocation;
};

// Runs for a fixed number of updates and logs each; reports the time it is told to.
class CountingTask : public Task
{
public:
    CountingTask(Log& log, std::string name, int updates = 1, float timeUsed = kAllTime)
        : mLog(log), mName(std::move(name)), mUpdates(updates), mTimeUsed(timeUsed)
    {
    }
    ~CountingTask() override { mLog.push_back(mName + " deleted"); }

    Task* Clone() const override { return new CountingTask(mLog, mName + "'", mUpdates, mTimeUsed); }
    TaskResult Update(Object*, float dt) override
    {
        mLog.push_back(mName + " " + std::to_string(dt));
        return {--mUpdates > 0 ? kTaskRunning : kTaskFinished, mTimeUsed};
    }
    int OnMessage(Object*, const ObjectMessage& message) override
    {
        mLog.push_back(mName + " got " + message.GetName().c_str());
        return keep;
    }

    int keep = 1;

private:
    Log& mLog;
    std::string mName;
    int mUpdates;
    float mTimeUsed;
};
} // namespace Corvane::Testing
