// A canvas that draws into an Image in memory with the software blitter; fonts compose their
// glyph textures and masked sprites their pictures through it. Every operation that writes
// pixels marks the image dirty. Used by the thread that made it.
#pragma once

#include "Graphics/DrawingInterfaces.h"
#include "Graphics/ICanvas.h"

namespace Corvane
{
class Image;
}

namespace Corvane::Graphics
{
struct BlitSurface;
struct SmallCircleRules;

class cImageCanvas final : public ICanvas,
                           public IQuadDrawingCanvas,
                           public IPixelSettingCanvas,
                           public IEllipseDrawingCanvas
{
public:
    // target must outlive the canvas and keep its size.
    explicit cImageCanvas(Image& target);
    cImageCanvas(const cImageCanvas&) = delete;
    cImageCanvas& operator=(const cImageCanvas&) = delete;

    // "ImageCanvas"
    Label GetName() override;
    const Rect<int>& GetBounds() override { return mBounds; }
    bool QueryInterface(Label name, void** out) override;

    // Images must be Corvane::Image; any other kind gives 1.
    int FillRect(const Rect<float>& rect, const DrawState& state) override;
    int FillRect(const Rect<int>& rect, const DrawState& state) override;
    int DrawImage(IImage* image, float x, float y, const DrawState& state) override;
    int DrawStretchedImage(IImage* image, const Rect<int>& dst, const DrawState& state) override;
    // From the image's rotation cache: -2 when it has none.
    int DrawRotatedImage(IImage* image, float cx, float cy, float angle, const DrawState& state) override;
    int DrawRotatedImageInRect(IImage* image, const Rect<int>& rect, float angle, const DrawState& state) override;
    // No textures here: -2.
    int DrawTexturedVertices(int kind, IImage* image, const TexturedVertex* vertices, int count,
                             const DrawState& state) override;

    int SetPixel(float x, float y, PackedColor argb) override;
    PackedColor GetPixel(float x, float y) override;

    // In the state's colour, written unblended; a colour more than half transparent draws nothing.
    int DrawLineCircle(float cx, float cy, float radius, const DrawState& state) override;
    int DrawFilledCircle(float cx, float cy, float radius, const DrawState& state) override;
    int DrawLineEllipse(const Rect<float>& bounds, const DrawState& state) override;
    int DrawFilledEllipse(const Rect<float>& bounds, const DrawState& state) override;

    Image& GetTarget() { return mTarget; }

private:
    BlitSurface Surface();
    // Marks the target dirty when result says something was drawn.
    int Drawn(int result);
    int DrawCircle(float x, float y, float radius, const DrawState& state, bool filled);
    // The rules of the smallest circles on this canvas.
    SmallCircleRules SmallCircles(const DrawState& state);
    int DrawEllipse(const Rect<float>& bounds, const DrawState& state, bool filled);
    // The image's cached copy for angle; null with failure set to 1 (not a Corvane::Image) or -2
    // (no rotation cache).
    static Image* RotatedCopy(IImage* image, float angle, int& failure);

    Image& mTarget;
    Rect<int> mBounds;
};

// A new canvas drawing into target; destroy it with DestroyImageCanvas.
ICanvas* CreateImageCanvas(Image& target);
// Deletes canvas when it is an image canvas; anything else is left alone.
void DestroyImageCanvas(ICanvas* canvas);
} // namespace Corvane::Graphics
