#include "Framework/EngineHooks.h"

namespace Corvane::Internal
{
EngineHooks& GetEngineHooks()
{
    static EngineHooks hooks;
    return hooks;
}
} // namespace Corvane::Internal
