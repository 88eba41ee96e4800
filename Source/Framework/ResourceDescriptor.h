// The base of every resource: its name, its manifest and a copy of its element's attributes, which
// stay readable through the attribute container operations.
#pragma once

#include "AttributeContainer.h"
#include "Framework/IResourceDescriptor.h"

namespace Corvane
{
class ResourceDescriptor : public IResourceDescriptor, public AttributeContainer
{
public:
    // Copies element's attributes (none when element is null).
    ResourceDescriptor(const std::wstring& manifest, const Label& name, const IAttributeContainer* element);

    std::wstring GetManifest() const override { return mManifest; }
    Label GetName() const override { return mName; }

private:
    std::wstring mManifest;
    Label mName;
};
} // namespace Corvane
