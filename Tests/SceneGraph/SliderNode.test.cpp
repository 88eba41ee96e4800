// The slider built from layout elements in a scene-graph screen, driven by input through the main
// loop.
#include "SceneGraph/SliderNode.h"

#include "Framework/KeyNames.h"
#include "Graphics/RecordingCanvas.h"
#include "Support/ControlScene.h"
#include "Support/TestImageLists.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;
const Log kSounds = {"HotSound", "DownSound", "UpSound"};
// The 12-wide knob with every pixel a hit.
const char* const kKnob = R"(thumbImages="Knob" alphaSensitivity="0")";

// Channel pieces 6 x 10 and thumbs 12 x 18 (each pixel's alpha its column), sounds, a font.
class SliderNodeTest : public testing::Test
{
protected:
    SliderNodeTest()
    {
        scene.Load(R"(
            <testimagelist name="Channel" sizes="6x10,6x10,6x10"/>
            <testimagelist name="Grey" sizes="6x10,6x10,6x10"/>
            <testimagelist name="Knob" sizes="12x18,12x18,12x18,12x18,12x18"/>
            <testimagelist name="Knob4" sizes="12x18,12x18,12x18,12x18"/>
            <testimagelist name="WideKnob" sizes="40x18"/>
            <testsound name="HotSound"/><testsound name="DownSound"/><testsound name="UpSound"/>
            <soundlist name="SliderSounds">
              <sound event="Hot" src="HotSound"/><sound event="Down" src="DownSound"/><sound event="Up" src="UpSound"/>
            </soundlist>)");
    }

    // A slider "Volume" at (10, 10), 112 wide (a travel of 100 for the 12-wide knob), from a layout
    // element without "hitTest".
    SliderNode* Show(const std::string& attributes = "", const std::string& width = "112")
    {
        auto* slider = dynamic_cast<SliderNode*>(scene.Show(
            R"(<slidernode nodeName="Volume" x="10" y="10" channelImages="Channel" sounds="SliderSounds" width=")" +
            width + "\" " + attributes + "/>"));
        EXPECT_NE(slider, nullptr) << attributes;
        scene.Update();
        return slider;
    }
    // The pictures drawn, as "<list> <index>".
    Log Drawn()
    {
        RecordingCanvas canvas({"IQuadDrawingCanvas"});
        scene.Draw(&canvas);
        Log drawn;
        for (const CanvasCall& call : canvas.calls)
        {
            if (call.operation != "DrawImage")
                drawn.push_back(call.operation);
            for (const char* list : {"Channel", "Grey", "Knob", "Knob4"})
                if (const int index = ItemIndex(*ResourceManager::Get<ImageList>(Label(list)).Get(), call.image);
                    index >= 0)
                    drawn.push_back(std::string(list) + " " + std::to_string(index));
        }
        return drawn;
    }

    ControlScene scene;
};
} // namespace

TEST_F(SliderNodeTest, AClickOnTheChannelCentresTheThumbThereWithoutStartingADrag)
{
    SliderNode* slider = Show(kKnob);
    EXPECT_EQ((Vector2<float>{slider->GetWidth(), slider->GetHeight()}), (Vector2<float>{112.0f, 18.0f}))
        << "as high as the higher of channel and thumb";
    const struct
    {
        int x;
        float value;
    } clicks[] = {{80, 0.64f}, {121, 1.0f}, {12, 0.0f}, {66, 0.5f}};
    for (const auto& click : clicks)
    {
        scene.MoveMouse(click.x, 15);
        scene.Click(click.x, 15);
        EXPECT_FLOAT_EQ(slider->GetValue(), click.value) << click.x;
        EXPECT_FALSE(slider->HasCapture());
        EXPECT_EQ(scene.TakeMessages(), Log{"SliderValueChange Volume"}) << click.x;
        EXPECT_EQ(scene.TakeSounds(kSounds), Log{"HotSound"}) << "the thumb came under the pointer";
    }
    scene.MoveMouse(100, 15);
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.5f) << "moving afterwards does not drag";
    EXPECT_TRUE(scene.TakeMessages().empty());
}

TEST_F(SliderNodeTest, ADragFollowsThePointerInsideTheChannelAndReportsEveryMove)
{
    SliderNode* slider = Show(kKnob);
    scene.MoveMouse(15, 15);
    scene.Press(15, 15); // 5 right of the thumb's left edge
    EXPECT_TRUE(slider->HasCapture());
    const struct
    {
        int x;
        float value;
    } moves[] = {{45, 0.30f}, {400, 1.0f}, {500, 1.0f}, {-50, 0.0f}, {65, 0.5f}};
    for (const auto& move : moves)
    {
        scene.MoveMouse(move.x, 200);
        EXPECT_FLOAT_EQ(slider->GetValue(), move.value) << move.x;
    }
    EXPECT_EQ(scene.TakeMessages(), Log(5, "SliderValueChange Volume")) << "also when the value stays";
    scene.Release(300, 300);
    EXPECT_FALSE(slider->HasCapture());
    EXPECT_TRUE(scene.TakeMessages().empty()) << "released away: only the capture ends";
    EXPECT_EQ(scene.TakeSounds(kSounds), (Log{"HotSound", "DownSound"}));

    scene.MoveMouse(65, 15);
    scene.Press(65, 15);
    scene.Release(65, 15);
    EXPECT_EQ(scene.TakeMessages(), Log{"SliderReleased Volume"});
    EXPECT_EQ(scene.TakeSounds(kSounds), (Log{"DownSound", "UpSound"})) << "still hot from before the drag";
}

TEST_F(SliderNodeTest, KeysStepInKeyboardModeAndSetValueIsSilent)
{
    SliderNode* slider = Show(std::string(kKnob) + R"( initialValue="0.98")");
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.98f);
    scene.KeyDown(39);
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.98f) << "keys need the focus";
    slider->SetKeyboardFocus();
    scene.KeyDown(39);
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.98f) << "and the keyboard mode";
    scene.KeyDown(kKeyboardModeOn);
    EXPECT_TRUE(slider->IsKeyboardActive());
    const struct
    {
        int key;
        float value;
    } steps[] = {{39, 1.0f}, {39, 1.0f}, {37, 0.95f}, {37, 0.9f}};
    for (const auto& step : steps)
    {
        scene.KeyDown(step.key);
        EXPECT_NEAR(slider->GetValue(), step.value, 1e-5f);
    }
    EXPECT_EQ(scene.TakeMessages(), Log(4, "SliderValueChange Volume"));

    slider->SetValue(0.01f);
    scene.KeyDown(37);
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.0f);
    slider->SetValue(1.5f);
    EXPECT_FLOAT_EQ(slider->GetValue(), 1.0f) << "a setting out of range keeps the thumb on the channel";
    slider->SetValue(std::nanf(""));
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.0f);
    EXPECT_EQ(scene.TakeMessages(), Log{"SliderValueChange Volume"}) << "SetValue sends nothing";

    scene.KeyDown(kKeyboardModeOff);
    EXPECT_FALSE(slider->IsKeyboardActive());
    scene.KeyDown(kKeyboardModeOn);
    scene.KeyDown(kKeyboardModeOn);
    EXPECT_FALSE(slider->IsKeyboardActive()) << "the same key ends it";
    scene.KeyDown(kKeyboardModeOn);
    slider->ReleaseKeyboardFocus();
    EXPECT_FALSE(slider->IsKeyboardActive()) << "losing the focus ends it";
}

TEST_F(SliderNodeTest, TheThumbShowsFramesZeroToFour)
{
    enum Situation
    {
        kIdle,
        kHot,
        kDragged,
        kDisabled,
        kKeyboard,
        kFocused,
    };
    const struct
    {
        const char* knob;
        Situation situation;
        Log drawn;
    } cases[] = {
        {"Knob", kIdle, {"Channel 0", "Channel 2", "Channel 1", "Knob 0"}},
        {"Knob", kHot, {"Channel 0", "Channel 2", "Channel 1", "Knob 1"}},
        {"Knob", kDragged, {"Channel 0", "Channel 2", "Channel 1", "Knob 2"}},
        {"Knob", kDisabled, {"Grey 0", "Grey 2", "Grey 1", "Knob 3"}},
        {"Knob", kKeyboard, {"Channel 0", "Channel 2", "Channel 1", "Knob 4"}},
        {"Knob4", kKeyboard, {"Channel 0", "Channel 2", "Channel 1", "Knob4 1"}},
        {"Knob", kFocused, {"Channel 0", "Channel 2", "Channel 1", "FillRectF", "Knob 0"}},
    };
    for (const auto& c : cases)
    {
        // 12 wide: the channel is its two caps and one middle piece.
        auto* slider = dynamic_cast<SliderNode*>(
            scene.Show(std::string(R"(<slidernode x="10" y="10" width="18" channelImages="Channel" disableImages="Grey"
                                       alphaSensitivity="0" thumbImages=")") +
                       c.knob + "\"/>"));
        scene.Update();
        slider->SetEnabled(c.situation != kDisabled);
        if (c.situation == kKeyboard || c.situation == kFocused)
            slider->SetKeyboardFocus();
        if (c.situation == kKeyboard)
            scene.KeyDown(kKeyboardModeOn);
        scene.MoveMouse(c.situation == kHot || c.situation == kDragged ? 15 : 300, 15);
        if (c.situation == kDragged)
            scene.Press(15, 15);
        EXPECT_EQ(Drawn(), c.drawn) << c.knob << ", situation " << c.situation;
        scene.Release(300, 300);
        scene.Screen().Remove(slider->GetID());
        scene.Update();
    }
}

TEST_F(SliderNodeTest, ASliderWithoutTravelHasTheValueZero)
{
    for (const char* width : {"12", "5", "0"})
    {
        SliderNode* slider = Show(std::string(kKnob) + R"( initialValue="0.7")", width);
        EXPECT_EQ(slider->GetValue(), 0.0f) << width;
        scene.MoveMouse(11, 15);
        scene.Click(11, 15);
        slider->SetValue(0.5f);
        EXPECT_EQ(slider->GetValue(), 0.0f) << width;
        EXPECT_EQ(slider->GetThumbPosition().x, 0.0f) << width;
        scene.Screen().Remove(slider->GetID());
        scene.Update();
    }
}

TEST_F(SliderNodeTest, TheChannelIsHitWhereNotClearAndTheThumbAboveTheSensitivity)
{
    // Pixel alpha is the column inside each piece or picture; the 40-wide knob from column 26 on is
    // above the sensitivity of 25.
    SliderNode* slider = Show(R"(thumbImages="WideKnob" thumbOffsetY="4")");
    EXPECT_EQ(slider->GetAlphaSensitivity(), 25);
    EXPECT_EQ(slider->GetHeight(), 18.0f);
    const struct
    {
        Vector2<float> point;
        bool hit;
    } points[] = {
        {{10, 15}, false},  // the channel's first column is clear, the knob's not above 25
        {{11, 15}, true},   // alpha 1 is enough on the channel
        {{16, 15}, false},  // the middle piece's first column is clear too
        {{121, 19}, true},  // the right cap's last column, the channel's last row
        {{122, 15}, false}, // past the right edge
        {{121, 20}, false}, // below the channel, beyond the knob
        {{36, 31}, true},   // the knob's column 26, its last row
        {{35, 31}, false},  // column 25: not above the sensitivity
        {{36, 32}, false},  // below the knob
    };
    for (const auto& p : points)
        EXPECT_EQ(slider->HitTest(p.point), p.hit) << p.point.x << ", " << p.point.y;
    slider->SetAlphaSensitivity(0);
    EXPECT_TRUE(slider->HitTest({10, 15}));
    EXPECT_TRUE(slider->HitTest({35, 31}));
    EXPECT_FALSE(slider->HitTest({50, 21})) << "outside both rectangles";
}

TEST_F(SliderNodeTest, WithoutPicturesASliderTakesNoPressesAndDrawsNothing)
{
    auto* slider = dynamic_cast<SliderNode*>(
        scene.Show(R"(<slidernode nodeName="Volume" x="10" y="10" width="112" channelImages="Nowhere"/>)"));
    ASSERT_NE(slider, nullptr);
    scene.Update();
    EXPECT_EQ(slider->GetHeight(), 0.0f);
    scene.MoveMouse(12, 10);
    scene.Click(12, 10);
    EXPECT_TRUE(scene.TakeMessages().empty());
    EXPECT_FALSE(slider->HitTest({10, 10}));
    EXPECT_TRUE(Drawn().empty());
}
