#include "Widgets/ButtonObject.h"

#include "Framework/SoundList.h"
#include "Graphics/Font.h"
#include "Graphics/ImageFileWriters.h"
#include "Graphics/ImageResources.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "Support/FakePlatform.h"
#include "Support/TestFont.h"
#include "Support/TestImageLists.h"
#include "Support/TestSoundFactory.h"
#include "Support/WidgetScreen.h"
#include "Widgets/BackgroundObject.h"
#include "Widgets/WidgetFocus.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

// The image of a list made by MakeImageList.
Image& ImageOf(const ImageList& list, int index)
{
    return *static_cast<Image*>(list.GetImage(index));
}

// A screen holding one button "b" at (100, 50), drawing on a recording canvas.
class ButtonTest : public testing::Test
{
protected:
    ButtonTest()
    {
        Internal::SetTopApplicationMode(&screen);
        GetRenderContext().target = &canvas;
        button = new ButtonObject(Label("b"));
        button->SetBounds({100, 50, 40, 20});
        screen.Add(button);
        screen.Update(0);
    }
    ~ButtonTest() override
    {
        GetRenderContext() = RenderContext();
        Internal::SetTopApplicationMode(nullptr);
    }

    // The item the button draws now (the first piece for a frame), or -1 when it draws nothing.
    int Drawn(const ImageList& list)
    {
        canvas.calls.clear();
        button->Draw();
        return canvas.calls.empty() ? -1 : ItemIndex(list, canvas.calls[0].image);
    }

    FakePlatform platform;
    Log messages;
    WidgetScreen screen{Label(), nullptr, messages};
    RecordingCanvas canvas{{"IQuadDrawingCanvas"}};
    ButtonObject* button = nullptr;
};
} // namespace

TEST_F(ButtonTest, EachStateDrawsItsImageOrItsThreePieces)
{
    enum Situation
    {
        kIdle,
        kOver,
        kPressedOver,
        kPressedAway,
        kPressedAwayFocused,
        kFocused,
        kDisabled
    };
    const struct
    {
        int images;
        Situation situation;
        int drawn;
    } cases[] = {
        {4, kIdle, 0},        {4, kOver, 1},        {4, kPressedOver, 2},
        {4, kPressedAway, 0}, {4, kFocused, 1},     {4, kDisabled, 3},
        {5, kFocused, 4},     {5, kPressedAway, 0}, {5, kPressedAwayFocused, 4},
        {6, kIdle, 0},        {6, kOver, 3},        {6, kPressedOver, -1},
        {6, kFocused, 3},     {15, kFocused, 12},   {15, kPressedOver, 6},
        {15, kDisabled, 9},
    };
    for (const auto& c : cases)
    {
        const auto list = MakeImageList(c.images, {20, 20});
        button->SetImages(list.get());
        button->SetBounds({100, 50, 60, 20});
        button->SetEnabled(c.situation != kDisabled);
        screen.SetFocus(c.situation == kFocused || c.situation == kPressedAwayFocused ? button : nullptr);
        const bool pressed =
            c.situation == kPressedOver || c.situation == kPressedAway || c.situation == kPressedAwayFocused;
        screen.OnMouseMove(c.situation == kIdle || c.situation == kFocused ? 0 : 110, 55);
        if (pressed)
            screen.OnMouseDown(0, 110, 55);
        if (pressed && c.situation != kPressedOver)
            screen.OnMouseMove(300, 300);
        EXPECT_EQ(Drawn(*list), c.drawn) << c.images << " images, situation " << c.situation;
        screen.OnMouseUp(0, 300, 300);
    }
}

TEST_F(ButtonTest, TheSizeFitsTheImagesOrTheText)
{
    const auto single = MakeImageList({{30, 20}, {50, 50}});
    const auto pieces = MakeImageList(6, {10, 24});
    const auto font = MakeTestFont();

    button->SetScale(3.0f);
    button->SetText(L"OK");
    EXPECT_EQ(button->GetBounds(), Rect<float>(100, 50, 40, 20)) << "text without font or images keeps the size";
    button->SetImages(single.get());
    EXPECT_EQ(button->GetBounds(), Rect<float>(100, 50, 30, 20)) << "the first image's size, unscaled";
    button->SetImages(pieces.get());
    EXPECT_EQ(button->GetBounds(), Rect<float>(100, 50, 30, 24)) << "a frame keeps the width";
    button->SetImages(nullptr);
    button->SetFont(font.get());
    button->SetText(L"Play");
    EXPECT_EQ(button->GetBounds(),
              Rect<float>(100, 50, float(Font::MeasureString(*font, L"Play")), float(font->GetLineHeight())));
}

TEST_F(ButtonTest, PressesCountOnlyWhereTheNormalImageIsOpaqueEnough)
{
    // Alpha 25 on the left half, 26 on the right.
    auto list = MakeImageList({{20, 10}});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ImageOf(*list, 0).SetPixel(x, y, (x < 10 ? 25u : 26u) << 24);
    button->SetImages(list.get());
    EXPECT_FALSE(screen.OnMouseDown(0, 105, 55)) << "alpha 25 is not above 25";
    EXPECT_TRUE(screen.OnMouseDown(0, 115, 55));
    screen.OnMouseUp(0, 115, 55);
    EXPECT_FALSE(screen.OnMouseDown(1, 125, 55)) << "outside the bounds";
    button->SetAlphaSensitivity(0);
    EXPECT_TRUE(screen.OnMouseDown(0, 105, 55));

    // A frame answers from its normal-state pieces.
    auto frame = MakeImageList(6, {10, 10}, 0x00000000u);
    for (int y = 0; y < 10; ++y)
        ImageOf(*frame, 1).SetPixel(5, y, 0xFF000000u);
    button->SetImages(frame.get());
    button->SetAlphaSensitivity(25);
    button->SetBounds({100, 50, 40, 10});
    EXPECT_TRUE(button->HitTest(115, 55)) << "the middle piece's opaque column";
    EXPECT_FALSE(button->HitTest(116, 55));
}

TEST_F(ButtonTest, AClickIsAPressAndAReleaseOverTheButton)
{
    EXPECT_TRUE(screen.OnMouseDown(0, 110, 55));
    EXPECT_EQ(screen.GetCapture(), button);
    screen.OnMouseUp(0, 110, 55);
    EXPECT_EQ(messages, Log{"ButtonClick b"});

    messages.clear();
    screen.OnMouseDown(1, 110, 55);
    screen.OnMouseMove(10, 10);
    screen.OnMouseUp(1, 10, 10);
    EXPECT_TRUE(messages.empty()) << "released away from the button";
    EXPECT_EQ(screen.GetCapture(), nullptr);
    EXPECT_EQ(platform.captures, 2);
    EXPECT_EQ(platform.releases, 2);

    EXPECT_TRUE(screen.OnMouseUp(0, 110, 55));
    EXPECT_TRUE(messages.empty()) << "a release over a button that was not pressed";
}

TEST_F(ButtonTest, ControlsFindTheirButtonsByNameInTheCurrentScreen)
{
    EXPECT_EQ(FindObjectByName<ButtonObject>(Label("b")), button);
    EXPECT_EQ(FindObjectByName<ButtonObject>(Label("c")), nullptr);
    EXPECT_EQ(FindObjectByName<BackgroundObject>(Label("b")), nullptr) << "a button is no background";
}

TEST_F(ButtonTest, TheHotKeyClicksWithoutFocusConfirmingKeysOnlyWithIt)
{
    button->SetKeyCode('P');
    EXPECT_TRUE(screen.OnKeyDown('P'));
    for (const int key : {32, 13, 258})
        EXPECT_FALSE(screen.OnKeyDown(key)) << key;
    EXPECT_EQ(messages, Log{"ButtonClick b"});

    messages.clear();
    SetFocus(button);
    for (const int key : {32, 13, 258, int('P')})
        EXPECT_TRUE(screen.OnKeyDown(key)) << key;
    EXPECT_FALSE(screen.OnKeyDown('Q'));
    EXPECT_EQ(messages.size(), 4u);
}

TEST(ButtonObjectFactory, ReadsItsAttributesAndPlaysHotAndDownFromItsSoundList)
{
    ImageResources resources;
    resources.Folder().Write("tiles.png", EncodePng(50, 10, std::vector<PackedColor>(500, 0xFF102030u)));
    resources.Load(R"(<filmstrip name="Tiles" src="tiles" cols="5"/>)");
    LoadTestSounds(resources, R"(
        <testsound name="Ping"/><testsound name="Thud"/>
        <soundlist name="Clicky"><sound event="Hot" src="Ping"/><sound event="Down" src="Thud"/></soundlist>)");
    Log log;
    FakeAudioPlatform audio{log};
    FakePlatform platform;
    WidgetScreen screen(Label(), nullptr, log);
    Internal::SetTopApplicationMode(&screen);

    AttributeContainer attributes;
    attributes.GetAttributes() = {{L"images", L"Tiles"},
                                  {L"sounds", L"Clicky"},
                                  {L"alphaSensitivity", L"0"},
                                  {L"keyCode", L"escape"},
                                  {L"scalable", L"true"}};
    auto* button = static_cast<ButtonObject*>(ButtonObjectFactory().Create(Label("quit"), attributes));
    screen.Add(button);
    screen.Update(0);
    EXPECT_EQ(button->GetName(), Label("quit"));
    EXPECT_EQ(button->GetBounds(), Rect<float>(0, 0, 10, 10));
    EXPECT_EQ(button->GetAlphaSensitivity(), 0);
    EXPECT_EQ(button->GetKeyCode(), 27);
    EXPECT_TRUE(button->IsScalable());

    screen.OnMouseMove(5, 5);
    screen.OnMouseMove(6, 6);
    screen.OnMouseDown(0, 6, 6);
    ASSERT_EQ(audio.channels.size(), 2u) << "Hot once as the pointer comes over, then Down";
    EXPECT_EQ(audio.channels[0]->GetSound(), ResourceManager::Get<ISound>(Label("Ping")).Get());
    EXPECT_EQ(audio.channels[1]->GetSound(), ResourceManager::Get<ISound>(Label("Thud")).Get());

    Internal::SetTopApplicationMode(nullptr);
}

TEST_F(ButtonTest, TheTextIsCentredInTheButtonsColourAndAScalableImageStretches)
{
    const auto list = MakeImageList(4, {20, 10});
    const auto font = MakeTestFont();
    button->SetImages(list.get());
    button->SetScalable(true);
    button->SetScale(2.0f, 3.0f);
    button->SetFont(font.get());
    button->SetText(L"A");
    button->SetColor({1, 0, 0, 1});
    button->Draw();
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].operation, "DrawStretchedImage");
    EXPECT_EQ(canvas.calls[0].numbers, (std::vector<float>{100, 50, 40, 30}));
    const float glyphWidth = float(Font::MeasureString(*font, L"A"));
    EXPECT_EQ(canvas.calls[1].numbers,
              (std::vector<float>{std::floor(100 + 21 * 0.5f) - std::floor(glyphWidth / 2), 55.0f - 5.0f}));
    EXPECT_EQ(canvas.calls[1].state.tint, ColorF(1, 0, 0, 1));
}
