// A task is a unit of timed behaviour owned by an object or by another task. Each update it gets
// its owner and the elapsed time and answers whether it still runs and how much of the time it
// used; the time it leaves over passes to the next task of an ordered list. Tasks are created by
// their user and handed to a task set, which owns them from then on. Main thread only.
#pragma once

#include <limits>

namespace Corvane
{
class Object;
class ObjectMessage;

// The largest finite float: "all of the time".
inline constexpr float kAllTime = std::numeric_limits<float>::max();

inline constexpr int kTaskFinished = 0;
inline constexpr int kTaskRunning = 1;

struct TaskResult
{
    int status;     // kTaskRunning or kTaskFinished
    float timeUsed; // seconds of dt consumed; kAllTime for all of it
};

inline constexpr TaskResult kFinishedAllUsed{kTaskFinished, kAllTime};
inline constexpr TaskResult kRunningAllUsed{kTaskRunning, kAllTime};

class Task
{
public:
    // Set by the holding set when the task finishes or is ended: never run again, deleted at the
    // next purge.
    static constexpr unsigned kEnded = 1;
    // Set on a child of a repeating task once its clone has been appended.
    static constexpr unsigned kReplaced = 2;

    Task() = default;
    virtual ~Task() = default;
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;

    // A fresh copy in its initial state; the caller owns it. Throws RuntimeError for task types
    // that cannot be copied.
    virtual Task* Clone() const;
    // Runs for dt seconds on behalf of owner (which may be null).
    virtual TaskResult Update(Object* owner, float dt);
    // 1 keeps the task; any other value ends it.
    virtual int OnMessage(Object* owner, const ObjectMessage& message);

    unsigned GetFlags() const { return mFlags; }
    void SetFlags(unsigned flags) { mFlags |= flags; }
    bool IsEnded() const { return (mFlags & kEnded) != 0; }

private:
    unsigned mFlags = 0;
};
} // namespace Corvane
