// How widget factories turn an attribute that names a resource into the resource.
#pragma once

#include "AttributeContainer.h"
#include "Framework/ResourceManager.h"

namespace Corvane
{
// The resource named by the attribute's text when the attribute is there and names a T; null
// otherwise (absent attribute, no such resource, or one of another type).
template <typename T> T* FindNamedResource(const IAttributeContainer& attributes, const wchar_t* attribute)
{
    if (!attributes.HasAttribute(attribute))
        return nullptr;
    return ResourceManager::Get<T>(Label(std::wstring(attributes.GetStringAttribute(attribute, L"")))).Get();
}

// Events of the controls' sound lists: the pointer comes over a control, a control is pressed.
inline Label HotSound()
{
    static const Label label("Hot");
    return label;
}

inline Label DownSound()
{
    static const Label label("Down");
    return label;
}
} // namespace Corvane
