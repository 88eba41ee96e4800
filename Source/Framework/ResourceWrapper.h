// A resource that is itself the loaded object (an image, a font, a layout, a game record): the
// descriptor and the object in one, deleted together by the resource manager. The typed lookup
// (ResourceManager::Get<T>) finds the T part.
#pragma once

#include "Framework/ResourceDescriptor.h"

#include <utility>

namespace Corvane
{
template <typename T> class ResourceWrapper : public ResourceDescriptor, public T
{
public:
    // The remaining arguments construct the T part.
    template <typename... Args>
    ResourceWrapper(const std::wstring& manifest, const Label& name, const IAttributeContainer* element, Args&&... args)
        : ResourceDescriptor(manifest, name, element), T(std::forward<Args>(args)...)
    {
    }
};
} // namespace Corvane
