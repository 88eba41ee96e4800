// Builds sound lists from manifest elements "soundlist":
//
//   <soundlist name="ButtonSounds">
//     <sound event="click" src="SFX_Click"/>
//   </soundlist>
//
// Each direct child "sound" (exact case) maps its "event" to the sound resource named by "src",
// looked up as the list is built: the sounds must be declared before the list. A missing "src"
// or sound maps the event to no sound; other children are ignored. The audio platform registers
// it when it initialises. Loader thread.
#pragma once

#include "Framework/IResourceFactory.h"

namespace Corvane
{
class SoundListResourceFactory : public IResourceFactory
{
public:
    // A ResourceWrapper<SoundList>.
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override;
};
} // namespace Corvane
