#pragma once

#include "Threading.h"

#include <condition_variable>
#include <mutex>

namespace Win32
{
// An unnamed auto-reset event, not set at creation.
class ThreadSignal final : public Corvane::IThreadSignal
{
public:
    ThreadSignal();
    void Signal() override;
    void Wait() override;
    bool TryWait() override;

private:
    std::mutex mLock;
    std::condition_variable mChanged;
    bool mSet = false;
};
} // namespace Win32
