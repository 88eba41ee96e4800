// What the button, the check box and the radio button share: an image list drawn by state, an
// image test on it, a sound list, and the press-and-release handling. A press over the control
// takes the mouse capture and plays "Down"; the release over it activates the control (a click,
// a toggle, a selection) and the capture ends wherever the release happens. The pointer coming
// over the control plays "Hot". Enter, Space and the game pad's A activate it while it has the
// keyboard focus.
//
// Lists of up to a class's number of single images hold one image per state; longer ones hold
// three pieces per state, drawn as a horizontal three-brush over the width. Presses count only
// where the normal image's alpha is above the alpha sensitivity (0: anywhere in the bounds; no
// images: anywhere).
#pragma once

#include "Widgets/ControlObject.h"
#include "Widgets/StateImages.h"

namespace Corvane
{
class IAttributeContainer;
class IImageList;
class SoundList;

class PressableControl : public ControlObject
{
public:
    enum State
    {
        kNormal = 0,
        kHot = 1,
        kPressed = 2,
        kDisabled = 3,
        kFocused = 4
    };

    // Lists of more than mostSingleImages images (5 or 10) hold three pieces per state.
    PressableControl(Label name, int mostSingleImages) : ControlObject(name), mMostSingleImages(mostSingleImages) {}

    // Not owned: the resource manager's. Fits the size to the images (FitSize).
    void SetImages(IImageList* images);
    IImageList* GetImages() const { return mImages; }
    // Not owned; null plays nothing.
    void SetSounds(const SoundList* sounds) { mSounds = sounds; }
    const SoundList* GetSounds() const { return mSounds; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    // The last mouse event found the pointer over the control.
    bool IsMouseOver() const { return mMouseOver; }

    // The state drawn now: disabled; pressed while captured with the pointer over it; hot with the
    // pointer over it; focused (hot without a focus image); else normal.
    virtual State GetState() const;

    bool KeyDown(int key) override;
    bool MouseMove(int x, int y) override;
    bool MouseDown(int button, int x, int y) override;
    bool MouseUp(int button, int x, int y) override;
    bool HitTestPixel(int x, int y) override;

protected:
    // What a click does: the button clicks, the check box toggles, the radio button selects.
    virtual void Activate() = 0;
    // The list as state pictures, one set per 5 single images the class allows.
    StateImages GetStateImages() const;
    // Three pieces per state.
    bool IsThreePiece() const;
    int GetImageCount() const;
    // The list has the focused state's image (lists of exactly 5 or 15 images).
    virtual bool HasFocusImage() const;
    // Three-piece: height of the first piece, the width stays; single images: the first image's
    // size; without images nothing changes.
    virtual void FitSize();
    // The image index (single) or first piece (three-piece) drawn at the bounds.
    void DrawImage(int index) const;
    // text centred on the control in its font and colour, with textMode.
    void DrawCentredText(const std::wstring& text, int textMode) const;
    void Play(Label event) const;

private:
    int mMostSingleImages;
    bool mMouseOver = false;
    IImageList* mImages = nullptr;
    int mAlphaSensitivity = 25;
    const SoundList* mSounds = nullptr;
};

// The attributes the pressable controls' factories share, each read only when present: "images"
// (image list name), "sounds" (sound list name), "alphaSensitivity" (int, 25).
void ReadPressableAttributes(PressableControl& control, const IAttributeContainer& attributes);
} // namespace Corvane
