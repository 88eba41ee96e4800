// The check box and the radio button built from layout elements in a scene-graph screen, driven by
// input through the main loop.
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/CheckBoxNode.h"
#include "SceneGraph/RadioButtonNode.h"
#include "SceneGraph/SliderNode.h"

#include "Graphics/Font.h"
#include "Graphics/RecordingCanvas.h"
#include "Support/ControlScene.h"
#include "Support/TestImageLists.h"
#include "Support/TextCanvas.h"

#include <gtest/gtest.h>

#include <array>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;
const Log kSounds = {"HotSound", "DownSound", "CheckedSound", "UncheckedSound"};

// Image lists "L<n>" of n images 20 x 10 (each pixel's alpha its column), sounds for every event of
// the toggles, a font (line height 10).
class ToggleNodeTest : public testing::Test
{
protected:
    ToggleNodeTest()
    {
        std::string lists;
        for (int n : {4, 5, 7, 8, 10, 15, 30})
        {
            std::string sizes = "20x10";
            for (int i = 1; i < n; ++i)
                sizes += ",20x10";
            lists += "<testimagelist name=\"L" + std::to_string(n) + "\" sizes=\"" + sizes + "\"/>";
        }
        scene.Load(lists + R"(
            <testimagelist name="Channel" sizes="6x10,6x10,6x10"/>
            <testimagelist name="Knob" sizes="12x10"/>
            <testsound name="HotSound"/><testsound name="DownSound"/>
            <testsound name="CheckedSound"/><testsound name="UncheckedSound"/>
            <soundlist name="Toggles">
              <sound event="Hot" src="HotSound"/><sound event="Down" src="DownSound"/>
              <sound event="Checked" src="CheckedSound"/><sound event="Unchecked" src="UncheckedSound"/>
            </soundlist>
            <testfont name="Font"/>)");
    }

    // A node at (10, 10) from an element with these attributes.
    template <typename T> T* Show(const std::string& element, const std::string& attributes)
    {
        auto* node = dynamic_cast<T*>(scene.Show("<" + element + R"( x="10" y="10" )" + attributes + "/>"));
        EXPECT_NE(node, nullptr) << attributes;
        scene.Update();
        return node;
    }
    CheckBoxNode* ShowBox(const std::string& attributes) { return Show<CheckBoxNode>("checkboxnode", attributes); }
    RadioButtonNode* ShowRadio(const std::string& attributes)
    {
        return Show<RadioButtonNode>("radiobuttonnode", attributes);
    }
    void Remove(SceneNode* node)
    {
        scene.Screen().Remove(node->GetID());
        scene.Update();
    }
    // The first image the screen draws, as an index of list, or -1 when nothing is drawn.
    int Drawn(const std::string& list)
    {
        RecordingCanvas canvas({"IQuadDrawingCanvas"});
        scene.Draw(&canvas);
        return canvas.calls.empty()
                   ? -1
                   : ItemIndex(*ResourceManager::Get<ImageList>(Label(list)).Get(), canvas.calls[0].image);
    }
    Object* Capture() { return scene.Screen().GetCapture(); }
    Font* TestFont() { return ResourceManager::Get<Font>(Label("Font")).Get(); }

    ControlScene scene;
};

enum Situation
{
    kIdle,
    kOver,
    kPressed,
    kDisabled,
    kFocused,
};

// Puts the control at (10, 10) into the situation, with the pointer on it or away.
void Arrange(ControlScene& scene, ControlNode& control, Situation situation)
{
    control.SetEnabled(situation != kDisabled);
    if (situation == kFocused)
        control.SetKeyboardFocus();
    scene.MoveMouse(situation == kOver || situation == kPressed ? 15 : 300, 15);
    if (situation == kPressed)
        scene.Press(15, 15);
}
} // namespace

TEST_F(ToggleNodeTest, ACheckBoxShowsTheHalfOfItsStateAndTheStatesPicture)
{
    // The picture (or first piece) drawn in each situation: idle, over, pressed, disabled, focused.
    const struct
    {
        int images;
        std::array<int, 5> unchecked, checked;
    } cases[] = {
        // Five states unchecked, five checked, each half with its focused picture.
        {10, {0, 1, 2, 3, 4}, {5, 6, 7, 8, 9}},
        // The checked half starts at 7 / 2 = 3, and no half has a focused picture.
        {7, {0, 1, 2, 3, 1}, {3, 4, 5, 6, 4}},
        // Three pieces a state, the checked ones from piece 15.
        {30, {0, 3, 6, 9, 12}, {15, 18, 21, 24, 27}},
    };
    for (const auto& c : cases)
        for (const bool checked : {false, true})
            for (const Situation situation : {kIdle, kOver, kPressed, kDisabled, kFocused})
            {
                const std::string list = "L" + std::to_string(c.images);
                CheckBoxNode* box = ShowBox("images=\"" + list + "\" width=\"60\" alphaSensitivity=\"0\"");
                box->SetChecked(checked);
                Arrange(scene, *box, situation);
                EXPECT_EQ(Drawn(list), (checked ? c.checked : c.unchecked)[situation])
                    << c.images << " images, checked " << checked << ", situation " << situation;
                scene.Release(300, 300);
                Remove(box);
            }

    // Disabled under the pointer, which then leaves: enabled again, the box is not hot.
    CheckBoxNode* box = ShowBox(R"(images="L10" alphaSensitivity="0")");
    scene.MoveMouse(15, 15);
    box->SetEnabled(false);
    scene.MoveMouse(300, 15);
    box->SetEnabled(true);
    EXPECT_EQ(box->GetState(), kControlNormal);
}

TEST_F(ToggleNodeTest, AReleaseOverTheBoxOrItsLabelTogglesButAPressTakenAwayDoesNot)
{
    // The box 20 x 10 at (10, 10); the label from x 35, as high as a line, centred on the box.
    const struct
    {
        bool font;
        Vector2<int> press, release;
        bool toggles;
        const char* what;
    } cases[] = {
        {true, {15, 15}, {15, 15}, true, "a click on the box"},
        {true, {37, 12}, {37, 12}, true, "a click on the label"},
        {false, {37, 12}, {37, 12}, false, "no font, no label"},
        {true, {200, 200}, {15, 15}, true, "pressed elsewhere, released over it"},
        {true, {15, 15}, {200, 200}, false, "pressed on it, released elsewhere"},
        {true, {34, 12}, {34, 12}, false, "the gap between box and label"},
    };
    for (const auto& c : cases)
    {
        CheckBoxNode* box = ShowBox(std::string(R"(nodeName="Box" images="L10" alphaSensitivity="0" text="Sound")") +
                                    (c.font ? R"( font="Font")" : ""));
        scene.MoveMouse(c.press.x, c.press.y);
        scene.Press(c.press.x, c.press.y);
        scene.MoveMouse(c.release.x, c.release.y);
        scene.Release(c.release.x, c.release.y);
        EXPECT_EQ(box->IsChecked(), c.toggles) << c.what;
        EXPECT_EQ(scene.TakeMessages(), c.toggles ? Log{"CheckBoxClick Box"} : Log{}) << c.what;
        EXPECT_EQ(Capture(), nullptr) << c.what;
        Remove(box);
    }
}

TEST_F(ToggleNodeTest, TogglingByMouseOrKeyPlaysTheNewStateAndWritingTheFlagIsSilent)
{
    CheckBoxNode* box = ShowBox(R"(nodeName="Box" images="L10" sounds="Toggles" alphaSensitivity="0")");
    scene.MoveMouse(15, 15);
    scene.Click(15, 15);
    EXPECT_EQ(scene.TakeSounds(kSounds), (Log{"HotSound", "DownSound", "CheckedSound"})) << "no release sound";
    scene.TypeKey(' ');
    EXPECT_EQ(scene.TakeSounds(kSounds), Log{}) << "keys need the focus";
    box->SetKeyboardFocus();
    const struct
    {
        int key;
        const char* sound;
    } keys[] = {{32, "UncheckedSound"}, {13, "CheckedSound"}, {258, "UncheckedSound"}};
    for (const auto& k : keys)
    {
        scene.TypeKey(k.key);
        EXPECT_EQ(scene.TakeSounds(kSounds), Log{k.sound}) << k.key;
    }
    EXPECT_EQ(scene.TakeMessages(), Log(4, "CheckBoxClick Box"));

    box->SetEnabled(false);
    scene.TypeKey(13);
    EXPECT_TRUE(box->IsChecked()) << "keys do not look at the enable flag";
    box->SetChecked(false);
    scene.Update();
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ(Drawn("L10"), 3);
    EXPECT_EQ(scene.TakeMessages(), Log{"CheckBoxClick Box"});
    EXPECT_EQ(scene.TakeSounds(kSounds), Log{"CheckedSound"});
}

TEST_F(ToggleNodeTest, TheLabelIsDrawnLeftAlignedBesideTheBoxAndHitInItsLineOnly)
{
    CheckBoxNode* box = ShowBox(R"(images="L10" font="Font" text="Sound" color="#FF8000" alphaSensitivity="0")");
    const float textWidth = static_cast<float>(Font::MeasureString(*TestFont(), L"Sound"));
    EXPECT_EQ(box->GetLabelRect(), (Rect<float>{25.0f, 0.0f, textWidth, 10.0f}));
    TextCanvas canvas;
    scene.Draw(&canvas);
    ASSERT_EQ(canvas.lines.size(), 1u);
    // Left edge 5 right of the box; vertically centred on floor (10 + 11 / 2) = 15.
    EXPECT_EQ((Vector2<float>{canvas.lines[0].x, canvas.lines[0].y}), (Vector2<float>{35.0f, 15.0f - 5.0f}));
    EXPECT_EQ(canvas.lines[0].color, (ColorF{1.0f, 128 / 255.0f, 0.0f, 1.0f}));

    const struct
    {
        Vector2<float> point;
        bool hit;
    } points[] = {{{35, 10}, true},
                  {{35 + textWidth - 1, 19}, true},
                  {{35 + textWidth, 15}, false},
                  {{36, 20}, false},
                  {{36, 9}, false},
                  {{29.5f, 15}, true},
                  {{30, 15}, false}};
    for (const auto& p : points)
        EXPECT_EQ(box->HitTest(p.point), p.hit) << p.point.x << ", " << p.point.y;

    box->SetText(L"");
    canvas.lines.clear();
    scene.Draw(&canvas);
    EXPECT_TRUE(canvas.lines.empty());
}

TEST_F(ToggleNodeTest, ControlsDisabledWhilePressedGiveTheCaptureUpOnTheRelease)
{
    // Each control is pressed, disabled, and released over itself: nothing happens, the capture
    // goes, and the next click reaches the button beside it.
    const struct
    {
        const char* element;
    } cases[] = {
        {R"(<checkboxnode nodeName="Control" images="L10" alphaSensitivity="0"/>)"},
        {R"(<radiobuttonnode nodeName="Control" images="L5" alphaSensitivity="0"/>)"},
        {R"(<slidernode nodeName="Control" width="20" channelImages="Channel" thumbImages="Knob"
                        alphaSensitivity="0"/>)"},
    };
    for (const auto& c : cases)
    {
        SceneNode* screen = scene.Show(std::string(R"(<scenenode x="10" y="10">)") + c.element +
                                       R"(<buttonnode nodeName="Next" x="100" images="L4" alphaSensitivity="0"/>
                                          </scenenode>)");
        scene.Update();
        auto* control = screen->FindByPathAs<ControlNode>({"Control"});
        ASSERT_NE(control, nullptr) << c.element;
        scene.Press(12, 12);
        ASSERT_EQ(Capture(), control) << c.element;
        control->SetEnabled(false);
        scene.Release(12, 12);
        EXPECT_EQ(Capture(), nullptr) << c.element;
        scene.Click(112, 12);
        EXPECT_EQ(scene.TakeMessages(), Log{"ButtonClick Next"}) << c.element;
        Remove(screen);
    }
}

TEST_F(ToggleNodeTest, WithoutPicturesAToggleTakesNoRoomDrawsNothingAndIsHitOnlyOnItsLabel)
{
    CheckBoxNode* box = ShowBox(R"(nodeName="Box" images="Nowhere" font="Font" text="Sound" alphaSensitivity="0")");
    EXPECT_EQ((Vector2<float>{box->GetWidth(), box->GetHeight()}), (Vector2<float>{0.0f, 0.0f}));
    EXPECT_EQ(Drawn("L10"), -1);
    scene.Click(10, 10);
    EXPECT_FALSE(box->IsChecked());
    scene.Click(16, 12);
    EXPECT_TRUE(box->IsChecked()) << "the label is 5 right of where the box would be";
    Remove(box);

    RadioButtonNode* radio = ShowRadio(R"(nodeName="Radio" images="Nowhere" font="Font" text="Easy")");
    EXPECT_EQ((Vector2<float>{radio->GetWidth(), radio->GetHeight()}), (Vector2<float>{0.0f, 0.0f}));
    scene.Click(10, 10);
    scene.Click(16, 12);
    EXPECT_FALSE(radio->IsChecked()) << "a radio button's text takes no presses";
    EXPECT_EQ(scene.TakeMessages(), Log{"CheckBoxClick Box"});
}

TEST_F(ToggleNodeTest, RadioButtonsExcludeEachOtherOnlyInsideTheirGroup)
{
    SceneNode* group = scene.Show(R"(<scenenode>
        <radiobuttonnode nodeName="A1" group="A" images="L5"/><radiobuttonnode nodeName="A2" group="A" images="L5"/>
        <radiobuttonnode nodeName="A3" group="A" images="L5"/>
        <radiobuttonnode nodeName="B1" group="B" images="L5"/><radiobuttonnode nodeName="B2" group="B" images="L5"/>
        <radiobuttonnode nodeName="N1" images="L5"/><radiobuttonnode nodeName="N2" images="L5"/>
      </scenenode>)");
    scene.Update();
    const auto radio = [&](const char* name) { return group->FindByPathAs<RadioButtonNode>({name}); };
    const auto checked = [&] {
        std::string on;
        for (const char* name : {"A1", "A2", "A3", "B1", "B2", "N1", "N2"})
            if (radio(name)->IsChecked())
                on += name;
        return on;
    };
    const struct
    {
        const char* selected;
        const char* checked;
    } steps[] = {{"A1", "A1"},     {"B2", "A1B2"},   {"A3", "A3B2"},  {"N1", "A3B2N1"},
                 {"N2", "A3B2N2"}, {"B1", "A3B1N2"}, {"A3", "A3B1N2"}};
    for (const auto& step : steps)
    {
        radio(step.selected)->Select();
        EXPECT_EQ(checked(), step.checked) << "after selecting " << step.selected;
        EXPECT_EQ(scene.TakeMessages(), Log{std::string("RadioButtonClick ") + step.selected})
            << "selecting the checked one sends again";
    }

    radio("A1")->SetChecked(true);
    EXPECT_EQ(checked(), "A1B1N2");
    radio("A1")->SetChecked(false);
    EXPECT_EQ(checked(), "B1N2") << "unchecking leaves the group without a checked button";
    EXPECT_TRUE(scene.TakeMessages().empty()) << "SetChecked sends nothing";

    // Removed but not yet freed: its handle stays in the group list until the next update.
    RadioButtonNode* removed = radio("B1");
    scene.Screen().Remove(removed->GetID());
    radio("B2")->Select();
    EXPECT_TRUE(removed->IsChecked()) << "a removed button is skipped";
    EXPECT_FALSE(radio("N1")->IsChecked());
    scene.Update();
}

TEST_F(ToggleNodeTest, ARadioButtonShowsPressedWhileCheckedAndItsTextBesideOrCentred)
{
    const struct
    {
        int images;
        bool checked;
        Situation situation;
        int drawn;
    } cases[] = {
        {5, true, kIdle, 2},       {5, true, kOver, 2},     {5, true, kDisabled, 3},  {5, false, kFocused, 4},
        {4, false, kFocused, 1},   {8, false, kFocused, 1}, {8, false, kOver, 1},     {8, true, kIdle, 2},
        {15, false, kFocused, 12}, {15, true, kIdle, 6},    {30, false, kFocused, 3}, {15, false, kPressed, 6},
    };
    for (const auto& c : cases)
    {
        const std::string list = "L" + std::to_string(c.images);
        RadioButtonNode* radio = ShowRadio("images=\"" + list + "\" width=\"60\" alphaSensitivity=\"0\"");
        radio->SetChecked(c.checked);
        Arrange(scene, *radio, c.situation);
        EXPECT_EQ(Drawn(list), c.drawn) << c.images << " images, checked " << c.checked << ", situation "
                                        << c.situation;
        scene.Release(300, 300);
        Remove(radio);
    }

    // Single pictures: the text beside the button like a check box's label; pieces: centred.
    const float width = static_cast<float>(Font::MeasureString(*TestFont(), L"Easy"));
    for (const auto& [list, at] :
         {std::pair{"L5", Vector2<float>{35.0f, 10.0f}},
          std::pair{"L15", Vector2<float>{static_cast<float>(std::floor(10 + 61 / 2) - std::floor(width / 2)), 10.0f}}})
    {
        RadioButtonNode* radio = ShowRadio(std::string("images=\"") + list + R"(" width="60" font="Font" text="Easy")");
        TextCanvas canvas;
        scene.Draw(&canvas);
        ASSERT_EQ(canvas.lines.size(), 1u) << list;
        EXPECT_EQ(canvas.lines[0].x, at.x) << list;
        EXPECT_EQ(canvas.lines[0].y, at.y) << list;
        Remove(radio);
    }
}
