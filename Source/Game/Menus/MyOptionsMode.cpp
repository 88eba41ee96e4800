#include "Game/Menus/MyOptionsMode.h"

#include "Debug.h"
#include "Framework/AudioSettings.h"
#include "Framework/KeyboardFocusController.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "SceneGraph/CheckBoxNode.h"
#include "SceneGraph/SliderNode.h"

using namespace Corvane;

namespace
{
// The two categories the screen sets, with their controls.
struct Category
{
    const char* controls;
    const char* slider;
    const char* muteBox;
};
constexpr Category kCategories[] = {
    {"Effect", "SoundSlider", "MuteSound"},
    {"Music", "MusicSlider", "MuteMusic"},
};

RefPtr<IAudioControls> ControlsOf(const Category& category)
{
    return GetAudioControlGroup(Label(category.controls));
}

bool IsFullScreen()
{
    return GetDisplaySettings().windowMode == 1;
}
} // namespace

MyOptionsMode::~MyOptionsMode()
{
    if (mHandlerAdded)
        RemoveWindowModeChangeHandler(this);
}

void MyOptionsMode::OnEnter()
{
    SceneApplicationMode::OnEnter();
    Add(new KeyboardFocusController);
    AttachLayout(Label("OptionsModeLayout"));
    if (CheckBoxNode* box = FullScreenBox())
        box->SetChecked(IsFullScreen());
    for (int category = 0; category < 2; ++category)
        ShowCategory(category);
    AddWindowModeChangeHandler(this);
    mHandlerAdded = true;
    if (const CheckBoxNode* box = FullScreenBox())
        mSavedFullScreen = box->IsChecked();

    if (mSlides)
        SlideIn();
    else if (SceneNode* root = GetLayoutRoot())
        root->SetPosition(ResourceManager::GetValue<Vector2<float>>(Label("PopupMode_EndLoc"), root->GetPosition()));
    // End-to-end checks watch for this line.
    DebugPrint("MyOptionsMode: the options are up, full screen %s\n", mSavedFullScreen ? "checked" : "unchecked");
}

void MyOptionsMode::ShowCategory(int index)
{
    const Category& category = kCategories[index];
    auto* slider = FindObject<SliderNode>(Label(category.slider));
    auto* box = FindObject<CheckBoxNode>(Label(category.muteBox));
    const RefPtr<IAudioControls> controls = ControlsOf(category);
    if (!controls)
    {
        // No audio platform: nothing to show or set.
        for (ControlNode* control : {static_cast<ControlNode*>(slider), static_cast<ControlNode*>(box)})
            if (control)
                control->SetEnabled(false);
        return;
    }
    // The category's own values: the effective ones (the master's applied) written back on
    // Cancel would lower or mute the category for good.
    const AudioControlSettings own = controls->GetSettings();
    mSaved[index] = {own.volume, own.muted};
    if (slider)
        slider->SetValue(own.volume);
    if (box)
        box->SetChecked(own.muted);
}

void MyOptionsMode::OnExit()
{
    RemoveWindowModeChangeHandler(this);
    mHandlerAdded = false;
    MenuMode::OnExit();
}

void MyOptionsMode::OnWindowModeChanged()
{
    if (CheckBoxNode* box = FullScreenBox())
        box->SetChecked(IsFullScreen());
    DebugPrint("MyOptionsMode: the window mode changed, full screen %s\n", IsFullScreen() ? "checked" : "unchecked");
}

bool MyOptionsMode::AcceptsMessage(Label message) const
{
    static const Label slider("SliderValueChange");
    static const Label box("CheckBoxClick");
    return message == slider || message == box || MenuMode::AcceptsMessage(message);
}

void MyOptionsMode::OnControl(Label message, Label sender)
{
    static const Label ok("OKButton");
    static const Label cancel("CancelButton");
    static const Label sliderChange("SliderValueChange");
    static const Label boxClick("CheckBoxClick");
    if (sender == ok)
        return Apply();
    if (sender == cancel)
        return Cancel();
    for (const Category& category : kCategories)
    {
        const RefPtr<IAudioControls> controls = ControlsOf(category);
        if (!controls)
            continue;
        if (message == sliderChange && sender == Label(category.slider))
        {
            if (const auto* slider = FindObject<SliderNode>(sender))
                controls->SetVolume(slider->GetValue());
        }
        else if (message == boxClick && sender == Label(category.muteBox))
        {
            if (const auto* box = FindObject<CheckBoxNode>(sender))
                controls->SetMuted(box->IsChecked());
        }
    }
}

void MyOptionsMode::Apply()
{
    const CheckBoxNode* box = FullScreenBox();
    if (box && box->IsChecked() != IsFullScreen())
        // Rebuilds the display; OnWindowModeChanged then shows the mode that could be had.
        SetWindowMode(box->IsChecked() ? 1 : 0);
    Close();
}

void MyOptionsMode::Cancel()
{
    for (int index = 0; index < 2; ++index)
        if (const RefPtr<IAudioControls> controls = ControlsOf(kCategories[index]))
        {
            controls->SetVolume(mSaved[index].volume);
            controls->SetMuted(mSaved[index].muted);
        }
    if (CheckBoxNode* box = FullScreenBox())
        box->SetChecked(mSavedFullScreen);
    Close();
}

void MyOptionsMode::Close()
{
    if (mSlides)
        SlideOut();
    else
        CloseAtOnce();
}

CheckBoxNode* MyOptionsMode::FullScreenBox() const
{
    return FindObject<CheckBoxNode>(Label("FullScreen"));
}
