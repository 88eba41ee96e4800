// A resource as the resource manager holds it: its name and the manifest that declared it.
#pragma once

#include "Label.h"

#include <string>

namespace Corvane
{
class IResourceDescriptor
{
public:
    virtual ~IResourceDescriptor() = default;
    // The declaring manifest's name, without ".xml".
    virtual std::wstring GetManifest() const = 0;
    // The resource's own name (an alias's target keeps its name).
    virtual Label GetName() const = 0;
};
} // namespace Corvane
