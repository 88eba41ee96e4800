// The sound resources of the audio platform and their factories:
//
//   <sound name="SFX_Click" src="Sounds/click" type="sfx" volume="0.8" pan="0" rate="1" loop="1"/>
//   <randomsound name="SFX_Chop" type="effect"><sound src="chop1"/><sound src="chop2"/></randomsound>
//
// "type" gives the category ("effect", "sfx" or empty: "Effect"; "music": "Music"; "ambient":
// "Ambient"; any other text names a category of its own); "volume" is limited to 0..1, "pan" to
// -1..1, "rate" to the positive floats; "loop" is a count (0 or "forever": endless). Each "src"
// names a file without extension (BASSSoundData.h). The factories run on the loader thread.
#pragma once

#include "Framework/IResourceFactory.h"
#include "Framework/ISound.h"
#include "Platform/Win32/BASSSoundData.h"
#include "RefPtr.h"

namespace Corvane
{
class BASSSound : public ISound
{
public:
    BASSSound();

    Label GetCategory() override { return mCategory; }
    float GetVolume() override { return mVolume; }
    float GetRate() override { return mRate; }
    float GetPan() override { return mPan; }
    int GetLoopCount() override { return mLoopCount; }
    IReferenced* GetData() override;
    // The data itself, borrowed.
    BASSSoundData& Data() { return *mData; }

    // Reads category, volume, pan, rate and loop count from a manifest element.
    void ReadAttributes(const IAttributeContainer& element);

private:
    Label mCategory;
    float mVolume = 1.0f;
    float mRate = 1.0f;
    float mPan = 0.0f;
    int mLoopCount = 1;
    RefPtr<BASSSoundData> mData;
};

// "sound": one file, named by the element's own "src".
class BASSSoundResourceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override;
    void GetDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring& manifest, Label name,
                         const IAttributeContainer* element, IXMLReader* children) override;
};

// "randomsound": the files of its "sound" children, one of them picked for each play.
class BASSRandomSoundResourceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override;
    void GetDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring& manifest, Label name,
                         const IAttributeContainer* element, IXMLReader* children) override;
};
} // namespace Corvane
