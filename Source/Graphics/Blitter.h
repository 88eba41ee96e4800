// The software blitter: copies an Image onto a 32-bit 0xAARRGGBB pixel surface, applying the
// draw state's clip rectangle, source rectangle, tint, opacity (tint alpha), alpha blending and
// mirroring. The image canvas and the software renderer draw every image through it.
//
// Blits touch only their source and destination, so two threads may blit at once (the loader
// thread builds fonts while the main thread draws).
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/DrawState.h"

namespace Corvane
{
class Image;
}

namespace Corvane::Graphics
{
// Rows follow each other without padding: the row stride is width.
struct BlitSurface
{
    PackedColor* pixels = nullptr;
    int width = 0;
    int height = 0;
};

// Draws src with its top-left corner (or its source rectangle's) at (x, y). 0 when something was
// drawn, 1 when nothing was (no pixels, opacity 0, nothing visible). Mirrored draws go through
// the stretched path so that they come out mirrored.
int BlitImage(const Image& src, int x, int y, BlitSurface& dst, const DrawState& state);

// Draws src (or its source rectangle) scaled into dstRect, nearest neighbour, mirrored by the
// state's mirror flags. 0, or 1 when there are no pixels, nothing is visible or the packed tint
// is 0. Opacity matters only when blending.
int BlitStretchedImage(const Image& src, const Rect<int>& dstRect, BlitSurface& dst, const DrawState& state);

// Multiplies every byte of p, alpha included, by the matching byte of tint: ((t + 1) * p) >> 8;
// a white opaque tint returns p, a zero tint 0.
PackedColor TintPixel(PackedColor tint, PackedColor p);
} // namespace Corvane::Graphics
