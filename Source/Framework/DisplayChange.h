// Applying display settings: the renderer and the window are rebuilt together, trying renderer
// and window-mode pairs in a fixed fallback order until one starts:
//   Direct3D full screen, DirectDraw full screen, Direct3D windowed, DirectDraw windowed,
// starting at the first pair with the requested window mode. "-software" on the command line
// skips the Direct3D pairs; only the last pair's failure propagates. Main thread.
#pragma once

#include "Framework/IGraphicsPlatform.h"

namespace Corvane
{
// Told after every successful display change; the window mode in force may differ from the one
// asked for.
class IWindowModeChangeHandler
{
public:
    virtual ~IWindowModeChangeHandler() = default;
    virtual void OnWindowModeChanged() = 0;
};

// Applies settings unless they equal the current ones and force is not set. A window mode other
// than 0 or 1 is taken as the nearest of them. settings' window mode is overwritten by each pair
// tried. Throws what the last pair threw when none starts.
void ApplyDisplaySettings(DisplaySettings& settings, bool force);
// One attempt: deletes the renderer and the window, then creates the renderer for flags, checks
// the screen, creates the window and sets the renderer up. False on failure (logged), unless last:
// then the failure is rethrown.
bool TryGraphicsPlatform(DisplaySettings& settings, int flags, bool last);
// The current settings with another window mode (1 full screen, 0 windowed), applied unforced.
void SetWindowMode(int mode);
// Windowed becomes full screen; anything else becomes windowed (Alt+Enter).
void ToggleWindowMode();
// Applies the current settings again with force: the renderers rebuild a lost device this way.
void ResetDisplay();
// The settings in force: {-1, 1, 800, 600} until the first successful apply.
const DisplaySettings& GetDisplaySettings();
// The engine's stop has deleted the renderer and the window: nothing is in force until the next
// apply (the settings go back to {-1, 1, 800, 600}), so a later start builds them anew.
void ForgetDisplaySettings();

// The list holds plain pointers, in registration order.
void AddWindowModeChangeHandler(IWindowModeChangeHandler* handler);
// Removes every registration of handler.
void RemoveWindowModeChangeHandler(IWindowModeChangeHandler* handler);
} // namespace Corvane
