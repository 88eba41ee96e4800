#include "Graphics/DrawingFunctions.h"

#include "Graphics/Alignment.h"
#include "Graphics/IImage.h"
#include "Graphics/IImageList.h"
#include "Graphics/SoftwareLine.h"

#include <cstring>

namespace Corvane::Graphics
{
namespace
{
constexpr int kNothingToDraw = 1;
constexpr int kNoInterface = -2;

// Calls draw on the canvas's Interface: 1 without a canvas, -2 when it lacks the interface.
template <typename Interface, typename Draw> int WithInterface(ICanvas* canvas, Draw&& draw)
{
    if (!canvas)
        return kNothingToDraw;
    Interface* found = QueryCanvas<Interface>(canvas);
    return found ? draw(*found) : kNoInterface;
}

// The size an image is aligned by: its source rectangle's when one is set.
Vector2<int> DrawnSize(IImage& image, const DrawState& state)
{
    if (state.HasSourceRect())
        return {state.sourceRect.width, state.sourceRect.height};
    return {image.GetWidth(), image.GetHeight()};
}
} // namespace

int FillRect(const Rect<float>& rect, const DrawState& state, ICanvas* canvas)
{
    return WithInterface<IQuadDrawingCanvas>(canvas, [&](IQuadDrawingCanvas& c) { return c.FillRect(rect, state); });
}

int FillRectI(const Rect<int>& rect, const DrawState& state, ICanvas* canvas)
{
    return WithInterface<IQuadDrawingCanvas>(canvas, [&](IQuadDrawingCanvas& c) { return c.FillRect(rect, state); });
}

int DrawEllipse(const Rect<float>& bounds, const DrawState& state, ICanvas* canvas)
{
    return WithInterface<IEllipseDrawingCanvas>(
        canvas, [&](IEllipseDrawingCanvas& c) { return c.DrawLineEllipse(bounds, state); });
}

int FillEllipse(const Rect<float>& bounds, const DrawState& state, ICanvas* canvas)
{
    return WithInterface<IEllipseDrawingCanvas>(
        canvas, [&](IEllipseDrawingCanvas& c) { return c.DrawFilledEllipse(bounds, state); });
}

int DrawLine(float x1, float y1, float x2, float y2, const DrawState& state, ICanvas* canvas)
{
    if (!canvas)
        return kNothingToDraw;
    if (ILineDrawingCanvas* lines = QueryCanvas<ILineDrawingCanvas>(canvas))
        return lines->DrawLine(x1, y1, x2, y2, state);
    if (IPixelSettingCanvas* pixels = QueryCanvas<IPixelSettingCanvas>(canvas))
        return DrawSoftwareLine(*pixels, canvas->GetBounds(), x1, y1, x2, y2, state);
    return kNoInterface;
}

int DrawRectOutline(const Rect<float>& r, const DrawState& state, ICanvas* canvas)
{
    if (!canvas)
        return kNothingToDraw;
    const float right = r.x + r.width - 1;
    const float bottom = r.y + r.height - 1;
    DrawLine(r.x, r.y, right, r.y, state, canvas);
    DrawLine(right, r.y, right, bottom, state, canvas);
    DrawLine(right, bottom, r.x, bottom, state, canvas);
    return DrawLine(r.x, bottom, r.x, r.y, state, canvas);
}

int DrawImage(IImage* image, float x, float y, const DrawState& state, ICanvas* canvas)
{
    if (!image)
        return kNothingToDraw;
    return WithInterface<IQuadDrawingCanvas>(canvas, [&](IQuadDrawingCanvas& c) {
        const Vector2<int> size = DrawnSize(*image, state);
        const Vector2<float> at = AlignPoint(state, size.x, size.y, x, y);
        return c.DrawImage(image, at.x, at.y, state);
    });
}

int DrawImageInRect(IImage* image, const Rect<int>& rect, const DrawState& state, ICanvas* canvas)
{
    return WithInterface<IQuadDrawingCanvas>(
        canvas, [&](IQuadDrawingCanvas& c) { return c.DrawStretchedImage(image, AlignRect(state, rect), state); });
}

int DrawRotatedImage(IImage* image, float x, float y, float angle, const DrawState& state, ICanvas* canvas)
{
    if (!image)
        return kNothingToDraw;
    return WithInterface<IQuadDrawingCanvas>(canvas, [&](IQuadDrawingCanvas& c) {
        const Vector2<int> size = DrawnSize(*image, state);
        const Vector2<float> centre =
            AlignRotated(state, static_cast<float>(size.x), static_cast<float>(size.y), x, y, angle);
        return c.DrawRotatedImage(image, centre.x, centre.y, angle, state);
    });
}

int DrawSprites(IImage* image, int count, const void* sprites, int stride, const DrawState& state, ICanvas* canvas)
{
    if (!canvas || !image)
        return kNothingToDraw;
    if (ISpriteDrawingCanvas* spriteCanvas = QueryCanvas<ISpriteDrawingCanvas>(canvas))
        return spriteCanvas->DrawSprites(image, count, sprites, stride, state);
    IQuadDrawingCanvas* quads = QueryCanvas<IQuadDrawingCanvas>(canvas);
    if (!quads)
        return kNoInterface;

    const float width = static_cast<float>(image->GetWidth());
    const float height = static_cast<float>(image->GetHeight());
    const auto* bytes = static_cast<const unsigned char*>(sprites);
    DrawState tinted = state;
    int result = kNothingToDraw;
    for (int i = 0; i < count; ++i, bytes += stride)
    {
        SpriteRecord sprite; // copied out: callers' elements need not be aligned
        std::memcpy(&sprite, bytes, sizeof sprite);
        const float sw = width * sprite.scaleX;
        const float sh = height * sprite.scaleY;
        const Rect<int> rect(TruncateCoordinate(sprite.x - sw * 0.5f), TruncateCoordinate(sprite.y - sh * 0.5f),
                             TruncateCoordinate(sw), TruncateCoordinate(sh));
        tinted.tint = Modulate(sprite.color, state.tint);
        result = quads->DrawStretchedImage(image, rect, tinted);
    }
    return result;
}

int DrawImageListItem(IImageList* list, int index, float x, float y, const DrawState& state, ICanvas* canvas)
{
    return list ? list->Draw(index, x, y, state, canvas) : kNothingToDraw;
}

int DrawImageListItemInRect(IImageList* list, int index, const Rect<float>& destination, const DrawState& state,
                            ICanvas* canvas)
{
    return list ? list->DrawInRect(index, destination, state, canvas) : kNothingToDraw;
}
} // namespace Corvane::Graphics
