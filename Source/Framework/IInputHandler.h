// Input offered to an object by its database. Every event operation returns true when it took the
// event, which then goes to nobody else. Coordinates are virtual-screen pixels; buttons 0 left,
// 1 right; keys are virtual-key codes; wheel amounts are in notches. Main thread.
#pragma once

#include <string>

namespace Corvane
{
// The button of mouse events and of the scene nodes' button signals.
enum MouseButton : int
{
    kMouseButtonLeft = 0,
    kMouseButtonRight = 1,
    kMouseButtonMiddle = 2,
};

class IInputHandler
{
public:
    virtual ~IInputHandler() = default;
    virtual bool KeyDown(int key) = 0;
    virtual bool KeyUp(int key) = 0;
    // text: the characters typed, valid during the call.
    virtual bool Char(const std::wstring& text) = 0;
    virtual bool MouseMove(int x, int y) = 0;
    virtual bool MouseDown(int button, int x, int y) = 0;
    virtual bool MouseUp(int button, int x, int y) = 0;
    virtual bool MouseWheel(float amount, int x, int y) = 0;
    // The object may hold keyboard focus.
    virtual bool CanTakeFocus() = 0;
};
} // namespace Corvane
