// The options popup on the whole game, with the program's own audio platform over SDL's dummy
// driver (or none): what it shows and sets is each category's own volume and mute, so opening and
// Cancel change nothing whatever the master says; sliders and mute boxes act at once; the window
// mode changes only on OK, and the full-screen box follows every display change. The settings
// outlive the program in the profile.
#include "Framework/AudioSettings.h"
#include "Framework/DisplayChange.h"
#include "Framework/IAudioPlatform.h"
#include "Framework/Looper.h"
#include "Game/Menus/MyOptionsMode.h"
#include "SceneGraph/CheckBoxNode.h"
#include "SceneGraph/SliderNode.h"
#include "Support/KitchenRig.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;
using namespace Corvane::Testing;
using Sound = KitchenRig::Options::Sound;

namespace
{
using Names = std::vector<std::string>;
constexpr float kNear = 0.02f; // a slider's value is a thumb position in whole pixels

struct Own
{
    float volume;
    bool muted;
};

Own OwnOf(const char* category)
{
    const AudioControlSettings settings = GetAudioControlGroup(Label(category))->GetSettings();
    return {settings.volume, settings.muted};
}

void SetOwn(const char* category, Own own)
{
    RefPtr<IAudioControls> controls = GetAudioControlGroup(Label(category));
    controls->SetVolume(own.volume);
    controls->SetMuted(own.muted);
}

// Counts the display changes made while it lives.
class DisplayChanges : public IWindowModeChangeHandler
{
public:
    DisplayChanges() { AddWindowModeChangeHandler(this); }
    ~DisplayChanges() override { RemoveWindowModeChangeHandler(this); }
    void OnWindowModeChanged() override { ++count; }
    int count = 0;
};

class OptionsTest : public testing::Test
{
protected:
    explicit OptionsTest(Sound sound = Sound::kReal) : rig(KitchenRig::Options{1, "", true, sound}) {}

    void SetUp() override
    {
        if (GetDisplaySettings().windowMode != 0)
            SetWindowMode(0);
        ASSERT_EQ(GetDisplaySettings().windowMode, 0);
    }
    // The popup as the pause menu opens it, shown in place at once.
    MyOptionsMode* Open()
    {
        Looper::GetInstance().QueueRequest(new MyOptionsMode(false), kModePush);
        rig.Step();
        return rig.TopAs<MyOptionsMode>();
    }
    bool IsOpen() const { return rig.TopAs<MyOptionsMode>() != nullptr; }
    void Click(const char* control) { rig.Click(std::string("OptionsMode/") + control); }
    void Close(const char* button)
    {
        Click(button);
        rig.Step();
        EXPECT_FALSE(IsOpen()) << button << " did not close the options";
    }
    CheckBoxNode* Box(const char* name) const
    {
        return dynamic_cast<CheckBoxNode*>(rig.FindNode(std::string("OptionsMode/") + name));
    }
    SliderNode* Slider(const char* name) const
    {
        return dynamic_cast<SliderNode*>(rig.FindNode(std::string("OptionsMode/") + name));
    }

    KitchenRig rig;
};

TEST_F(OptionsTest, OpeningAndClosingLeaveEveryOwnVolumeAndMuteAsTheyWereWhateverTheMaster)
{
    ASSERT_NE(IAudioPlatform::GetInstance(), nullptr);
    EXPECT_EQ(IAudioPlatform::GetInstance()->GetName(), Label("BASS 2.3 Audio"));
    RefPtr<IAudioControls> master = GetMasterAudioControls();
    master->SetVolume(0.5f);
    master->SetMuted(true);
    SetOwn("Effect", {0.8f, false});
    SetOwn("Music", {0.3f, true});
    for (const char* close : {"CancelButton", "OKButton"})
    {
        SCOPED_TRACE(close);
        ASSERT_NE(Open(), nullptr);
        // The own values show, not the effective ones (0.4 and 0.15, both muted).
        EXPECT_NEAR(Slider("SoundSlider")->GetValue(), 0.8f, kNear);
        EXPECT_NEAR(Slider("MusicSlider")->GetValue(), 0.3f, kNear);
        EXPECT_FALSE(Box("MuteSound")->IsChecked());
        EXPECT_TRUE(Box("MuteMusic")->IsChecked());
        Close(close);
        EXPECT_NEAR(OwnOf("Effect").volume, 0.8f, kNear);
        EXPECT_FALSE(OwnOf("Effect").muted);
        EXPECT_NEAR(OwnOf("Music").volume, 0.3f, kNear);
        EXPECT_TRUE(OwnOf("Music").muted);
        EXPECT_EQ(master->GetSettings().volume, 0.5f);
        EXPECT_TRUE(master->GetSettings().muted);
    }
}

TEST_F(OptionsTest, DraggingASliderSetsTheVolumeAsItGoesAndCancelPutsItBack)
{
    SetOwn("Music", {0.5f, false});
    ASSERT_NE(Open(), nullptr);
    SliderNode* slider = Slider("MusicSlider");
    const Vector2<float> at = slider->GetWorldPosition();
    const int y = static_cast<int>(at.y + slider->GetThumbPosition().y + slider->GetThumbHeight() / 2);
    int x = static_cast<int>(at.x + slider->GetThumbPosition().x + slider->GetThumbWidth() / 2);
    rig.MoveTo(x, y);
    rig.PressAt(x, y);
    std::vector<float> volumes;
    for (int i = 0; i < 4; ++i)
    {
        x += 12;
        rig.MoveTo(x, y);
        rig.Step();
        volumes.push_back(OwnOf("Music").volume);
    }
    for (std::size_t i = 1; i < volumes.size(); ++i)
        EXPECT_GT(volumes[i], volumes[i - 1]) << "the volume follows the thumb while it is dragged";
    EXPECT_NEAR(volumes.back(), slider->GetValue(), 1e-6f);
    rig.ReleaseAt(x, y);
    EXPECT_GT(OwnOf("Music").volume, 0.6f);

    // A click on the mute box acts at once, before OK.
    Click("MuteSound");
    EXPECT_TRUE(OwnOf("Effect").muted);
    EXPECT_TRUE(Box("MuteSound")->IsChecked());
    Click("MuteSound");
    EXPECT_FALSE(OwnOf("Effect").muted);
    Click("MuteMusic");
    EXPECT_TRUE(OwnOf("Music").muted);

    Close("CancelButton");
    EXPECT_NEAR(OwnOf("Music").volume, 0.5f, kNear);
    EXPECT_FALSE(OwnOf("Music").muted);
}

TEST_F(OptionsTest, TheWindowModeChangesOnlyOnOkAndOnlyWhenTheBoxDiffersFromIt)
{
    DisplayChanges changes;
    // Checked, then Cancel: still windowed, and the box is unchecked again.
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(Box("FullScreen")->IsChecked());
    Click("FullScreen");
    EXPECT_TRUE(Box("FullScreen")->IsChecked());
    CheckBoxNode* box = Box("FullScreen");
    Click("CancelButton");
    EXPECT_FALSE(box->IsChecked());
    rig.Step();
    EXPECT_EQ(GetDisplaySettings().windowMode, 0);
    EXPECT_EQ(changes.count, 0);

    // OK with the box as the mode is: nothing changes.
    ASSERT_NE(Open(), nullptr);
    Close("OKButton");
    EXPECT_EQ(changes.count, 0);

    // Checked, then OK: full screen.
    ASSERT_NE(Open(), nullptr);
    Click("FullScreen");
    Close("OKButton");
    EXPECT_EQ(GetDisplaySettings().windowMode, 1);
    EXPECT_EQ(changes.count, 1);

    // A toggle made elsewhere (Alt+Enter) while it is open shows in the box; OK then does nothing.
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(Box("FullScreen")->IsChecked());
    ToggleWindowMode();
    EXPECT_EQ(changes.count, 2);
    EXPECT_FALSE(Box("FullScreen")->IsChecked());
    Close("OKButton");
    EXPECT_EQ(GetDisplaySettings().windowMode, 0);
    EXPECT_EQ(changes.count, 2);
}

TEST_F(OptionsTest, TheChosenVolumesComeBackWithTheProfileOnTheNextStart)
{
    SetOwn("Music", {0.5f, false});
    ASSERT_NE(Open(), nullptr);
    SliderNode* slider = Slider("MusicSlider");
    // A click on the channel near its right end jumps the thumb there.
    const Vector2<float> at = slider->GetWorldPosition();
    const int y = static_cast<int>(at.y + slider->GetThumbPosition().y + slider->GetThumbHeight() / 2);
    const int x = static_cast<int>(at.x + slider->GetTravel() + slider->GetThumbWidth() / 2 - 10);
    rig.MoveTo(x, y);
    rig.PressAt(x, y);
    rig.ReleaseAt(x, y);
    const float chosen = OwnOf("Music").volume;
    EXPECT_GT(chosen, 0.8f);
    Click("MuteSound");
    Close("OKButton");

    rig.Restart();
    EXPECT_NEAR(OwnOf("Music").volume, chosen, 1e-4f);
    EXPECT_TRUE(OwnOf("Effect").muted);
    ASSERT_NE(Open(), nullptr);
    EXPECT_NEAR(Slider("MusicSlider")->GetValue(), chosen, 1e-4f);
    EXPECT_TRUE(Box("MuteSound")->IsChecked());
}

class OptionsWithoutSound : public OptionsTest
{
protected:
    OptionsWithoutSound() : OptionsTest(Sound::kNone) {}
};

TEST_F(OptionsWithoutSound, TheSoundControlsAreDisabledAndEveryControlClicksSafely)
{
    ASSERT_EQ(IAudioPlatform::GetInstance(), nullptr);
    EXPECT_EQ(GetAudioControlGroup(Label("Music")).Get(), nullptr);
    for (const char* close : {"OKButton", "CancelButton"})
    {
        ASSERT_NE(Open(), nullptr);
        EXPECT_FALSE(Slider("SoundSlider")->IsEnabled());
        EXPECT_FALSE(Slider("MusicSlider")->IsEnabled());
        EXPECT_FALSE(Box("MuteSound")->IsEnabled());
        EXPECT_FALSE(Box("MuteMusic")->IsEnabled());
        for (const char* control : {"SoundSlider", "MusicSlider", "MuteSound", "MuteMusic", "FullScreen"})
            Click(control);
        EXPECT_NE(Box("FullScreen")->IsChecked(), GetDisplaySettings().windowMode == 1)
            << "the window mode is still the screen's to set";
        Close(close);
    }
    EXPECT_EQ(GetDisplaySettings().windowMode, 1) << "the first round's OK, then the second's Cancel";
}
} // namespace
