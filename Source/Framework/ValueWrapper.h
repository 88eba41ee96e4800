// A resource that holds one plain value (a number, a text, a position, a colour, a list of them),
// read once from its manifest element and never changed.
#pragma once

#include "Framework/ResourceDescriptor.h"

#include <utility>

namespace Corvane::Internal
{
template <typename T> class ValueWrapper : public ResourceDescriptor
{
public:
    ValueWrapper(const std::wstring& manifest, const Label& name, const IAttributeContainer* element, T v)
        : ResourceDescriptor(manifest, name, element), value(std::move(v))
    {
    }

    const T value;
};
} // namespace Corvane::Internal
