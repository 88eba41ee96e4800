#include "SceneGraph/SpriteAnimationReader.h"

#include "AttributeContainer.h"
#include "SceneGraph/AnimationParseError.h"
#include "SceneGraph/FrameList.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "TextConversion.h"
#include "XMLChildElements.h"
#include "XMLElement.h"
#include "XMLElementReader.h"

#include <climits>
#include <cmath>

using namespace Corvane;

namespace
{
// A time read from data: anything but a positive finite number means the 1 s default.
float ValidTime(float seconds)
{
    return std::isfinite(seconds) && seconds > 0.0f ? seconds : 1.0f;
}

float FrameDuration(float seconds)
{
    return std::isfinite(seconds) && seconds >= kMinFrameDuration ? seconds : kMinFrameDuration;
}

int ReadNumPlays(const IAttributeContainer& element)
{
    int plays = 1;
    if (element.HasAttribute(L"numPlays"))
        plays = element.GetIntAttribute(L"numPlays", 0);
    else
    {
        const int loops = element.GetIntAttribute(L"numLoops", 0);
        if (loops >= 0)
            plays = loops == INT_MAX ? INT_MAX : loops + 1;
    }
    return plays == 0 ? -1 : plays;
}

std::vector<SpriteFrame> ReadFrameChildren(IXMLReader* children)
{
    std::vector<SpriteFrame> frames;
    ForEachChildElement(children, [&frames](const XMLElement& child, IXMLReader&) {
        if (child.GetName() == L"frame")
            frames.push_back({child.GetIntAttribute(L"index", 0),
                              FrameDuration(ValidTime(child.GetFloatAttribute(L"duration", 1.0f)))});
    });
    return frames;
}

std::vector<SpriteFrame> ReadFrameList(const IAttributeContainer& element, Label name)
{
    std::wstring wide;
    std::string text;
    Narrow::FromWide(text, element.GetAttribute(wide, L"frameList"));
    std::vector<int> indices;
    try
    {
        indices = ParseFrameList(text);
    }
    catch (AnimationParseError& error)
    {
        if (name)
            error.SetAnimation(name.c_str());
        throw;
    }
    std::vector<SpriteFrame> frames;
    frames.reserve(indices.size());
    for (int index : indices)
        frames.push_back({index, 1.0f});
    return frames;
}
} // namespace

SpriteAnimation ReadSpriteAnimation(const IAttributeContainer& element, IXMLReader* children)
{
    SpriteAnimation animation(ReadLabelAttribute(element, L"name"), ReadNumPlays(element),
                              element.GetBoolAttribute(L"pingPong", false),
                              ReadLabelAttribute(element, L"linkedAnimation"));

    const bool hasDuration = element.HasAttribute(L"duration");
    const bool hasFps = element.HasAttribute(L"fps");
    if (!hasDuration && !hasFps && !element.HasAttribute(L"frameList"))
    {
        animation.frames = ReadFrameChildren(children);
        if (animation.frames.empty())
            animation.frames.push_back({0, 1.0f});
        return animation;
    }

    animation.frames = ReadFrameList(element, animation.name);
    if (animation.frames.empty())
        animation.frames.push_back({0, 1.0f});
    // "duration" is the whole sequence's length and wins over "fps", a rate in frames per second.
    const float timing =
        ValidTime(hasDuration ? element.GetFloatAttribute(L"duration", 1.0f) : element.GetFloatAttribute(L"fps", 1.0f));
    const float each =
        FrameDuration(hasDuration ? timing / static_cast<float>(animation.frames.size()) : 1.0f / timing);
    for (SpriteFrame& frame : animation.frames)
        frame.duration = each;
    return animation;
}
