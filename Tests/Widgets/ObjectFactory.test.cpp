#include "Widgets/ObjectFactory.h"

#include "Framework/EngineHooks.h"
#include "Singleton.h"
#include "Support/ResourceFolder.h"
#include "Widgets/BackgroundObject.h"
#include "Widgets/BrushObjects.h"
#include "Widgets/ButtonObject.h"
#include "Widgets/Layout.h"
#include "Widgets/ListObject.h"
#include "Widgets/ScrollBarObject.h"
#include "Widgets/SliderObject.h"
#include "Widgets/SpriteObjects.h"
#include "Widgets/TextEditObject.h"
#include "Widgets/ToggleObjects.h"
#include "Widgets/TreeObject.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
template <typename T> bool Is(const Object* object)
{
    return dynamic_cast<const T*>(object) != nullptr;
}

class CountedFactory : public IObjectFactory
{
public:
    explicit CountedFactory(int& deleted) : mDeleted(deleted) {}
    ~CountedFactory() override { ++mDeleted; }
    Object* Create(Label, const IAttributeContainer&) override { return nullptr; }

private:
    int& mDeleted;
};

// A registry of its own for each test; the teardown list forgets it with it.
class ObjectFactoryTest : public testing::Test
{
protected:
    ~ObjectFactoryTest() override { delete ObjectFactory::Instance(); }

    // What the registered factory of element makes, named "made".
    std::unique_ptr<Object> Make(const wchar_t* element)
    {
        IObjectFactory* factory = ObjectFactory::Instance()->Find(element);
        return std::unique_ptr<Object>(factory ? factory->Create(Label("made"), AttributeContainer()) : nullptr);
    }
};
} // namespace

TEST_F(ObjectFactoryTest, StartUpRegistersTheLayoutResourceAndTheWidgetFactoriesInOrder)
{
    ResourceFolder resources;
    // The step the shipped start-up runs right after the value resource factories.
    ASSERT_TRUE(Internal::GetEngineHooks().registerObjectFactories);
    Internal::GetEngineHooks().registerObjectFactories();

    const struct
    {
        const wchar_t* element;
        bool (*isItsClass)(const Object*);
    } registered[] = {
        {L"background", &Is<BackgroundObject>},
        {L"textedit", &Is<TextEditObject>},
        {L"list", &Is<ListObject>},
        {L"tree", &Is<TreeObject>},
        {L"scrollbar", &Is<ScrollBarObject>},
        {L"slider", &Is<SliderObject>},
        {L"checkbox", &Is<CheckBoxObject>},
        {L"button", &Is<ButtonObject>},
        {L"radiobutton", &Is<RadioButtonObject>},
        {L"textsprite", &Is<TextSpriteObject>},
        {L"imagesprite", &Is<ImageSpriteObject>},
        {L"animsprite", &Is<AnimationSpriteObject>},
        {L"ninebrush", &Is<NineBrushObject>},
        {L"threebrush", &Is<ThreeBrushObject>},
    };
    std::vector<std::wstring> order;
    for (const auto& entry : registered)
    {
        order.push_back(entry.element);
        EXPECT_TRUE(entry.isItsClass(Make(entry.element).get())) << Label(entry.element).c_str();
    }
    EXPECT_EQ(ObjectFactory::Instance()->GetElementNames(), order);
    EXPECT_EQ(Make(L"Button"), nullptr) << "element names are compared exactly";
    EXPECT_EQ(Make(L"imagesprite")->GetName(), Label("made"));

    resources.WriteManifest("screens", R"(<layout name="Menu"/>)");
    resources.Manager().LoadAndWait(L"screens", false, nullptr);
    EXPECT_TRUE(ResourceManager::Get<Layout>(Label("Menu")));
}

TEST_F(ObjectFactoryTest, ASecondFactoryUnderANameReleasesTheFirstAtOnce)
{
    int deleted = 0;
    ObjectFactory* registry = ObjectFactory::Instance();
    registry->Register(new CountedFactory(deleted), L"button");
    auto* second = new CountedFactory(deleted);
    registry->Register(second, L"button");
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(registry->Find(L"button"), second);
    EXPECT_EQ(registry->GetElementNames(), std::vector<std::wstring>{L"button"});
}

TEST_F(ObjectFactoryTest, TheSingletonTeardownReleasesTheRegistryAndItsFactories)
{
    int deleted = 0;
    ObjectFactory* first = ObjectFactory::Instance();
    first->Register(new CountedFactory(deleted), L"list");
    Internal::DestroySingletons();
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(ObjectFactory::Instance()->Find(L"list"), nullptr) << "a fresh registry";
}
