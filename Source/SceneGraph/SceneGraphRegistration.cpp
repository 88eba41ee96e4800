#include "SceneGraph/SceneGraphRegistration.h"

#include "Framework/ResourceManager.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/BackgroundNode.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/CheckBoxNode.h"
#include "SceneGraph/ListNode.h"
#include "SceneGraph/RadioButtonNode.h"
#include "SceneGraph/NodeGridNode.h"
#include "SceneGraph/RandomRange.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/SceneRef.h"
#include "SceneGraph/ScrollBarNode.h"
#include "SceneGraph/SliderNode.h"
#include "SceneGraph/FractionTextMeterNode.h"
#include "SceneGraph/MeterBarNodes.h"
#include "SceneGraph/ShapeNodes.h"
#include "SceneGraph/SpriteResourceFactories.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "SceneGraph/TextEditNode.h"
#include "SceneGraph/TextSpriteNode.h"
#include "SceneGraph/TiledSpriteNode.h"

using namespace Corvane;

void RegisterSceneResourceFactories()
{
    ResourceManager* resources = ResourceManager::Instance();
    resources->RegisterFactory(L"spriteanimationlist", new SpriteAnimationListResourceFactory);
    resources->RegisterFactory(L"spritetype", new SpriteTypeResourceFactory);
    resources->RegisterFactory(L"scenelayout", new SceneLayoutResourceFactory);
    resources->RegisterFactory(L"randomrange", new RandomRangeResourceFactory);
}

void RegisterSceneNodeTypes()
{
    RegisterNodeFactory(L"sceneref", new SceneRefFactory);
    RegisterNodeFactory(L"scenenode", new BasicSceneNodeFactory);
    RegisterNodeFactory(L"backgroundnode", new BackgroundNodeFactory);
    RegisterNodeFactory(L"buttonnode", new ButtonNodeFactory);
    RegisterNodeFactory(L"checkboxnode", new CheckBoxNodeFactory);
    RegisterNodeFactory(L"listnode", new ListNodeFactory);
    RegisterNodeFactory(L"radiobuttonnode", new RadioButtonNodeFactory);
    RegisterNodeFactory(L"scrollbarnode", new ScrollBarNodeFactory);
    RegisterNodeFactory(L"slidernode", new SliderNodeFactory);
    RegisterNodeFactory(L"staticspritenode", new StaticSpriteNodeFactory);
    RegisterNodeFactory(L"textspritenode", new TextSpriteNodeFactory);
    RegisterNodeFactory(L"animatedspritenode", new AnimatedSpriteNodeFactory);
    RegisterNodeFactory(L"styledtextspritenode", new StyledTextSpriteNodeFactory);
    RegisterNodeFactory(L"tiledspritenode", new TiledSpriteNodeFactory);
    RegisterNodeFactory(L"nodegridnode", new NodeGridNodeFactory);
    RegisterNodeFactory(L"meterbarnode", new MeterBarNodeFactory);
    RegisterNodeFactory(L"discretemeterbarnode", new DiscreteMeterBarNodeFactory);
    RegisterNodeFactory(L"rectnode", new RectNodeFactory);
    RegisterNodeFactory(L"ellipsenode", new EllipseNodeFactory);
    RegisterNodeFactory(L"texteditnode", new TextEditNodeFactory);
    RegisterNodeFactory(L"fractiontextmeternode", new FractionTextMeterNodeFactory);
}

void RegisterSceneGraphTypes()
{
    RegisterSceneResourceFactories();
    RegisterSceneNodeTypes();
}
