#include "Framework/CuePoint.h"

namespace Corvane
{
void CuePoint::Leave()
{
    --mRegistered;
    --mArrived;
    if (mRegistered == 0 && mArrived == 0)
        delete this;
}
} // namespace Corvane
