// The software renderer as a canvas: fills, images, pixels, circles and ellipses drawn into its
// frame.
#include "Debug.h"
#include "Graphics/Blitter.h"
#include "Graphics/Image.h"
#include "Graphics/SoftwareEllipse.h"
#include "Graphics/SoftwareLine.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace Corvane
{
using namespace Graphics;

namespace
{
constexpr int kNothingDrawn = 1;
constexpr int kNotSupported = -2;

// Small circles follow the point table; a radius that rounds to 0 draws nothing.
const SmallCircleRules& CircleRules()
{
    static const SmallCircleRules rules{false, {}};
    return rules;
}

// Said once per process: a rotation cache makes rotated drawing cheap.
void WarnOfManualRotation()
{
    static std::atomic<bool> warned{false};
    if (!warned.exchange(true))
        DebugPrint("Performance warning: DDraw7GraphicsPlatform::DrawRotatedImage() is manually creating rotated "
                   "Images every frame! Specify a default number of rotations in the Image resource.\r\n");
}
} // namespace

bool DDraw7GraphicsPlatform::QueryInterface(Label name, void** out)
{
    return AnswerInterface<ICanvas>(name, this, out) || AnswerInterface<IQuadDrawingCanvas>(name, this, out) ||
           AnswerInterface<IPixelSettingCanvas>(name, this, out) ||
           AnswerInterface<IEllipseDrawingCanvas>(name, this, out);
}

BlitSurface DDraw7GraphicsPlatform::Surface()
{
    return {mFrame.empty() ? nullptr : mFrame.data(), mBounds.width, mBounds.height};
}

int DDraw7GraphicsPlatform::Drawn(int result)
{
    if (result == 0)
        mFlags |= kDrawnFlag;
    return result;
}

int DDraw7GraphicsPlatform::FillRect(const Rect<float>& rect, const DrawState& state)
{
    return FillRect(Rect<int>(TruncateCoordinate(rect.x), TruncateCoordinate(rect.y), TruncateCoordinate(rect.width),
                              TruncateCoordinate(rect.height)),
                    state);
}

int DDraw7GraphicsPlatform::FillRect(const Rect<int>& rect, const DrawState& state)
{
    const Rect<int> area = Rect<int>::Intersect(Rect<int>::Intersect(mBounds, rect), state.clip);
    if (area.IsEmpty() || mFrame.empty())
        return kNothingDrawn;
    const PackedColor color = state.color.ToPacked();
    if ((color >> 24) < 128)
        return kNothingDrawn;
    PackedColor* row = mFrame.data() + std::size_t(area.y) * mBounds.width + area.x;
    for (int y = 0; y < area.height; ++y, row += mBounds.width)
        std::fill_n(row, area.width, color);
    return Drawn(0);
}

int DDraw7GraphicsPlatform::DrawImage(IImage* image, float x, float y, const DrawState& state)
{
    const Image* source = dynamic_cast<Image*>(image);
    if (!source)
        return kNothingDrawn;
    // One blit, mirrored either way as the state asks.
    BlitSurface surface = Surface();
    return Drawn(BlitImage(*source, TruncateCoordinate(x), TruncateCoordinate(y), surface, state));
}

int DDraw7GraphicsPlatform::DrawStretchedImage(IImage* image, const Rect<int>& dst, const DrawState& state)
{
    const Image* source = dynamic_cast<Image*>(image);
    if (!source)
        return kNothingDrawn;
    BlitSurface surface = Surface();
    return Drawn(BlitStretchedImage(*source, dst, surface, state));
}

int DDraw7GraphicsPlatform::DrawRotatedImage(IImage* image, float cx, float cy, float angle, const DrawState& state)
{
    Image* source = dynamic_cast<Image*>(image);
    if (!source)
        return kNothingDrawn;
    if (Image* cached = source->GetRotation(angle))
        return DrawImage(cached, cx - cached->GetWidth() * 0.5f, cy - cached->GetHeight() * 0.5f, state);
    WarnOfManualRotation();
    const std::unique_ptr<Image> turned = source->CreateRotated(angle);
    if (!turned)
        return kNotSupported;
    return DrawImage(turned.get(), cx - turned->GetWidth() * 0.5f, cy - turned->GetHeight() * 0.5f, state);
}

int DDraw7GraphicsPlatform::DrawRotatedImageInRect(IImage*, const Rect<int>&, float, const DrawState&)
{
    return kNotSupported;
}

int DDraw7GraphicsPlatform::DrawTexturedVertices(int, IImage*, const TexturedVertex*, int, const DrawState&)
{
    return kNotSupported;
}

int DDraw7GraphicsPlatform::SetPixel(float x, float y, PackedColor argb)
{
    const int px = TruncateCoordinate(x);
    const int py = TruncateCoordinate(y);
    if (!mBounds.Contains(px, py) || mFrame.empty())
        return kNothingDrawn;
    mFrame[std::size_t(py) * mBounds.width + px] = argb;
    // Lines are plotted pixel by pixel: a frame of nothing but lines must be shown too.
    return Drawn(0);
}

PackedColor DDraw7GraphicsPlatform::GetPixel(float x, float y)
{
    const int px = TruncateCoordinate(x);
    const int py = TruncateCoordinate(y);
    if (!mBounds.Contains(px, py) || mFrame.empty())
        return 0;
    return mFrame[std::size_t(py) * mBounds.width + px];
}

int DDraw7GraphicsPlatform::DrawLineCircle(float cx, float cy, float radius, const DrawState& state)
{
    BlitSurface surface = Surface();
    return Drawn(PlotSoftwareCircle(surface, cx, cy, radius, state, false, CircleRules()));
}

int DDraw7GraphicsPlatform::DrawFilledCircle(float cx, float cy, float radius, const DrawState& state)
{
    BlitSurface surface = Surface();
    return Drawn(PlotSoftwareCircle(surface, cx, cy, radius, state, true, CircleRules()));
}

int DDraw7GraphicsPlatform::DrawLineEllipse(const Rect<float>& bounds, const DrawState& state)
{
    BlitSurface surface = Surface();
    return Drawn(PlotSoftwareEllipse(surface, bounds, state, false, CircleRules()));
}

int DDraw7GraphicsPlatform::DrawFilledEllipse(const Rect<float>& bounds, const DrawState& state)
{
    BlitSurface surface = Surface();
    return Drawn(PlotSoftwareEllipse(surface, bounds, state, true, CircleRules()));
}
} // namespace Corvane
