// The push button: an image per state (or a three-piece frame per state) and an optional centred
// text. A press over it takes the mouse capture; the release over it clicks, broadcasting
// "ButtonClick" through the current object database with the button as sender. The hot key clicks
// it whether or not it has the focus; Enter, Space and the game pad's A only when it has.
//
// Image lists of up to 5 images hold one image per state (normal, hot, pressed, disabled,
// focused); longer ones hold three pieces per state (3s, 3s+1, 3s+2), drawn as a three-brush over
// the width. The focused image exists only in lists of exactly 5 or 15 images. Presses count only
// where the normal image's alpha is above the alpha sensitivity (0: anywhere in the bounds). The
// press handling, images and sounds are PressableControl's.
//
// Its factory, "button", reads "images" (image list name), "sounds" (sound list name; "Hot" plays
// when the pointer comes over the button, "Down" when it is pressed), "alphaSensitivity" (25),
// "keyCode" (a key name, GetKeyCodeByName) and "scalable" (stretch a single image by the scale).
#pragma once

#include "Widgets/IText.h"
#include "Widgets/ObjectFactory.h"
#include "Widgets/PressableControl.h"

namespace Corvane
{
class ButtonObject : public PressableControl, public TextComponent, public ScaleComponent
{
public:
    explicit ButtonObject(Label name) : PressableControl(name, 5) {}

    // Stores the text and fits the size.
    void SetText(const std::wstring& text) override;
    void SetKeyCode(int keyCode) { mKeyCode = keyCode; }
    int GetKeyCode() const { return mKeyCode; }
    void SetScalable(bool scalable) { mScalable = scalable; }
    bool IsScalable() const { return mScalable; }

    void Draw() override;
    bool KeyDown(int key) override;

protected:
    void Activate() override;
    // Without images, the text's size in the font.
    void FitSize() override;

private:
    bool mScalable = false;
    int mKeyCode = 0;
};

class ButtonObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
