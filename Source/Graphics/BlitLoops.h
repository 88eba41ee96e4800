// Inside the blitter: the row loops that BlitImage picks from, one per mode, each in an opaque
// and a translucent variant, in two implementations (plain C++ and SIMD) that give the same
// pixels.
#pragma once

#include "Graphics/Blitter.h"

namespace Corvane::Graphics::Internal
{
// The visible block: height rows of width pixels, each row advancing by its stride.
struct BlitRows
{
    const PackedColor* src = nullptr;
    int srcStride = 0;
    PackedColor* dst = nullptr;
    int dstStride = 0;
    int width = 0;
    int height = 0;
};

// Tint bytes (255 = untinted) and opacity (1..255).
struct BlitColor
{
    int red = 255;
    int green = 255;
    int blue = 255;
    int opacity = 255;
};

enum BlitMode
{
    kBlitWholeCopy,        // untinted, not blending, the whole image onto a surface of its size
    kBlitCopy,             // untinted, not blending
    kBlitAlphaTest,        // untinted, blending a mask image (alpha 0 or 255)
    kBlitAlphaBlend,       // untinted, blending smooth alpha
    kBlitTintedCopy,       // tinted, not blending
    kBlitTintedAlphaTest,  // tinted, mask image
    kBlitTintedAlphaBlend, // tinted, smooth alpha
    kBlitModeCount
};

using BlitLoop = void (*)(const BlitRows& rows, const BlitColor& color);

struct BlitLoopTable
{
    BlitLoop opaque[kBlitModeCount];      // opacity 255
    BlitLoop translucent[kBlitModeCount]; // opacity 1..254
};

// One pixel at a time, straight from the per-pixel rules: the reference the SIMD loops match.
const BlitLoopTable& PlainBlitLoops();
// Four pixels at a time where the processor allows it (SSE2 on x86-64); the plain loops
// elsewhere. BlitImage uses these.
const BlitLoopTable& FastBlitLoops();

// BlitImage with the given loops (tests compare the two tables on the same draws).
int BlitImageWith(const BlitLoopTable& loops, const Image& src, int x, int y, BlitSurface& dst, const DrawState& state);
// BlitStretchedImage one pixel at a time (simd false, the reference) or with the SIMD row loops
// (what BlitStretchedImage runs); both give the same pixels.
int BlitStretchedImageWith(bool simd, const Image& src, const Rect<int>& dstRect, BlitSurface& dst,
                           const DrawState& state);
} // namespace Corvane::Graphics::Internal
