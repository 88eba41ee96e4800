// The renderer's texture attached to an image. Reference counted; the image marks it for
// refilling (the texture re-reads the pixels before its next use) when the pixels have changed.
#pragma once

#include "Referenced.h"

namespace Corvane
{
class ITexture : public IReferenced
{
public:
    virtual void MarkForRefill() = 0;
};
} // namespace Corvane
