// The factories of the sprite objects: "imagesprite", "animsprite" and "textsprite".
//
// "imagesprite": "src" names an image resource; "width" and "height" (pixels, either or both)
// scale the image to that size, an axis without a positive size keeping scale 1.
// "animsprite": "src" names an image list resource, whose own "fps" (default 10) and "mode"
// (default once) set the animation; "width" and "height" scale as above by the first item.
// "textsprite": "width" is the wrap width, "bgcolor" the effect colour ("#RRGGBB" or
// "#RRGGBBAA"), "dropOffset" the effect offset ("x,y" or one number for both), "textFormat" the
// text format. Text, font and text mode are the owner's to set.
#pragma once

#include "Widgets/ObjectFactory.h"

namespace Corvane
{
class ImageSpriteObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};

class AnimationSpriteObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};

class TextSpriteObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
