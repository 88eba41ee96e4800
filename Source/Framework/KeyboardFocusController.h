// Moves keyboard focus among the controls of the current database: left and up arrows go back,
// right and down arrows and Tab go forward. It takes those keys even when no control can take the
// focus.
#pragma once

#include "Framework/InputHandlerComponent.h"
#include "Framework/Object.h"

namespace Corvane
{
class KeyboardFocusController : public Object, public InputHandlerComponent
{
public:
    Label GetName() const override;
    bool KeyDown(int key) override;
};
} // namespace Corvane
