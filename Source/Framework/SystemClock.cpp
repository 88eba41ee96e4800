#include "Framework/IClock.h"

#include "Platform/Compat/Kernel/Time.h"

namespace Corvane
{
namespace
{
class SystemClock final : public IClock
{
public:
    std::uint32_t GetTickCount() override { return ::GetTickCount(); }
    void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
};
} // namespace

IClock& GetSystemClock()
{
    static SystemClock clock;
    return clock;
}
} // namespace Corvane
