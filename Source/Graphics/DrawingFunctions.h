// The free drawing functions that game and scene code call with the current draw state and
// target (RenderContext.h). They align (Alignment.h), fall back to simpler interfaces where a
// canvas lacks one, and return a result code: 0 drawn, 1 nothing to draw (no canvas or image),
// -2 the canvas lacks every interface that would do. The canvas is always the last argument.
// Main thread, or a loader thread drawing through its own context.
#pragma once

#include "Graphics/DrawState.h"
#include "Graphics/DrawingInterfaces.h"
#include "Graphics/ICanvas.h"

namespace Corvane
{
class IImageList;
}

namespace Corvane::Graphics
{
// Fills with the state's colour.
int FillRect(const Rect<float>& rect, const DrawState& state, ICanvas* canvas);
int FillRectI(const Rect<int>& rect, const DrawState& state, ICanvas* canvas);
// The outline and the inside of the ellipse within bounds, in the state's colour.
int DrawEllipse(const Rect<float>& bounds, const DrawState& state, ICanvas* canvas);
int FillEllipse(const Rect<float>& bounds, const DrawState& state, ICanvas* canvas);
// A line in the state's colour, end points included; plotted pixel by pixel on canvases that
// can only set pixels.
int DrawLine(float x1, float y1, float x2, float y2, const DrawState& state, ICanvas* canvas);
// The four edges inside r; the result of the last edge.
int DrawRectOutline(const Rect<float>& r, const DrawState& state, ICanvas* canvas);
// The image (or its source rectangle) aligned at (x, y).
int DrawImage(IImage* image, float x, float y, const DrawState& state, ICanvas* canvas);
// The image stretched into the aligned rectangle; a null image is passed on to the canvas.
int DrawImageInRect(IImage* image, const Rect<int>& rect, const DrawState& state, ICanvas* canvas);
// The image turned by angle (radians, clockwise on the screen) with its aligned point at (x, y).
int DrawRotatedImage(IImage* image, float x, float y, float angle, const DrawState& state, ICanvas* canvas);
// count copies of image centred on each SpriteRecord (stride bytes apart), scaled by the record and
// tinted by its colour times the state's tint (as the hardware batch does); stretched one by one
// where the canvas cannot draw sprites.
int DrawSprites(IImage* image, int count, const void* sprites, int stride, const DrawState& state, ICanvas* canvas);
// Item index of an image list at (x, y), or stretched into destination: 1 without a list, else
// what the list's own draw returns.
int DrawImageListItem(IImageList* list, int index, float x, float y, const DrawState& state, ICanvas* canvas);
int DrawImageListItemInRect(IImageList* list, int index, const Rect<float>& destination, const DrawState& state,
                            ICanvas* canvas);
} // namespace Corvane::Graphics
