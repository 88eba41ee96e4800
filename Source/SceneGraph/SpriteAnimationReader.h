// Reads the "animation" elements of sprite types and animation lists:
//
//   <animation name="walk" frameList="0-7" fps="12" numLoops="-1" pingPong="false" linkedAnimation="stand"/>
//   <animation name="wave" numPlays="2">
//     <frame index="3" duration="0.2"/>
//     <frame index="4" duration="0.4"/>
//   </animation>
//
// Plays: "numPlays" (0 or negative: forever), else "numLoops" + 1 (a negative "numLoops" plays
// once). Frames: from "frameList" (FrameList.h) when any of "frameList", "duration" or "fps" is
// given, all of equal length: "duration" is the whole sequence's seconds, else "fps" the rate;
// otherwise from the direct "frame" children. An animation without frames shows image 0.
#pragma once

#include "SceneGraph/SpriteType.h"

#include <functional>
#include <string>

namespace Corvane
{
class IAttributeContainer;
class IXMLReader;
class XMLElement;
} // namespace Corvane

// Frames shorter than this are lengthened to it, so that absurd rates cannot make an update step
// through millions of frames.
inline constexpr float kMinFrameDuration = 0.001f;

// The animation of an "animation" element with the element's attributes and a reader over its
// children. A bad frame list raises AnimationParseError naming the animation.
SpriteAnimation ReadSpriteAnimation(const Corvane::IAttributeContainer& element, Corvane::IXMLReader* children);
