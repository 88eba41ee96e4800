#include "Widgets/ScrollBarObject.h"

#include "AttributeContainer.h"
#include "Framework/SoundList.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Widgets/ButtonObject.h"
#include "Widgets/WidgetFocus.h"
#include "Widgets/WidgetResources.h"

#include <memory>
#include <string>

namespace Corvane
{
namespace
{
Label ButtonName(Label scrollBar, const char* suffix)
{
    return Label(std::string(scrollBar ? scrollBar.c_str() : "") + suffix);
}

constexpr const char* kUp = "ScrollUp";
constexpr const char* kDown = "ScrollDown";
} // namespace

ScrollBarObject::ScrollBarObject(Label name) : ControlObject(name)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return;
    for (const char* suffix : {kUp, kDown})
    {
        auto button = std::make_unique<ButtonObject>(ButtonName(name, suffix));
        database->Add(button.get());
        button.release();
    }
}

ButtonObject* ScrollBarObject::GetUpButton() const
{
    return FindObjectByName<ButtonObject>(ButtonName(GetName(), kUp));
}

ButtonObject* ScrollBarObject::GetDownButton() const
{
    return FindObjectByName<ButtonObject>(ButtonName(GetName(), kDown));
}

void ScrollBarObject::SetSounds(const SoundList* sounds)
{
    mSounds = sounds;
    for (ButtonObject* button : {GetUpButton(), GetDownButton()})
        if (button)
            button->SetSounds(sounds);
}

void ScrollBarObject::SetDepth(float depth)
{
    ControlObject::SetDepth(depth);
    for (ButtonObject* button : {GetUpButton(), GetDownButton()})
        if (button)
            button->SetDepth(depth + 1.0f);
}

void ScrollBarObject::SetBounds(const Rect<float>& bounds)
{
    ControlObject::SetBounds(bounds);
    if (ButtonObject* up = GetUpButton())
        up->SetLocation({bounds.x, bounds.y});
    if (ButtonObject* down = GetDownButton())
        down->SetLocation({bounds.x, bounds.y + bounds.height - down->GetBounds().height});
}

void ScrollBarObject::Draw()
{
    if (!IsVisible())
        return;
    const Rect<float>& bounds = GetBounds();
    Graphics::DrawThreeBrushVertical(mChannelImages, 0, bounds.x, bounds.y, bounds.height,
                                     Graphics::GetRenderContext().state, Graphics::GetCurrentCanvas());
}

Object* ScrollBarObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto scrollBar = std::make_unique<ScrollBarObject>(name);
    scrollBar->SetChannelImages(FindNamedResource<IImageList>(attributes, L"channelImages"));
    scrollBar->SetThumbImages(FindNamedResource<IImageList>(attributes, L"thumbImages"));
    if (ButtonObject* down = scrollBar->GetDownButton(); down && attributes.HasAttribute(L"downArrowImages"))
        down->SetImages(FindNamedResource<IImageList>(attributes, L"downArrowImages"));
    if (ButtonObject* up = scrollBar->GetUpButton(); up && attributes.HasAttribute(L"upArrowImages"))
        up->SetImages(FindNamedResource<IImageList>(attributes, L"upArrowImages"));
    if (attributes.HasAttribute(L"sounds"))
        scrollBar->SetSounds(FindNamedResource<SoundList>(attributes, L"sounds"));
    return scrollBar.release();
}
} // namespace Corvane
