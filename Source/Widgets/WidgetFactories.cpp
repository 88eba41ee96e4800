// Start-up's registration of the widget family: the "layout" resource, then one factory per
// widget element, in the order below.
#include "Framework/ResourceManager.h"
#include "Widgets/BackgroundObject.h"
#include "Widgets/BrushObjects.h"
#include "Widgets/ButtonObject.h"
#include "Widgets/Layout.h"
#include "Widgets/ObjectFactory.h"
#include "Widgets/SpriteObjectFactories.h"

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

// The fixed order of registration. The text field, list, tree, scroll bar, slider, check box and
// radio button take their places as they are written: "textedit", "list", "tree", "scrollbar",
// "slider" and "checkbox" between "background" and "button", "radiobutton" after "button".
constexpr FactoryEntry kFactories[] = {
    {L"background", &Make<BackgroundObjectFactory>},      {L"button", &Make<ButtonObjectFactory>},
    {L"textsprite", &Make<TextSpriteObjectFactory>},      {L"imagesprite", &Make<ImageSpriteObjectFactory>},
    {L"animsprite", &Make<AnimationSpriteObjectFactory>}, {L"ninebrush", &Make<NineBrushObjectFactory>},
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
