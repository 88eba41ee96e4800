// The default target of the render context. It stands for the screen and forwards every call to
// the canvas that the graphics platform offers at that moment, so the render context need not
// change when the renderer does. Main thread.
#pragma once

#include "Graphics/ICanvas.h"

namespace Corvane::Graphics
{
class cScreenCanvasProxy : public ICanvas
{
public:
    // Each answers what the platform's canvas answers; without a platform or canvas: the name
    // "ScreenCanvasProxy", empty bounds and no interfaces.
    Label GetName() override;
    const Rect<int>& GetBounds() override;
    bool QueryInterface(Label name, void** out) override;
};

// The one proxy of the process.
ICanvas* GetScreenCanvasProxy();
} // namespace Corvane::Graphics
