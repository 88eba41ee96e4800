// Stretchable frames drawn from image lists cut into pieces. A three-brush is a start cap, a
// middle and an end cap laid along one axis; a nine-brush is three rows of three (corners, edges,
// centre) laid over a rectangle. Caps, corners and edges keep their size; the middle pieces are
// repeated, not scaled, from the start towards the end, and the last repeat is cut to fit.
//
// Pieces come from the list from a first index `first` on, so that one list can hold a brush per
// visual state one after another: three-brush first, first+1, first+2; nine-brush the top row
// first..first+2, the middle row first+3..first+5, the bottom row first+6..first+8. Positions are
// brought down to whole pixels. The widget objects and the scene graph's control nodes draw their
// frames with these.
//
// Results: 1 without a list; -1 when first is negative or the list is too short for the brush;
// 0 after drawing (the results of the single pieces are not looked at). Main thread.
#pragma once

#include "Graphics/DrawState.h"
#include "Graphics/ICanvas.h"

#include <cstdint>

namespace Corvane
{
class IImageList;
}

namespace Corvane::Graphics
{
// From floor (x) to floor (x + width), at row floor (y).
int DrawThreeBrushHorizontal(IImageList* list, int first, float x, float y, float width, const DrawState& state,
                             ICanvas* canvas);
int DrawThreeBrushHorizontal(IImageList* list, float x, float y, float width, const DrawState& state, ICanvas* canvas);
// From floor (y) to floor (y + height), at column floor (x).
int DrawThreeBrushVertical(IImageList* list, int first, float x, float y, float height, const DrawState& state,
                           ICanvas* canvas);
int DrawThreeBrushVertical(IImageList* list, float x, float y, float height, const DrawState& state, ICanvas* canvas);
// Over (floor (x), floor (y)) to (floor (x + width), floor (y + height)). The middle row repeats
// downwards; its last repeat is clipped where the bottom row begins.
int DrawNineBrush(IImageList* list, int first, float x, float y, float width, float height, const DrawState& state,
                  ICanvas* canvas);
int DrawNineBrush(IImageList* list, float x, float y, float width, float height, const DrawState& state,
                  ICanvas* canvas);

// The alpha of the horizontal three-brush's pixel at (px, py), measured from the brush's top-left
// corner, for a brush of the given width; 0 outside it or without a usable list. The height is
// the start cap's. Controls use it so that transparent parts of their frame take no presses.
std::uint8_t GetThreeBrushPixelHorizontal(IImageList* list, int first, int px, int py, float width);
} // namespace Corvane::Graphics
