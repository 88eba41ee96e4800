#include "Widgets/ToggleObjects.h"

#include "Support/TestFont.h"
#include "Support/TestImageLists.h"
#include "Support/WidgetFixture.h"
#include "Widgets/WidgetFocus.h"

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
enum Situation
{
    kIdle,
    kOver,
    kPressedOver,
    kFocused,
    kDisabled
};

class ToggleTest : public WidgetFixture
{
protected:
    // The item the control draws in the situation (the first piece for a frame), or -1.
    int Drawn(ToggleObject& control, const ImageList& list, Situation situation)
    {
        control.SetEnabled(situation != kDisabled);
        SetFocus(situation == kFocused ? &control : nullptr);
        screen.OnMouseMove(situation == kIdle || situation == kFocused ? 0 : 110, 55);
        if (situation == kPressedOver)
            screen.OnMouseDown(0, 110, 55);
        canvas.calls.clear();
        control.Draw();
        if (situation == kPressedOver)
            screen.OnMouseUp(0, 0, 0); // released away: no toggle
        return canvas.calls.empty() ? -1 : ItemIndex(list, canvas.calls[0].image);
    }
};
} // namespace

TEST_F(ToggleTest, ACheckBoxDrawsItsStateFromTheUncheckedOrTheCheckedHalf)
{
    auto* box = Add(new CheckBoxObject(Label("box")), {100, 50, 60, 20});
    const struct
    {
        int images;
        Situation situation;
        bool checked;
        int drawn;
    } cases[] = {
        {8, kIdle, false, 0},         {8, kFocused, false, 1}, {8, kFocused, true, 5},    {8, kOver, true, 5},
        {8, kPressedOver, false, 2},  {8, kDisabled, true, 7}, {10, kFocused, false, 4},  {10, kFocused, true, 9},
        {10, kIdle, true, 5},         {30, kIdle, true, 15},   {30, kFocused, false, 12}, {30, kFocused, true, 27},
        {30, kPressedOver, true, 21}, {4, kIdle, true, 2},
    };
    for (const auto& c : cases)
    {
        const auto list = MakeImageList(c.images, {20, 20});
        box->SetImages(list.get());
        box->SetBounds({100, 50, 60, 20});
        box->SetChecked(c.checked);
        EXPECT_EQ(Drawn(*box, *list, c.situation), c.drawn)
            << c.images << " images, situation " << c.situation << (c.checked ? ", checked" : "");
        box->SetImages(nullptr);
    }
}

TEST_F(ToggleTest, ACheckedRadioButtonShowsItsPressedImageWhereverThePointerIs)
{
    auto* radio = Add(new RadioButtonObject(Label("radio")), {100, 50, 60, 20});
    const struct
    {
        int images;
        Situation situation;
        bool checked;
        int drawn;
    } cases[] = {
        {5, kIdle, true, 2},     {5, kFocused, false, 4}, {4, kFocused, false, 1},   {5, kOver, false, 1},
        {5, kDisabled, true, 3}, {15, kIdle, true, 6},    {15, kFocused, false, 12},
    };
    for (const auto& c : cases)
    {
        const auto list = MakeImageList(c.images, {20, 20});
        radio->SetImages(list.get());
        radio->SetBounds({100, 50, 60, 20});
        radio->SetChecked(c.checked);
        EXPECT_EQ(Drawn(*radio, *list, c.situation), c.drawn)
            << c.images << " images, situation " << c.situation << (c.checked ? ", checked" : "");
        radio->SetImages(nullptr);
    }
}

TEST_F(ToggleTest, EachClickOrConfirmingKeyTogglesACheckBoxWithItsSound)
{
    WidgetSounds sounds{"Hot", "Down", "Checked", "Unchecked"};
    auto* box = Add(new CheckBoxObject(Label("box")), {100, 50, 20, 20});
    box->SetSounds(&sounds.list);
    for (int click = 0; click < 2; ++click)
    {
        sounds.audio.now += 1000; // a sound started just before would not start again
        EXPECT_TRUE(screen.OnMouseDown(0, 110, 55));
        EXPECT_TRUE(screen.OnMouseUp(0, 110, 55));
    }
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ(TakeMessages(), (Log{"CheckBoxClick box", "CheckBoxClick box"}));
    EXPECT_EQ(sounds.Played(), (std::vector<std::string>{"Down", "Checked", "Down", "Unchecked"}));

    EXPECT_FALSE(screen.OnKeyDown(32)) << "without the focus";
    SetFocus(box);
    for (const int key : {13, 32, 258})
        EXPECT_TRUE(screen.OnKeyDown(key)) << key;
    EXPECT_FALSE(screen.OnKeyDown('C'));
    EXPECT_TRUE(box->IsChecked());
    EXPECT_EQ(TakeMessages().size(), 3u);
}

TEST_F(ToggleTest, TheLabelIsPlacedWhenTheTextIsSetAndTakesClicksOnlyWithAFont)
{
    auto* box = Add(new CheckBoxObject(Label("box")), {100, 50, 20, 21});
    box->SetText(L"Sound");
    EXPECT_EQ(box->GetTextRect(), Rect<float>(0, 0, 0, 0)) << "no font: no label";
    EXPECT_FALSE(screen.OnMouseDown(0, 130, 60));

    const auto font = MakeTestFont(); // line height 10
    box->SetFont(font.get());
    box->SetText(L"Sound");
    const float width = float(Font::MeasureString(*font, L"Sound"));
    EXPECT_EQ(box->GetTextRect(), Rect<float>(125, std::floor(50 + 10.5f - 5 + 0.5f), width, 10));

    box->SetLocation({300, 300});
    EXPECT_EQ(box->GetTextRect().x, 125.0f) << "the label stays until the text is set again";
    EXPECT_TRUE(screen.OnMouseDown(0, 130, 60));
    screen.OnMouseUp(0, 130, 60);
    EXPECT_TRUE(box->IsChecked());

    box->Draw();
    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_EQ(canvas.calls[0].numbers[0], 125.0f) << "the text is drawn at its label";
}

TEST_F(ToggleTest, SelectingARadioButtonUnchecksTheOthersOfItsGroupOnly)
{
    WidgetSounds sounds{"Checked"};
    const auto radio = [&](const char* name, const char* group, float x) {
        auto* button = Add(new RadioButtonObject(Label(name)), {x, 0, 10, 10});
        button->SetRadioGroup(Label(group));
        button->SetChecked(true);
        return button;
    };
    auto* a = radio("A", "G", 0);
    auto* b = radio("B", "G", 20);
    auto* c = radio("C", "G", 40);
    auto* d = radio("D", "H", 60);
    auto* twin = radio("B", "G", 80);
    b->SetSounds(&sounds.list);
    TakeMessages();

    for (int time = 0; time < 2; ++time)
    {
        b->SetChecked(false);
        sounds.audio.now += 1000;
        screen.OnMouseDown(0, 25, 5);
        screen.OnMouseUp(0, 25, 5);
        EXPECT_TRUE(b->IsChecked());
        EXPECT_FALSE(a->IsChecked());
        EXPECT_FALSE(c->IsChecked());
        EXPECT_TRUE(d->IsChecked()) << "another group";
        EXPECT_TRUE(twin->IsChecked()) << "the same name";
    }
    EXPECT_EQ(TakeMessages(), (Log{"RadioButtonClick B", "RadioButtonClick B"}));
    EXPECT_EQ(sounds.Played(), (std::vector<std::string>{"Checked", "Checked"}));
    EXPECT_EQ(screen.GetGroup(Label("RadioButton")).size(), 5u);
}
