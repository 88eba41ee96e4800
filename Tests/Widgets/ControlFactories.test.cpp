// The factories of the text field, toggles, list, tree, slider and scroll bar, each reading its
// element's attributes into the object it makes.
#include "Framework/SoundList.h"
#include "Graphics/IImageList.h"
#include "Graphics/ImageFileWriters.h"
#include "Graphics/ImageResources.h"
#include "Support/TestFont.h"
#include "Support/TestSoundFactory.h"
#include "Support/WidgetFixture.h"
#include "Widgets/ButtonObject.h"
#include "Widgets/ListObject.h"
#include "Widgets/ScrollBarObject.h"
#include "Widgets/SliderObject.h"
#include "Widgets/TextEditObject.h"
#include "Widgets/ToggleObjects.h"
#include "Widgets/TreeObject.h"

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
class ControlFactoryTest : public WidgetFixture
{
protected:
    ControlFactoryTest()
    {
        const auto png = [this](const char* name, int width, int height) {
            resources.Folder().Write(name,
                                     EncodePng(width, height, std::vector<PackedColor>(width * height, 0xFF102030u)));
        };
        png("nine.png", 12, 12);
        png("ten.png", 100, 10);
        png("thumb.png", 50, 16);
        png("caret.png", 2, 10);
        resources.Load(R"(<filmstrip name="Nine" src="nine" cols="3" rows="3"/>
                          <filmstrip name="Ten" src="ten" cols="10"/>
                          <filmstrip name="Thumb" src="thumb" cols="5"/>
                          <image name="Caret" src="caret"/>)");
        LoadTestSounds(resources, R"(<testsound name="Ping"/>
                                     <soundlist name="Clicky"><sound event="Hot" src="Ping"/></soundlist>)");
    }

    // What factory makes of the attributes, added to the screen.
    template <typename T> T* Make(IObjectFactory&& factory, AttributeMap attributes)
    {
        AttributeContainer container;
        container.GetAttributes() = std::move(attributes);
        auto* object = dynamic_cast<T*>(factory.Create(Label("made"), container));
        if (object)
            screen.Add(object);
        return object;
    }

    template <typename T> static T* Resource(const char* name) { return ResourceManager::Get<T>(Label(name)).Get(); }

    ImageResources resources;
    std::vector<std::string> audioLog;
    FakeAudioPlatform audio{audioLog};
};
} // namespace

TEST_F(ControlFactoryTest, TheTextEditReadsItsFieldCaretLimitsAndAlignment)
{
    auto* edit = Make<TextEditObject>(TextEditObjectFactory(), {{L"fieldImages", L"Nine"},
                                                                {L"cursorImage", L"Caret"},
                                                                {L"maxCharacters", L"many"},
                                                                {L"maxStringWidth", L"120"},
                                                                {L"passwordMode", L"true"},
                                                                {L"passwordCharacter", L"#!"},
                                                                {L"textalign", L"right"}});
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetFieldImages(), Resource<IImageList>("Nine"));
    EXPECT_EQ(edit->GetBounds().height, 8.0f) << "the field's top and bottom, no font yet";
    EXPECT_EQ(edit->GetMaxCharacters(), 0) << "a text that is not a number";
    EXPECT_EQ(edit->GetMaxStringWidth(), 120);
    EXPECT_TRUE(edit->IsPasswordMode());
    EXPECT_EQ(edit->GetPasswordCharacter(), L'#');
    EXPECT_EQ(edit->GetTextAlignment(), TextEditObject::kTextRight);

    const struct
    {
        const wchar_t* align;
        int expected;
    } aligns[] = {{L"center", 1}, {L"Center", 0}, {L"left", 0}};
    for (const auto& a : aligns)
    {
        auto* other =
            Make<TextEditObject>(TextEditObjectFactory(), {{L"textalign", a.align}, {L"passwordCharacter", L""}});
        EXPECT_EQ(other->GetTextAlignment(), a.expected);
        EXPECT_EQ(other->GetPasswordCharacter(), L'*') << "an empty text changes nothing";
        EXPECT_EQ(other->GetMaxCharacters(), -1);
    }
}

TEST_F(ControlFactoryTest, TheTogglesReadTheirImagesSoundsSensitivityAndGroup)
{
    auto* box = Make<CheckBoxObject>(CheckBoxObjectFactory(),
                                     {{L"images", L"Ten"}, {L"sounds", L"Clicky"}, {L"alphaSensitivity", L"0"}});
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetImages(), Resource<IImageList>("Ten"));
    EXPECT_EQ(box->GetBounds(), Rect<float>(0, 0, 10, 10)) << "fitted to the first image";
    EXPECT_EQ(box->GetSounds(), Resource<SoundList>("Clicky"));
    EXPECT_EQ(box->GetAlphaSensitivity(), 0);

    auto* radio = Make<RadioButtonObject>(RadioButtonObjectFactory(), {{L"images", L"Missing"}, {L"group", L"Size"}});
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->GetImages(), nullptr);
    EXPECT_EQ(radio->GetRadioGroup(), Label("Size"));
    EXPECT_EQ(radio->GetAlphaSensitivity(), 25);
    EXPECT_EQ(radio->GetGroup(), Label("RadioButton"));
}

TEST_F(ControlFactoryTest, TheListAndTheTreeReadTheirFrameAndColours)
{
    const AttributeMap attributes = {{L"images", L"Nine"},
                                     {L"textColor", L"#FF000080"},
                                     {L"selectedTextColor", L"#00FF00"},
                                     {L"selectedBackgroundColor", L"#0000FF"}};
    ItemViewObject* views[] = {Make<ListObject>(ListObjectFactory(), attributes),
                               Make<TreeObject>(TreeObjectFactory(), attributes)};
    for (ItemViewObject* view : views)
    {
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->GetImages(), Resource<IImageList>("Nine"));
        EXPECT_EQ(view->GetBounds(), Rect<float>(0, 0, 0, 0)) << "the size stays";
        EXPECT_EQ(view->GetColor(), ColorF(1, 0, 0, 128 / 255.0f));
        EXPECT_EQ(view->GetSelectedTextColor(), ColorF(0, 1, 0, 1));
        EXPECT_EQ(view->GetSelectedBackgroundColor(), ColorF(0, 0, 1, 1));
    }
    auto* plain = Make<ListObject>(ListObjectFactory(), {});
    EXPECT_EQ(plain->GetSelectedTextColor(), ColorF(1, 1, 1, 1));
    EXPECT_EQ(plain->GetSelectedBackgroundColor(), ColorF(0, 0, 0, 1));
}

TEST_F(ControlFactoryTest, TheSliderReadsItsImagesAndTicksAndSnapsOnceItHasThem)
{
    auto* slider = Make<SliderObject>(SliderObjectFactory(), {{L"channelImages", L"Ten"},
                                                              {L"thumbImages", L"Thumb"},
                                                              {L"sounds", L"Clicky"},
                                                              {L"alphaSensitivity", L"7"},
                                                              {L"numTicks", L"3"},
                                                              {L"snapToTicks", L"true"}});
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetChannelImages(), Resource<IImageList>("Ten"));
    EXPECT_EQ(slider->GetThumbImages(), Resource<IImageList>("Thumb"));
    EXPECT_EQ(slider->GetBounds().height, 16.0f) << "the taller of channel and thumb";
    EXPECT_EQ(slider->GetSounds(), Resource<SoundList>("Clicky"));
    EXPECT_EQ(slider->GetAlphaSensitivity(), 7);
    EXPECT_EQ(slider->GetTickCount(), 3);
    EXPECT_TRUE(slider->IsSnappingToTicks());
    slider->SetBounds({0, 0, 110, 16});
    slider->SetValue(0.3f);
    EXPECT_EQ(slider->GetValue(), 0.5f);
}

TEST_F(ControlFactoryTest, TheScrollBarGivesItsButtonsTheirArrowsAndItsSounds)
{
    auto* bar = Make<ScrollBarObject>(ScrollBarObjectFactory(), {{L"channelImages", L"Ten"},
                                                                 {L"thumbImages", L"Thumb"},
                                                                 {L"downArrowImages", L"Thumb"},
                                                                 {L"upArrowImages", L"Ten"},
                                                                 {L"sounds", L"Clicky"}});
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetChannelImages(), Resource<IImageList>("Ten"));
    EXPECT_EQ(bar->GetThumbImages(), Resource<IImageList>("Thumb"));
    ASSERT_NE(bar->GetUpButton(), nullptr);
    ASSERT_NE(bar->GetDownButton(), nullptr);
    EXPECT_EQ(bar->GetUpButton()->GetImages(), Resource<IImageList>("Ten"));
    EXPECT_EQ(bar->GetDownButton()->GetImages(), Resource<IImageList>("Thumb"));
    EXPECT_EQ(bar->GetDownButton()->GetBounds().height, 16.0f);
    for (const ButtonObject* button : {bar->GetUpButton(), bar->GetDownButton()})
        EXPECT_EQ(button->GetSounds(), Resource<SoundList>("Clicky"));
}
