// Builds sprite types and animation lists from manifest elements:
//
//   <spriteanimationlist name="CookAnimations">
//     <animation name="stand" frameList="0"/>
//     <animation name="walk" frameList="1-8" fps="12" numPlays="0"/>
//   </spriteanimationlist>
//   <spritetype name="Cook" images="CookImages" animationList="CookAnimations">
//     <animation name="wave" frameList="9-11,10,9" duration="0.6" linkedAnimation="stand"/>
//   </spritetype>
//
// A sprite type first copies the animations of the list named by "animationList" (which must be
// declared before it; a missing one copies nothing), then stores its own "animation" children,
// which replace copied ones of the same names; links then point at the type's own versions.
// "images" names the image list the frames index. A bad animation raises AnimationParseError
// naming the sprite type or list and the animation, and nothing is created. Registered by
// RegisterSceneResourceFactories (SceneGraphRegistration.h). Loader thread.
#pragma once

#include "Framework/IResourceFactory.h"

// Element "spritetype": a Corvane::ResourceWrapper<SpriteType>.
class SpriteTypeResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* Create(std::wstring manifest, Corvane::Label name,
                                         const Corvane::IAttributeContainer* element,
                                         Corvane::IXMLReader* children) override;
};

// Element "spriteanimationlist": a Corvane::ResourceWrapper<SpriteAnimationList>.
class SpriteAnimationListResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* Create(std::wstring manifest, Corvane::Label name,
                                         const Corvane::IAttributeContainer* element,
                                         Corvane::IXMLReader* children) override;
};
