// Builds FakeSound resources from manifest elements: "type" names the category (default
// "Effect"), "volume", "rate", "pan" and "loop" its own values.
#pragma once

#include "AttributeContainer.h"
#include "Framework/IResourceFactory.h"
#include "Framework/ResourceWrapper.h"
#include "Support/FakeAudioPlatform.h"

namespace Corvane::Testing
{
class TestSoundFactory : public IResourceFactory
{
public:
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader*) override
    {
        auto* sound = new ResourceWrapper<FakeSound>(manifest, name, element);
        sound->category = Label(element->GetStringAttribute(L"type", L"Effect"));
        sound->volume = element->GetFloatAttribute(L"volume", 1.0f);
        sound->rate = element->GetFloatAttribute(L"rate", 1.0f);
        sound->pan = element->GetFloatAttribute(L"pan", 0.0f);
        sound->loopCount = element->GetIntAttribute(L"loop", 1);
        return sound;
    }
};
} // namespace Corvane::Testing
