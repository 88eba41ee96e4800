#include "Graphics/DrawState.h"

namespace Corvane::Graphics
{
const DrawState& GetDefaultDrawState()
{
    static const DrawState defaults;
    return defaults;
}
} // namespace Corvane::Graphics
