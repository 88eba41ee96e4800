// Start-up's registration of the widget family: the "layout" resource, then one factory per
// widget element, in the order below.
#include "Framework/ResourceManager.h"
#include "Widgets/BackgroundObject.h"
#include "Widgets/BrushObjects.h"
#include "Widgets/ButtonObject.h"
#include "Widgets/Layout.h"
#include "Widgets/ListObject.h"
#include "Widgets/ObjectFactory.h"
#include "Widgets/ScrollBarObject.h"
#include "Widgets/SliderObject.h"
#include "Widgets/SpriteObjectFactories.h"
#include "Widgets/TextEditObject.h"
#include "Widgets/ToggleObjects.h"
#include "Widgets/TreeObject.h"

namespace Corvane
{
namespace
{
template <typename Factory> IObjectFactory* Make()
{
    return new Factory;
}

struct FactoryEntry
{
    const wchar_t* element;
    IObjectFactory* (*make)();
};

// The fixed order of registration.
constexpr FactoryEntry kFactories[] = {
    {L"background", &Make<BackgroundObjectFactory>},
    {L"textedit", &Make<TextEditObjectFactory>},
    {L"list", &Make<ListObjectFactory>},
    {L"tree", &Make<TreeObjectFactory>},
    {L"scrollbar", &Make<ScrollBarObjectFactory>},
    {L"slider", &Make<SliderObjectFactory>},
    {L"checkbox", &Make<CheckBoxObjectFactory>},
    {L"button", &Make<ButtonObjectFactory>},
    {L"radiobutton", &Make<RadioButtonObjectFactory>},
    {L"textsprite", &Make<TextSpriteObjectFactory>},
    {L"imagesprite", &Make<ImageSpriteObjectFactory>},
    {L"animsprite", &Make<AnimationSpriteObjectFactory>},
    {L"ninebrush", &Make<NineBrushObjectFactory>},
    {L"threebrush", &Make<ThreeBrushObjectFactory>},
};
} // namespace

void RegisterObjectFactories()
{
    ResourceManager::Instance()->RegisterFactory(L"layout", new LayoutResourceFactory);
    ObjectFactory* registry = ObjectFactory::Instance();
    for (const FactoryEntry& entry : kFactories)
        registry->Register(entry.make(), entry.element);
}
} // namespace Corvane
