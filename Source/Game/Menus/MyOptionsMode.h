// The options popup: full screen, and the volume and mute of the sound effects and of the music.
// The main menu slides it in and out; the pause menu shows and closes it in place.
//
// Volume and mute act at once on the audio platform's category controls ("Effect" for
// "SoundSlider" and "MuteSound", "Music" for "MusicSlider" and "MuteMusic"). The controls show and
// set each category's own volume and mute flag, never the effective ones with the master's
// applied, so opening and cancelling change nothing even with the master lowered or muted.
// "CancelButton" puts back the values of the opening; the window mode changes only on
// "OKButton", when the "FullScreen" box differs from the mode in force. While open, the screen
// follows every display change (Alt+Enter included) so that the box always shows the real mode.
//
// Without an audio platform the four sound controls are disabled and do nothing; OK and Cancel
// still handle the window mode. The profile keeps the settings (the application saves them when
// the profile changes and at the end).
#pragma once

#include "Framework/DisplayChange.h"
#include "Game/Menus/MenuMode.h"

class CheckBoxNode;
class SliderNode;

class MyOptionsMode : public MenuMode, public Corvane::IWindowModeChangeHandler
{
public:
    // slides: in and out with the popup slide; false shows it at its end place and closes at once.
    explicit MyOptionsMode(bool slides) : mSlides(slides) {}
    // Leaves the window-mode handlers if the exit did not run.
    ~MyOptionsMode() override;

    void OnEnter() override;
    void OnExit() override;
    bool IsOpaque() override { return false; }
    // The "FullScreen" box shows the mode now in force; the mode saved at the opening stays.
    void OnWindowModeChanged() override;

    bool Slides() const { return mSlides; }

protected:
    bool AcceptsMessage(Corvane::Label message) const override;
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    // A category's own values at the opening.
    struct Saved
    {
        float volume = 1.0f;
        bool muted = false;
    };

    void ShowCategory(int category);
    void Apply();
    void Cancel();
    void Close();
    CheckBoxNode* FullScreenBox() const;

    Saved mSaved[2];
    bool mSlides;
    bool mSavedFullScreen = false;
    bool mHandlerAdded = false;
};
