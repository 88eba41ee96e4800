#include "Framework/KeyboardFocusController.h"

#include "Framework/ObjectDatabase.h"

namespace Corvane
{
namespace
{
constexpr int kKeyTab = 9;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
} // namespace

Label KeyboardFocusController::GetName() const
{
    static const Label name("KeyboardFocusController");
    return name;
}

bool KeyboardFocusController::KeyDown(int key)
{
    bool backward;
    if (key == kKeyLeft || key == kKeyUp)
        backward = true;
    else if (key == kKeyRight || key == kKeyDown || key == kKeyTab)
        backward = false;
    else
        return false;
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->MoveFocus(backward);
    return true;
}
} // namespace Corvane
