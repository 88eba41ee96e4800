#include "SceneGraph/ButtonNode.h"

#include "Framework/SoundList.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "Support/ControlScene.h"
#include "Support/TestImageLists.h"
#include "Support/TextCanvas.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;
const std::vector<std::string> kSounds = {"HotSound", "DownSound", "ReleaseSound"};

// Image lists "L<n>" of n images 20 x 10, a wide one, frames of 30 x 10 pieces, sounds for the
// button's events, a font and a text. Each image's pixel alpha is its column.
class ButtonNodeTest : public testing::Test
{
protected:
    ButtonNodeTest()
    {
        std::string lists;
        for (int n : {1, 2, 3, 4, 5, 6, 15})
        {
            std::string sizes = "20x10";
            for (int i = 1; i < n; ++i)
                sizes += ",20x10";
            lists += "<testimagelist name=\"L" + std::to_string(n) + "\" sizes=\"" + sizes + "\"/>";
        }
        scene.Load(lists + R"(
            <testimagelist name="Wide" sizes="60x10"/>
            <testimagelist name="Pieces" sizes="30x10,30x10,30x10,30x10,30x10,30x10"/>
            <testimagelist name="NoImages" sizes=""/>
            <testsound name="HotSound"/><testsound name="DownSound"/><testsound name="ReleaseSound"/>
            <soundlist name="Clicky">
              <sound event="Hot" src="HotSound"/><sound event="Down" src="DownSound"/>
              <sound event="Release" src="ReleaseSound"/>
            </soundlist>
            <testfont name="Font"/>
            <string name="Greeting" value="ABCD"/>)");
    }

    // A button at (10, 10) from a "buttonnode" element with these attributes.
    ButtonNode* Show(const std::string& attributes)
    {
        auto* button = dynamic_cast<ButtonNode*>(scene.Show(R"(<buttonnode x="10" y="10" )" + attributes + "/>"));
        EXPECT_NE(button, nullptr) << attributes;
        scene.Update();
        return button;
    }
    void Remove(SceneNode* node)
    {
        scene.Screen().Remove(node->GetID());
        scene.Update();
    }
    // The first image the screen draws, as an index of list, or -1 when nothing is drawn.
    int Drawn(const char* list)
    {
        RecordingCanvas canvas({"IQuadDrawingCanvas"});
        scene.Draw(&canvas);
        return canvas.calls.empty()
                   ? -1
                   : ItemIndex(*ResourceManager::Get<ImageList>(Label(list)).Get(), canvas.calls[0].image);
    }
    Object* Capture() { return scene.Screen().GetCapture(); }

    ControlScene scene;
};
} // namespace

TEST_F(ButtonNodeTest, EachStateShowsItsPictureFromOneToFiveImagesOrThreePieces)
{
    enum Situation
    {
        kIdle,
        kOver,
        kPressedOver,
        kPressedAway,
        kFocused,
        kFocusedPressedAway,
        kDisabled,
    };
    const struct
    {
        int images;
        Situation situation;
        int drawn;
    } cases[] = {
        {1, kIdle, 0},         {1, kOver, -1},     {1, kFocused, -1},     {2, kOver, 1},
        {2, kPressedOver, -1}, {2, kFocused, 1},   {3, kPressedOver, 2},  {3, kPressedAway, 0},
        {4, kDisabled, 3},     {4, kFocused, 1},   {5, kFocused, 4},      {5, kFocusedPressedAway, 4},
        {5, kPressedOver, 2},  {6, kIdle, 0},      {6, kOver, 3},         {6, kPressedOver, -1},
        {6, kFocused, 3},      {15, kFocused, 12}, {15, kPressedOver, 6}, {15, kDisabled, 9},
        {15, kPressedAway, 0}, {15, kOver, 3},
    };
    for (const auto& c : cases)
    {
        const std::string list = "L" + std::to_string(c.images);
        ButtonNode* button = Show("images=\"" + list + "\" width=\"60\" alphaSensitivity=\"0\"");
        const bool focused = c.situation == kFocused || c.situation == kFocusedPressedAway;
        const bool pressed =
            c.situation == kPressedOver || c.situation == kPressedAway || c.situation == kFocusedPressedAway;
        if (focused)
            button->SetKeyboardFocus();
        button->SetEnabled(c.situation != kDisabled);
        scene.MoveMouse(c.situation == kIdle || c.situation == kFocused ? 300 : 15, 15);
        if (pressed)
            scene.Press(15, 15);
        if (c.situation == kPressedAway || c.situation == kFocusedPressedAway)
            scene.MoveMouse(300, 300);
        EXPECT_EQ(Drawn(list.c_str()), c.drawn) << c.images << " images, situation " << c.situation;
        scene.Release(300, 300);
        Remove(button);
    }
}

TEST_F(ButtonNodeTest, PressLeaveAndReleaseOutsideGivesNoClickButEndsTheCapture)
{
    ButtonNode* button = Show(R"(nodeName="Ok" images="L4" sounds="Clicky" alphaSensitivity="0")");
    scene.MoveMouse(15, 15);
    EXPECT_EQ(button->GetState(), kControlHot);
    EXPECT_EQ(scene.TakeSounds(kSounds), Log{"HotSound"});
    scene.Press(15, 15);
    EXPECT_EQ(button->GetState(), kControlPressed);
    EXPECT_EQ(Capture(), button);
    EXPECT_EQ(scene.TakeSounds(kSounds), Log{"DownSound"});

    scene.MoveMouse(300, 300);
    EXPECT_EQ(button->GetState(), kControlNormal) << "the normal picture while the pointer is away";
    EXPECT_EQ(Capture(), button);
    scene.MoveMouse(16, 16);
    EXPECT_EQ(button->GetState(), kControlPressed);
    EXPECT_EQ(scene.TakeSounds(kSounds), Log{"HotSound"}) << "coming back is entering again";
    scene.MoveMouse(300, 300);
    scene.Release(300, 300);
    EXPECT_EQ(Capture(), nullptr);
    EXPECT_TRUE(scene.TakeMessages().empty());
    EXPECT_TRUE(scene.TakeSounds(kSounds).empty()) << "no click, no Release";

    // A press elsewhere released over the button is no click either.
    scene.Press(300, 300);
    scene.MoveMouse(15, 15);
    scene.Release(15, 15);
    EXPECT_TRUE(scene.TakeMessages().empty());

    scene.Click(15, 15);
    EXPECT_EQ(scene.TakeMessages(), Log{"ButtonClick Ok"});
    EXPECT_EQ(scene.TakeSounds(kSounds), (Log{"HotSound", "DownSound", "ReleaseSound"}));
    EXPECT_EQ(Capture(), nullptr);
    EXPECT_EQ(button->GetState(), kControlHot);
}

TEST_F(ButtonNodeTest, ADisabledButtonTakesNoClicksAndNeverKeepsTheCapture)
{
    ButtonNode* button = Show(R"(nodeName="Ok" images="L4" sounds="Clicky" alphaSensitivity="0" keyCode="P")");
    scene.MoveMouse(15, 15);
    scene.Press(15, 15);
    ASSERT_EQ(Capture(), button);
    button->SetEnabled(false);
    EXPECT_EQ(button->GetState(), kControlDisabled);
    scene.Release(15, 15);
    EXPECT_EQ(Capture(), nullptr) << "released over the button after it was disabled";
    EXPECT_TRUE(scene.TakeMessages().empty());
    scene.TakeSounds(kSounds);

    // Disabled: no hover, press or click by mouse; the leave still clears the hover; the hot key
    // still clicks.
    scene.MoveMouse(300, 300);
    EXPECT_FALSE(button->IsHovered());
    scene.MoveMouse(15, 15);
    scene.Click(15, 15);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(Capture(), nullptr);
    EXPECT_TRUE(scene.TakeSounds(kSounds).empty());
    EXPECT_TRUE(scene.TakeMessages().empty());
    scene.TypeKey('P');
    EXPECT_EQ(scene.TakeMessages(), Log{"ButtonClick Ok"});

    // Enabled again under a resting pointer it shows normal until the pointer leaves and returns.
    button->SetEnabled(true);
    EXPECT_EQ(button->GetState(), kControlNormal);
    scene.MoveMouse(300, 300);
    scene.MoveMouse(15, 15);
    EXPECT_EQ(button->GetState(), kControlHot);
    scene.Click(15, 15);
    EXPECT_EQ(scene.TakeMessages(), Log{"ButtonClick Ok"});
}

TEST_F(ButtonNodeTest, TheBroadcastComesBeforeClickedAndTheReleaseSoundAfter)
{
    // An object of the screen that logs the messages it sees.
    class Listener : public Object
    {
    public:
        explicit Listener(Log& log) : mLog(log) {}
        void OnMessage(const ObjectMessage& message) override
        {
            mLog.push_back(std::string("object ") + message.GetName().c_str());
        }

    private:
        Log& mLog;
    };
    scene.Screen().Add(new Listener(scene.messages));
    ButtonNode* button = Show(R"(nodeName="Ok" images="L4" sounds="Clicky" alphaSensitivity="0")");
    scene.TakeMessages();
    Log order;
    for (const char* handler : {"first", "second"})
        button->Clicked.connect([&, handler](ButtonNode* clicked) {
            EXPECT_EQ(clicked, button);
            order.push_back(std::string(handler) + " after " + std::to_string(scene.messages.size()) + " messages, " +
                            std::to_string(scene.TakeSounds(kSounds).size()) + " sounds");
        });
    scene.MoveMouse(15, 15);
    scene.Press(15, 15);
    scene.TakeSounds(kSounds);
    scene.Release(15, 15);
    EXPECT_EQ(order, (Log{"first after 2 messages, 0 sounds", "second after 2 messages, 0 sounds"}));
    EXPECT_EQ(scene.TakeMessages(), (Log{"ButtonClick Ok", "object ButtonClick"}));
    EXPECT_EQ(scene.TakeSounds(kSounds), Log{"ReleaseSound"});

    order.clear();
    button->Click();
    EXPECT_EQ(order.size(), 2u);
    EXPECT_EQ(scene.TakeMessages(), (Log{"ButtonClick Ok", "object ButtonClick"}));
    EXPECT_TRUE(scene.TakeSounds(kSounds).empty()) << "only a mouse click plays Release";
}

TEST_F(ButtonNodeTest, KeysClickByNameFocusOrHotKey)
{
    const struct
    {
        const wchar_t* name;
        int code;
    } names[] = {
        {L"VK_RETURN", 13}, {L"enter", 13}, {L"ENTER", 13}, {L"a", 65}, {L"GamePadA", 258}, {L"VK_ESCAPE", 27},
        {L"F1", 112},       {L"Null", 0},   {L"Bogus", 0},  {L"", 0},   {L"é", 0},          {L"7", 55},
    };
    ButtonNodeFactory factory;
    for (const auto& c : names)
    {
        AttributeContainer attributes;
        attributes.GetAttributes() = {{L"keyCode", c.name}};
        std::unique_ptr<SceneNodeDescriptor> descriptor(factory.CreateDescriptor(attributes));
        EXPECT_EQ(DescriptorAs<ButtonNodeDescriptor>(*descriptor).mKeyCode, c.code)
            << std::string(c.name, c.name + wcslen(c.name));
    }

    ButtonNode* button = Show(R"(nodeName="Ok" images="L4" keyCode="p")");
    const struct
    {
        int key;
        bool focused, enabled, visible;
        bool clicks;
    } keys[] = {
        {'P', false, true, true, true}, {'P', false, false, false, true}, {13, false, true, true, false},
        {13, true, true, true, true},   {32, true, false, true, true},    {258, true, true, true, true},
        {'Q', true, true, true, false}, {0, true, true, true, false},
    };
    for (const auto& c : keys)
    {
        if (c.focused)
            button->SetKeyboardFocus();
        else
            button->ReleaseKeyboardFocus();
        button->SetEnabled(c.enabled);
        button->SetVisible(c.visible);
        scene.TypeKey(c.key);
        EXPECT_EQ(scene.TakeMessages().size(), c.clicks ? 1u : 0u)
            << c.key << (c.focused ? " focused" : "") << (c.enabled ? "" : " disabled") << (c.visible ? "" : " hidden");
    }
}

TEST_F(ButtonNodeTest, TheAlphaTestUsesTheNormalPictureAndTheRectanglesEdges)
{
    ButtonNode* single = Show(R"(images="Wide")");
    ButtonNode* frame = Show(R"(images="Pieces" width="90")");
    ButtonNode* plain = Show(R"(images="NoImages" font="Font" text="AB")");
    const struct
    {
        ButtonNode* button;
        int sensitivity;
        float x, y;
        bool hit;
    } cases[] = {
        {single, 25, 35.9f, 15, false}, // alpha 25 is not above 25
        {single, 25, 36.0f, 15, true},   {single, 0, 10.0f, 10, true},  {single, 0, 9.9f, 10, false},
        {single, 0, 69.9f, 19.9f, true}, {single, 0, 70.0f, 15, false}, {single, 0, 15, 20.0f, false},
        {frame, 5, 15.0f, 15, false},                                  // left cap, alpha 5
        {frame, 5, 16.0f, 15, true},     {frame, 5, 50.0f, 15, true},  // middle piece column 10
        {frame, 25, 50.0f, 15, false},   {frame, 25, 99.0f, 15, true}, // right cap column 29
        {frame, 25, 100.0f, 15, false},  {plain, 25, 10.0f, 10, true},  {plain, 25, 19.0f, 10, false},
    };
    for (const auto& c : cases)
    {
        c.button->SetAlphaSensitivity(c.sensitivity);
        EXPECT_EQ(c.button->HitTest({c.x, c.y}), c.hit) << c.x << "," << c.y << " sensitivity " << c.sensitivity;
    }
    EXPECT_EQ(plain->SceneNode::GetWidth(), 9.0f) << "a list without images leaves the size to the text";

    // Through the screen: a press where the picture is too transparent goes past the button.
    single->SetAlphaSensitivity(25);
    Remove(frame);
    Remove(plain);
    scene.Click(20, 15);
    EXPECT_EQ(Capture(), nullptr);
    scene.Click(50, 15);
    EXPECT_EQ(scene.TakeMessages().size(), 1u);
}

TEST_F(ButtonNodeTest, TheSizeComesFromThePicturesOrTheTextWhichIsCentred)
{
    const struct
    {
        const char* attributes;
        Vector2<float> size;
        std::wstring text;
    } cases[] = {
        {R"(images="L1" font="Font" text="AB")", {20, 10}, L"AB"},
        {R"(images="L6" width="60" text="AB")", {60, 10}, L"AB"},
        {R"(font="Font" text="AB")", {9, 10}, L"AB"},
        {R"(images="Nowhere" text="AB")", {0, 0}, L"AB"},
        {R"(font="Font" text="AB" textResource="Greeting")", {18, 10}, L"ABCD"},
    };
    for (const auto& c : cases)
    {
        ButtonNode* button = Show(c.attributes);
        EXPECT_EQ((Vector2<float>{button->GetWidth(), button->GetHeight()}), c.size) << c.attributes;
        EXPECT_EQ(button->GetText(), c.text) << c.attributes;
        Remove(button);
    }
    ButtonNode* invisible = Show(R"(text="AB")");
    EXPECT_EQ(scene.Root()->HitTestTree({10, 10}), nullptr) << "no pictures and no font: 0 by 0, never hit";
    invisible->SetFont(ResourceManager::Get<Font>(Label("Font")).Get());
    EXPECT_EQ(invisible->GetWidth(), 9.0f) << "a new font resizes";
    invisible->SetTextFromResource(Label("Nowhere"));
    EXPECT_EQ(invisible->GetText(), L"Missing: \"Nowhere\"");
    EXPECT_EQ(invisible->GetWidth(), float(Font::MeasureString(*invisible->GetFont(), invisible->GetText().c_str())));
    Remove(invisible);

    // "AB" (9 wide) centred on a 20 x 10 button at (10, 10): its centre at floor (10 + 21 / 2).
    ButtonNode* button = Show(R"(images="L1" font="Font" text="AB" color="#FF800080")");
    TextCanvas canvas;
    scene.Draw(&canvas);
    ASSERT_EQ(canvas.lines.size(), 1u);
    EXPECT_EQ((Vector2<float>{canvas.lines[0].x, canvas.lines[0].y}), (Vector2<float>{20 - 4, 15 - 5}));
    EXPECT_EQ(canvas.lines[0].color, (ColorF{1.0f, 128 / 255.0f, 0.0f, 128 / 255.0f}));
    EXPECT_EQ(canvas.lines[0].state.tint, (ColorF{1.0f, 1.0f, 1.0f, 128 / 255.0f})) << "pictures take only the alpha";
    button->SetText(L"");
    canvas.lines.clear();
    scene.Draw(&canvas);
    EXPECT_TRUE(canvas.lines.empty());
}

TEST_F(ButtonNodeTest, WithoutItsOwnSoundsAButtonPlaysTheDefaultList)
{
    ButtonNode* silent = Show(R"(images="L4" alphaSensitivity="0")");
    EXPECT_EQ(silent->GetSounds(), nullptr) << "no default list named";
    Remove(silent);
    scene.Load(R"(<string name="DefaultButtonSoundLabel" value="Clicky"/>)");
    ButtonNode* button = Show(R"(images="L4" alphaSensitivity="0")");
    EXPECT_EQ(button->GetSounds(), ResourceManager::Get<SoundList>(Label("Clicky")).Get());
    scene.MoveMouse(15, 15);
    EXPECT_EQ(scene.TakeSounds(kSounds), Log{"HotSound"});
    Remove(button);
    EXPECT_EQ(Show(R"(images="L4" sounds="Nowhere")")->GetSounds(), nullptr) << "a missing list is not replaced";
}
