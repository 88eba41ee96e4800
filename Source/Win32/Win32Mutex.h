#pragma once

#include "Threading.h"

#include <mutex>

namespace Win32
{
// The engine's lock: a re-entrant critical section.
class Mutex final : public Corvane::IMutex
{
public:
    void Lock() override { mSection.lock(); }
    void Unlock() override { mSection.unlock(); }

private:
    std::recursive_mutex mSection;
};
} // namespace Win32
