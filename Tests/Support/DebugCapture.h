// Collects what the engine writes to the debug output while it is alive.
#pragma once

#include <string>
#include <vector>

namespace Corvane::Testing
{
class DebugCapture
{
public:
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    // Every write, in order.
    std::vector<std::string> Writes() const;
    // All writes joined.
    std::string Text() const;
    void Clear();
};
} // namespace Corvane::Testing
