// An animation over the items of an image list: a list, a mode and a frame rate, with the frame
// picked from the time since the animation started. The animation sprite plays one; so does the
// text field's blinking caret.
#pragma once

#include "Graphics/DrawState.h"
#include "Graphics/ICanvas.h"
#include "Graphics/Rect.h"
#include "Label.h"

#include <cstdint>

namespace Corvane
{
class IImageList;

// Bit 0: every second pass runs backwards; bit 1: repeats for ever.
enum AnimationMode : std::int32_t
{
    kAnimationOnce = 0,
    kAnimationBounce = 1,
    kAnimationLoop = 2,
    kAnimationPingPong = 3
};

struct ImageListAnimation
{
    // What GetFrame gives when there is nothing to show.
    static constexpr int kNoFrame = -1;

    IImageList* list = nullptr; // not owned: the resource manager's
    AnimationMode mode = kAnimationOnce;
    float fps = 1.0f;

    // The image list resource of that name with its own "fps" (default defaultFps) and "mode"
    // ("once", "bounce", "loop", "pingpong" in any case; otherwise defaultMode) attributes. Without
    // such a resource: no list, once, 1 fps.
    static ImageListAnimation Load(Label name, AnimationMode defaultMode, float defaultFps);

    // The item shown time seconds after the start. Once holds the last item, Bounce plays back
    // and holds the first, Loop repeats, PingPong repeats forwards and backwards. kNoFrame
    // without a list or for an empty one.
    int GetFrame(float time) const;
    // The frame at (x, y), or stretched into rect; 1 when there is no frame to draw.
    int Draw(float time, float x, float y, const Graphics::DrawState& state, Graphics::ICanvas* canvas) const;
    int DrawInRect(float time, const Rect<float>& rect, const Graphics::DrawState& state,
                   Graphics::ICanvas* canvas) const;
};
} // namespace Corvane
