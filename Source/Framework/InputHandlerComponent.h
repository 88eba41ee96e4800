// The input handler that takes nothing and may hold focus; objects override what they handle.
#pragma once

#include "Framework/IInputHandler.h"

namespace Corvane
{
class InputHandlerComponent : public IInputHandler
{
public:
    bool KeyDown(int) override { return false; }
    bool KeyUp(int) override { return false; }
    bool Char(const std::wstring&) override { return false; }
    bool MouseMove(int, int) override { return false; }
    bool MouseDown(int, int, int) override { return false; }
    bool MouseUp(int, int, int) override { return false; }
    bool MouseWheel(float, int, int) override { return false; }
    bool CanTakeFocus() override { return true; }
};
} // namespace Corvane
