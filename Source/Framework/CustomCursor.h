// The game's own mouse cursor: an image drawn over everything at the mouse position, in place of
// the system cursor, while the player's profile has it enabled ("Corvane::Window::IsCustomCursorEnabled",
// WindowSettings.h). Engine-wide; main thread.
#pragma once

#include "Graphics/Vector2.h"

namespace Corvane
{
class Image;

struct CustomCursor
{
    bool enabled = false;
    // Not owned (a resource of the resource manager); null draws nothing.
    Image* image = nullptr;
    // The image's pixel that lies on the mouse position.
    Vector2<int> hotSpot{0, 0};
};

const CustomCursor& GetCustomCursor();
// Sets the image (null: none) and its hot spot; the enabled flag stays.
void SetCustomCursor(Image* image, Vector2<int> hotSpot);
// Stores the flag and has the platform show its own cursor exactly when the custom one is off.
void SetCustomCursorEnabled(bool enabled);
bool IsCustomCursorEnabled();
// The loop's last step of a frame while the window is active: the image at the last mouse
// position minus the hot spot, with the current draw state on the current canvas; nothing while
// the mouse is outside the window.
void DrawCustomCursor();
} // namespace Corvane
