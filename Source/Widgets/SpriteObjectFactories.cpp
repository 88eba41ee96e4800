#include "Widgets/SpriteObjectFactories.h"

#include "Graphics/IImage.h"
#include "Graphics/IImageList.h"
#include "Widgets/SpriteObjects.h"
#include "Widgets/WidgetResources.h"

#include <memory>

namespace Corvane
{
namespace
{
// Scales sprite so that a picture of the given size shows at "width" by "height".
void ScaleToAttributes(ScaleComponent& sprite, const IAttributeContainer& attributes, int width, int height)
{
    if (!attributes.HasAttribute(L"width") && !attributes.HasAttribute(L"height"))
        return;
    const float w = attributes.GetFloatAttribute(L"width", 0.0f);
    const float h = attributes.GetFloatAttribute(L"height", 0.0f);
    // A picture without pixels on an axis cannot be scaled to a size on it.
    sprite.SetScale(Vector2<float>{w > 0.0f && width > 0 ? w / static_cast<float>(width) : 1.0f,
                                   h > 0.0f && height > 0 ? h / static_cast<float>(height) : 1.0f});
}
} // namespace

Object* ImageSpriteObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto sprite = std::make_unique<ImageSpriteObject>(name);
    sprite->SetImage(FindNamedResource<IImage>(attributes, L"src"));
    if (IImage* image = sprite->GetImage())
        ScaleToAttributes(*sprite, attributes, image->GetWidth(), image->GetHeight());
    return sprite.release();
}

Object* AnimationSpriteObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto sprite = std::make_unique<AnimationSpriteObject>(name);
    if (attributes.HasAttribute(L"src"))
        sprite->SetAnimation(ImageListAnimation::Load(Label(std::wstring(attributes.GetStringAttribute(L"src", L""))),
                                                      kAnimationOnce, 10.0f));
    if (IImageList* list = sprite->GetAnimation().list)
        ScaleToAttributes(*sprite, attributes, list->GetWidth(0), list->GetHeight(0));
    return sprite.release();
}

Object* TextSpriteObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto sprite = std::make_unique<TextSpriteObject>(name);
    if (attributes.HasAttribute(L"width"))
        sprite->SetWrapWidth(attributes.GetFloatAttribute(L"width", 0.0f));
    if (attributes.HasAttribute(L"bgcolor"))
        sprite->SetEffectColor(ParseColor(attributes.GetStringAttribute(L"bgcolor", L"")));
    if (attributes.HasAttribute(L"dropOffset"))
        if (const auto offset = ParseIntPair(attributes.GetStringAttribute(L"dropOffset", L"")))
            sprite->SetEffectOffset(*offset);
    if (attributes.HasAttribute(L"textFormat"))
        sprite->SetTextFormat(attributes.GetStringAttribute(L"textFormat", L""));
    return sprite.release();
}
} // namespace Corvane
