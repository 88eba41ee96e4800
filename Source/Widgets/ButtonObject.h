// The push button: an image per state (or a three-piece frame per state) and an optional centred
// text. A press over it takes the mouse capture; the release over it clicks, broadcasting
// "ButtonClick" through the current object database with the button as sender. The hot key clicks
// it whether or not it has the focus; Enter, Space and the game pad's A only when it has.
//
// Image lists of up to 5 images hold one image per state (normal, hot, pressed, disabled,
// focused); longer ones hold three pieces per state (3s, 3s+1, 3s+2), drawn as a three-brush over
// the width. The focused image exists only in lists of exactly 5 or 15 images. Presses count only
// where the normal image's alpha is above the alpha sensitivity (0: anywhere in the bounds).
//
// Its factory, "button", reads "images" (image list name), "sounds" (sound list name; "Hot" plays
// when the pointer comes over the button, "Down" when it is pressed), "alphaSensitivity" (25),
// "keyCode" (a key name, GetKeyCodeByName) and "scalable" (stretch a single image by the scale).
#pragma once

#include "Widgets/ControlObject.h"
#include "Widgets/IText.h"
#include "Widgets/ObjectFactory.h"

#include <cstdint>

namespace Corvane
{
class IImageList;
class SoundList;

class ButtonObject : public ControlObject, public TextComponent, public ScaleComponent
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

    using ControlObject::ControlObject;

    // Not owned: the resource manager's. Fits the size to the images.
    void SetImages(IImageList* images);
    IImageList* GetImages() const { return mImages; }
    // Stores the text and fits the size.
    void SetText(const std::wstring& text) override;
    // Not owned; null plays nothing.
    void SetSounds(const SoundList* sounds) { mSounds = sounds; }
    const SoundList* GetSounds() const { return mSounds; }
    void SetKeyCode(int keyCode) { mKeyCode = keyCode; }
    int GetKeyCode() const { return mKeyCode; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetScalable(bool scalable) { mScalable = scalable; }
    bool IsScalable() const { return mScalable; }
    // The last mouse event found the pointer over the button.
    bool IsMouseOver() const { return mMouseOver; }

    // The state drawn now.
    State GetState() const;
    void Draw() override;

    bool KeyDown(int key) override;
    bool MouseMove(int x, int y) override;
    bool MouseDown(int button, int x, int y) override;
    bool MouseUp(int button, int x, int y) override;
    bool HitTestPixel(int x, int y) override;

private:
    bool IsThreePiece() const;
    bool HasFocusImage() const;
    void FitSize();
    void Click();
    void Play(Label event) const;

    bool mScalable = false;
    int mKeyCode = 0;
    bool mMouseOver = false;
    IImageList* mImages = nullptr;
    int mAlphaSensitivity = 25;
    const SoundList* mSounds = nullptr;
};

class ButtonObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
