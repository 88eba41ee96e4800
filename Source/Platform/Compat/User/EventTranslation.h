// SDL events turned into window messages for the window they concern.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

#include <SDL.h>

namespace Compat
{
// Queues the messages for one SDL event (sends WM_SETCURSOR before a move, and WM_SIZING to let the
// window correct a size the user has just given it).
void TranslateEvent(const SDL_Event& event);
// Offers the resizes the user has finished since the last call (from the message pump).
void FinishUserSizing();
// A move where the pointer is now for each window it came into since the last call (from the
// message pump): SDL places the move of its coming in where it crossed into the window, which is
// stale when the window moved or grew since (a full-screen window is made, then made to cover its
// display, under a pointer that stays put), and without it what lies under the pointer stays unlit.
void FinishPointerEntries();
// The virtual-key code of a key: by what the key types where the key table knows it, otherwise by
// where the key sits (its scan code, as on a US keyboard), so letters of other layouts still
// arrive; 0 for keys the game has no code for.
WPARAM VirtualKeyFromSdl(const SDL_Keysym& key);
} // namespace Compat
