#include "Widgets/SliderObject.h"

#include "Support/TestImageLists.h"
#include "Support/WidgetFixture.h"
#include "Widgets/ButtonObject.h"
#include "Widgets/ScrollBarObject.h"
#include "Widgets/WidgetFocus.h"

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kAdjust = 512, kAdjustEnd = 513, kLeft = 37, kRight = 39;

// A slider "volume" at (100, 40), 200 wide, with a 20 by 16 thumb and a 10-high channel.
class SliderTest : public WidgetFixture
{
protected:
    SliderTest()
    {
        slider = Add(new SliderObject(Label("volume")), {100, 40, 200, 0});
        slider->SetChannelImages(channel.get());
        slider->SetThumbImages(thumb.get());
    }

    void Drag(int fromX, int toX)
    {
        screen.OnMouseDown(0, fromX, 45);
        screen.OnMouseMove(toX, 45);
        screen.OnMouseUp(0, toX, 45);
    }

    std::unique_ptr<ImageList> channel = MakeImageList(3, {6, 10});
    std::unique_ptr<ImageList> thumb = MakeImageList(5, {20, 16});
    SliderObject* slider = nullptr;
};
} // namespace

TEST_F(SliderTest, TheValuePlacesTheThumbAndDragsClampToTheChannel)
{
    EXPECT_EQ(slider->GetBounds(), Rect<float>(100, 40, 200, 16)) << "as high as the taller of thumb and channel";
    slider->SetValue(0.5f);
    EXPECT_EQ(slider->GetThumbX(), 190.0f);

    const struct
    {
        int pressX;
        int releaseX;
        float thumbX;
        float value;
        Log messages;
    } drags[] = {
        // Grabbed 5 right of its edge, which would go to 50; released away from the slider.
        {195, 55, 100, 0.0f, {"SliderValueChange volume"}},
        {105, 400, 280, 1.0f, {"SliderValueChange volume"}}, // past the right end
        {285, 235, 230, 13.0f / 18.0f, {"SliderValueChange volume", "SliderReleased volume"}},
    };
    for (const auto& drag : drags)
    {
        TakeMessages();
        Drag(drag.pressX, drag.releaseX);
        EXPECT_EQ(slider->GetThumbX(), drag.thumbX);
        EXPECT_FLOAT_EQ(slider->GetValue(), drag.value);
        EXPECT_EQ(TakeMessages(), drag.messages) << drag.releaseX;
    }
    EXPECT_EQ(screen.GetCapture(), nullptr);

    EXPECT_FALSE(screen.OnMouseDown(0, 150, 45)) << "the channel away from the thumb";
    EXPECT_EQ(slider->GetThumbX(), 230.0f);
    EXPECT_TRUE(screen.OnMouseUp(0, 235, 45));
    EXPECT_EQ(TakeMessages(), Log{"SliderReleased volume"}) << "a release over the thumb that was not pressed";

    slider->SetBounds({0, 0, 380, 16});
    EXPECT_FLOAT_EQ(slider->GetValue(), 13.0f / 18.0f) << "resizing keeps the value";
    EXPECT_EQ(slider->GetThumbX(), 260.0f);
}

TEST_F(SliderTest, SnappingPicksTheNearestTickAndTheEarlierOnATie)
{
    WidgetSounds sounds{"Snap"};
    slider->SetSounds(&sounds.list);
    slider->SetTickCount(5);
    slider->SetValue(0.4f);
    slider->SetSnapToTicks(true);
    EXPECT_EQ(slider->GetValue(), 0.5f) << "turning snapping on snaps";
    EXPECT_TRUE(messages.empty());
    const struct
    {
        float set;
        float snapped;
    } cases[] = {{0.375f, 0.25f}, {0.13f, 0.25f}, {0.12f, 0.0f}, {0.9f, 1.0f}, {-3.0f, 0.0f}};
    for (const auto& c : cases)
    {
        slider->SetValue(c.set);
        EXPECT_EQ(slider->GetValue(), c.snapped) << c.set;
    }
    EXPECT_TRUE(sounds.Played().empty()) << "no sound without notification";

    // Right in adjustment mode steps a tick and plays "Snap".
    slider->SetValue(0.25f);
    SetFocus(slider);
    EXPECT_FALSE(screen.OnKeyDown(kRight)) << "not adjusting yet";
    EXPECT_TRUE(screen.OnKeyDown(kAdjust));
    EXPECT_TRUE(screen.OnKeyDown(kRight));
    EXPECT_EQ(slider->GetValue(), 0.5f);
    EXPECT_EQ(sounds.Played(), std::vector<std::string>{"Snap"});
    EXPECT_EQ(TakeMessages(), Log{"SliderValueChange volume"});

    // Fewer than 2 ticks snap nothing and refuse the focus while snapping.
    for (const int ticks : {0, 1})
    {
        slider->SetTickCount(ticks);
        slider->SetValue(0.33f);
        EXPECT_FLOAT_EQ(slider->GetValue(), 0.33f);
        EXPECT_FALSE(slider->CanTakeFocus());
    }
    slider->SetSnapToTicks(false);
    EXPECT_TRUE(slider->CanTakeFocus());
}

TEST_F(SliderTest, AdjustmentModeStepsByFiveHundredthsAndEndsWithItsKeysOrTheFocus)
{
    SetFocus(slider);
    slider->SetValue(0.9f);
    const struct
    {
        int key;
        bool taken;
        float value;
        bool adjusting;
    } steps[] = {
        {kLeft, false, 0.9f, false},      {kAdjust, true, 0.9f, true},  {kRight, true, 0.95f, true},
        {kRight, true, 1.0f, true},       {kRight, true, 1.0f, true},   {kLeft, true, 0.95f, true},
        {kAdjustEnd, true, 0.95f, false}, {kAdjust, true, 0.95f, true}, {kAdjust, true, 0.95f, false},
    };
    for (const auto& step : steps)
    {
        EXPECT_EQ(slider->KeyDown(step.key), step.taken) << step.key;
        EXPECT_NEAR(slider->GetValue(), step.value, 1e-5f) << step.key;
        EXPECT_EQ(slider->IsAdjusting(), step.adjusting) << step.key;
    }
    slider->KeyDown(kAdjust);
    SetFocus(nullptr);
    EXPECT_FALSE(slider->IsAdjusting()) << "losing the focus ends it";
}

TEST_F(SliderTest, TheThumbShowsItsStateAndTheFocusHighlightsTheChannel)
{
    const auto thumbState = [&] {
        canvas.calls.clear();
        slider->Draw();
        for (const CanvasCall& call : canvas.calls)
            if (int index = ItemIndex(*thumb, call.image); index >= 0)
                return index;
        return -1;
    };
    EXPECT_EQ(thumbState(), 0);
    screen.OnMouseMove(105, 45);
    EXPECT_EQ(thumbState(), 1);
    screen.OnMouseDown(0, 105, 45);
    EXPECT_EQ(thumbState(), 2);
    screen.OnMouseUp(0, 300, 45);
    SetFocus(slider);
    slider->KeyDown(kAdjust);
    EXPECT_EQ(thumbState(), 4);
    slider->KeyDown(kAdjust);
    thumbState();
    bool highlighted = false;
    for (const CanvasCall& call : canvas.calls)
        highlighted |= call.operation == "FillRectF" && call.state.color == ColorF(1, 1, 1, 0.5f);
    EXPECT_TRUE(highlighted);
    slider->SetEnabled(false);
    EXPECT_EQ(thumbState(), 3);
}

TEST_F(SliderTest, WithoutThumbImagesOrTravelTheValueIsZeroAtTheLeft)
{
    slider->SetThumbImages(nullptr);
    slider->SetValue(0.5f);
    EXPECT_EQ(slider->GetThumbX(), 200.0f) << "a thumb of no width";
    EXPECT_TRUE(slider->HitTest(150, 45));

    slider->SetThumbImages(thumb.get());
    for (const float width : {20.0f, 10.0f, 0.0f})
    {
        slider->SetBounds({100, 40, width, 16});
        slider->SetValue(0.7f);
        EXPECT_EQ(slider->GetValue(), 0.0f) << width;
        EXPECT_EQ(slider->GetThumbX(), 100.0f) << width;
        Drag(105, 150);
        EXPECT_EQ(slider->GetValue(), 0.0f) << width;
    }
}

TEST_F(WidgetFixture, TheScrollBarPlacesItsArrowButtonsAtItsEnds)
{
    const auto arrows = MakeImageList(4, {16, 16});
    auto* bar = new ScrollBarObject(Label("Bar"));
    ButtonObject* up = bar->GetUpButton();
    ButtonObject* down = bar->GetDownButton();
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(up->GetName(), Label("BarScrollUp"));
    EXPECT_EQ(down->GetName(), Label("BarScrollDown"));
    up->SetImages(arrows.get());
    down->SetImages(arrows.get());
    bar->SetDepth(2.0f);
    Add(bar, {10, 20, 16, 300});
    EXPECT_EQ(up->GetLocation(), (Vector2<float>{10, 20}));
    EXPECT_EQ(down->GetLocation(), (Vector2<float>{10, 304}));
    EXPECT_EQ(down->GetDepth(), 3.0f) << "drawn above the channel";

    // The buttons click for themselves; the bar goes without them.
    screen.OnMouseDown(0, 12, 310);
    screen.OnMouseUp(0, 12, 310);
    EXPECT_EQ(TakeMessages(), Log{"ButtonClick BarScrollDown"});
    screen.Remove(down->GetID());
    screen.Update(0);
    bar->SetBounds({0, 0, 16, 100});
    EXPECT_EQ(bar->GetDownButton(), nullptr);
    EXPECT_EQ(up->GetLocation(), (Vector2<float>{0, 0}));
}
