#include "Platform/Win32/DisplayResource.h"

#include <set>
#include <vector>

namespace Corvane
{
namespace
{
std::set<DisplayResource*>& Resources()
{
    static std::set<DisplayResource*> resources;
    return resources;
}

// A copy to walk, so that a resource may come or go while the others are told.
std::vector<DisplayResource*> Snapshot()
{
    return {Resources().begin(), Resources().end()};
}
} // namespace

DisplayResource::DisplayResource()
{
    Resources().insert(this);
}

DisplayResource::~DisplayResource()
{
    Resources().erase(this);
}

void DisplayResource::ReleaseAll()
{
    for (DisplayResource* resource : Snapshot())
        if (Resources().count(resource))
            resource->ReleaseSurfaces();
}

void DisplayResource::RestoreAll()
{
    for (DisplayResource* resource : Snapshot())
        if (Resources().count(resource))
            resource->RestoreSurfaces();
}
} // namespace Corvane
