// Filling a rectangle by repeating one image, the pattern starting at an offset inside the image so
// that a texture stays fixed to a bar while the bar's visible length changes (meter bars, tiled
// sprites). Whole tiles are drawn as they are; the first column and row (when the pattern starts
// inside the image) and the last (when the area ends inside a tile) are drawn through a source
// rectangle. Positions and sizes are truncated to whole pixels.
//
// Results: 1 with nothing drawn (no image, an empty area, or an image without pixels); 0 after
// drawing (the results of the single tiles are not looked at). Main thread.
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/DrawState.h"
#include "Graphics/ICanvas.h"
#include "Graphics/Rect.h"
#include "Graphics/Vector2.h"

namespace Corvane
{
class IImage;
}

// Tiles area with image; the image's column startX and row startY (wrapped into the image) lie at
// the area's top-left corner.
int DrawTiledImage(Corvane::IImage* image, const Corvane::Rect<float>& area, int startX, int startY,
                   const Corvane::Graphics::DrawState& state, Corvane::Graphics::ICanvas* canvas);
// One row of tiles, length long and as high as the image.
int DrawTiledStripH(float x, float y, float length, int startX, const Corvane::Graphics::DrawState& state,
                    Corvane::Graphics::ICanvas* canvas, Corvane::IImage* image);
// One column of tiles, length long and as wide as the image.
int DrawTiledStripV(float x, float y, float length, int startY, const Corvane::Graphics::DrawState& state,
                    Corvane::Graphics::ICanvas* canvas, Corvane::IImage* image);

// The pixel (0xAARRGGBB) that DrawTiledImage puts at (x, y) of an area of areaSize whose pattern
// starts at start. Outside the area: 0xFFFFFFFF, so an alpha test outside counts as opaque; inside
// the area of an image without pixels: 0, as nothing is drawn there.
Corvane::PackedColor GetTiledPixel(Corvane::IImage* image, int x, int y, const Corvane::Vector2<float>& areaSize,
                                   const Corvane::Vector2<int>& start);
