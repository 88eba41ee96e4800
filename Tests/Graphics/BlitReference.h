// A slow blitter written straight from the blit tables, pixel by pixel and channel by channel,
// that the engine's loops are compared with.
#pragma once

#include "Graphics/Blitter.h"
#include "Graphics/Image.h"

namespace Corvane::Testing
{
int ReferenceBlitImage(const Image& src, int x, int y, Graphics::BlitSurface& dst, const Graphics::DrawState& state);
int ReferenceBlitStretchedImage(const Image& src, const Rect<int>& dstRect, Graphics::BlitSurface& dst,
                                const Graphics::DrawState& state);
} // namespace Corvane::Testing
