// Builds FakeSound resources from manifest elements "testsound": "type" names the category
// (default "Effect"), "volume", "rate", "pan" and "loop" its own values.
#pragma once

#include "AttributeContainer.h"
#include "Framework/IResourceFactory.h"
#include "Framework/ResourceWrapper.h"
#include "Framework/SoundListResourceFactory.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/ResourceFolder.h"

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

// Registers "testsound" and "soundlist" and loads the manifest "sounds" holding body.
inline void LoadTestSounds(ResourceFolder& resources, const std::string& body)
{
    resources.Manager().RegisterFactory(L"testsound", new TestSoundFactory);
    resources.Manager().RegisterFactory(L"soundlist", new SoundListResourceFactory);
    resources.WriteManifest("sounds", body);
    resources.Manager().LoadAndWait(L"sounds", false, nullptr);
}
} // namespace Corvane::Testing
