#include "Widgets/ImageListAnimation.h"

#include "Framework/ResourceDescriptor.h"
#include "Framework/ResourceManager.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/IImageList.h"

#include <climits>
#include <cmath>
#include <cwctype>
#include <string>

namespace Corvane
{
namespace
{
constexpr int kNothingToDraw = 1;

AnimationMode ParseMode(std::wstring text, AnimationMode fallback)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    if (text == L"once")
        return kAnimationOnce;
    if (text == L"bounce")
        return kAnimationBounce;
    if (text == L"loop")
        return kAnimationLoop;
    if (text == L"pingpong")
        return kAnimationPingPong;
    return fallback;
}

// Frames elapsed, in float as the frame rate is given (0.7 s at 10 fps is frame 7, not 6), kept
// within int: an animation left running for years would overflow it.
int ElapsedFrames(float time, float fps)
{
    const float frames = time * fps;
    if (std::isnan(frames))
        return 0;
    if (frames <= static_cast<float>(INT_MIN))
        return INT_MIN;
    if (frames >= static_cast<float>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(frames);
}
} // namespace

ImageListAnimation ImageListAnimation::Load(Label name, AnimationMode defaultMode, float defaultFps)
{
    ImageListAnimation animation;
    IResourceDescriptor* descriptor = ResourceManager::Instance()->Find(name);
    const auto* attributes = dynamic_cast<const ResourceDescriptor*>(descriptor);
    if (!attributes)
        return animation;
    animation.fps = attributes->GetFloatAttribute(L"fps", defaultFps);
    animation.mode = ParseMode(attributes->GetStringAttribute(L"mode", L""), defaultMode);
    animation.list = dynamic_cast<IImageList*>(descriptor);
    return animation;
}

int ImageListAnimation::GetFrame(float time) const
{
    const int count = list ? list->GetCount() : 0;
    if (count <= 0)
        return kNoFrame;
    const int n = ElapsedFrames(time, fps);
    int passes = n / count;
    int frame = n % count;
    if (frame < 0)
        frame += count;
    int last = count - 1;
    if (mode & kAnimationBounce)
    {
        if (passes % 2 != 0)
            frame = count - 1 - frame;
        passes /= 2;
        last = 0;
    }
    if (mode & kAnimationLoop)
        return frame;
    if (passes > 0)
        return last;
    return passes < 0 ? 0 : frame;
}

int ImageListAnimation::Draw(float time, float x, float y, const Graphics::DrawState& state,
                             Graphics::ICanvas* canvas) const
{
    const int frame = GetFrame(time);
    if (frame == kNoFrame)
        return kNothingToDraw;
    return Graphics::DrawImageListItem(list, frame, x, y, state, canvas);
}

int ImageListAnimation::DrawInRect(float time, const Rect<float>& rect, const Graphics::DrawState& state,
                                   Graphics::ICanvas* canvas) const
{
    const int frame = GetFrame(time);
    if (frame == kNoFrame)
        return kNothingToDraw;
    return Graphics::DrawImageListItemInRect(list, frame, rect, state, canvas);
}
} // namespace Corvane
