#include "Graphics/ImageCanvas.h"

#include "Graphics/Blitter.h"
#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"
#include "Graphics/SoftwareLine.h"

#include <cstddef>

namespace Corvane::Graphics
{
namespace
{
constexpr int kNothingToDraw = 1;
constexpr int kNoInterface = -2;
} // namespace

cImageCanvas::cImageCanvas(Image& target) : mTarget(target), mBounds(0, 0, target.GetWidth(), target.GetHeight()) {}

Label cImageCanvas::GetName()
{
    static const Label name("ImageCanvas");
    return name;
}

bool cImageCanvas::QueryInterface(Label name, void** out)
{
    return AnswerInterface<ICanvas>(name, this, out) || AnswerInterface<IQuadDrawingCanvas>(name, this, out) ||
           AnswerInterface<IPixelSettingCanvas>(name, this, out) ||
           AnswerInterface<IEllipseDrawingCanvas>(name, this, out);
}

BlitSurface cImageCanvas::Surface()
{
    return {mTarget.GetPixels(), mBounds.width, mBounds.height};
}

int cImageCanvas::Drawn(int result)
{
    if (result == 0)
        mTarget.MarkDirty();
    return result;
}

int cImageCanvas::FillRect(const Rect<float>& rect, const DrawState& state)
{
    return FillRect(Rect<int>(TruncateCoordinate(rect.x), TruncateCoordinate(rect.y), TruncateCoordinate(rect.width),
                              TruncateCoordinate(rect.height)),
                    state);
}

int cImageCanvas::FillRect(const Rect<int>& rect, const DrawState& state)
{
    const Rect<int> area = Rect<int>::Intersect(Rect<int>::Intersect(mBounds, rect), state.clip);
    if (area.IsEmpty() || !mTarget.GetPixels())
        return kNothingToDraw;
    const PackedColor color = state.color.ToPacked();
    const bool blend = (state.flags & kDrawBlend) != 0;
    PackedColor* row = mTarget.GetPixels() + std::size_t(area.y) * mBounds.width + area.x;
    for (int y = 0; y < area.height; ++y, row += mBounds.width)
        for (int x = 0; x < area.width; ++x)
            row[x] = blend ? BlendPixel(color, row[x]) : color;
    return Drawn(0);
}

int cImageCanvas::DrawImage(IImage* image, float x, float y, const DrawState& state)
{
    const Image* source = dynamic_cast<Image*>(image);
    if (!source)
        return kNothingToDraw;
    BlitSurface surface = Surface();
    return Drawn(BlitImage(*source, TruncateCoordinate(x), TruncateCoordinate(y), surface, state));
}

int cImageCanvas::DrawStretchedImage(IImage* image, const Rect<int>& dst, const DrawState& state)
{
    const Image* source = dynamic_cast<Image*>(image);
    if (!source)
        return kNothingToDraw;
    BlitSurface surface = Surface();
    return Drawn(BlitStretchedImage(*source, dst, surface, state));
}

Image* cImageCanvas::RotatedCopy(IImage* image, float angle, int& failure)
{
    Image* source = dynamic_cast<Image*>(image);
    failure = source ? kNoInterface : kNothingToDraw;
    return source ? source->GetRotation(angle) : nullptr;
}

int cImageCanvas::DrawRotatedImage(IImage* image, float cx, float cy, float angle, const DrawState& state)
{
    int failure = 0;
    Image* turned = RotatedCopy(image, angle, failure);
    if (!turned)
        return failure;
    return DrawImage(turned, cx - turned->GetWidth() * 0.5f, cy - turned->GetHeight() * 0.5f, state);
}

int cImageCanvas::DrawRotatedImageInRect(IImage* image, const Rect<int>& rect, float angle, const DrawState& state)
{
    int failure = 0;
    Image* turned = RotatedCopy(image, angle, failure);
    if (!turned)
        return failure;
    const Rect<int> centred(TruncateCoordinate(rect.x - turned->GetWidth() * 0.5f),
                            TruncateCoordinate(rect.y - turned->GetHeight() * 0.5f), rect.width, rect.height);
    return DrawStretchedImage(turned, centred, state);
}

int cImageCanvas::DrawTexturedVertices(int, IImage*, const TexturedVertex*, int, const DrawState&)
{
    return kNoInterface;
}

int cImageCanvas::SetPixel(float x, float y, PackedColor argb)
{
    mTarget.SetPixel(TruncateCoordinate(x), TruncateCoordinate(y), argb);
    return 0;
}

PackedColor cImageCanvas::GetPixel(float x, float y)
{
    return mTarget.GetPixel(TruncateCoordinate(x), TruncateCoordinate(y));
}

ICanvas* CreateImageCanvas(Image& target)
{
    return new cImageCanvas(target);
}

void DestroyImageCanvas(ICanvas* canvas)
{
    delete dynamic_cast<cImageCanvas*>(canvas);
}
} // namespace Corvane::Graphics
