// The resource factory registered for a record type: it hands every call to the type's static
// descriptor, so that the resource manager can own and delete the factory while the descriptor
// lives on for nested records and other registrations.
#pragma once

#include "Framework/IResourceFactory.h"

namespace SimpleSettings
{
class SettingsDescriptorWrapper : public Corvane::IResourceFactory
{
public:
    // descriptor: a record type's static descriptor; not owned.
    explicit SettingsDescriptorWrapper(Corvane::IResourceFactory* descriptor) : mDescriptor(descriptor) {}

    Corvane::IResourceDescriptor* Create(std::wstring manifest, Corvane::Label name,
                                         const Corvane::IAttributeContainer* element,
                                         Corvane::IXMLReader* children) override
    {
        return mDescriptor->Create(std::move(manifest), name, element, children);
    }

private:
    Corvane::IResourceFactory* mDescriptor;
};
} // namespace SimpleSettings
