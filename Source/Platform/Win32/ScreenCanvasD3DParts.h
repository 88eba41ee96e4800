// What the Direct3D screen canvas's sources share: result codes, colour packing, the vertex
// buffer, quads and the display's clip rectangle for one primitive. Main thread.
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/Rect.h"
#include "Platform/Win32/ScreenCanvasD3D.h"
#include "Platform/Win32/display.h"

namespace Corvane::Graphics::D3DCanvas
{
constexpr int kDrawn = 0;
constexpr int kNothingToDraw = 1;
constexpr int kRefused = -1;

// Each channel times 255, truncated, as 0xAARRGGBB; channels outside 0..1 are clamped.
DWORD PackColor(const ColorF& color);
// The alpha byte of a packed colour is 0.
inline bool Invisible(DWORD color)
{
    return (color >> 24) == 0;
}

// The process-wide buffer of cScreenCanvasD3D::kBatchVertices vertices.
D3DVertex* Vertices();

// Four vertices in triangle-strip order (top-left, bottom-left, top-right, bottom-right) of the
// rectangle, shifted half a pixel up and left so that texel centres meet pixel centres.
void BuildQuad(D3DVertex* out, const Rect<float>& rect, DWORD color, float uLeft, float vTop, float uRight,
               float vBottom);

inline Rect<float> ToFloat(const Rect<int>& r)
{
    return Rect<float>::FromRect(r);
}

// The display clips the primitives drawn while this lives to rect; the rectangle it had before
// comes back afterwards.
class DisplayClip
{
public:
    DisplayClip(CDisplay* display, const Rect<int>& rect);
    ~DisplayClip();
    DisplayClip(const DisplayClip&) = delete;
    DisplayClip& operator=(const DisplayClip&) = delete;

private:
    CDisplay* mDisplay;
    ClipRect mPrevious;
};
} // namespace Corvane::Graphics::D3DCanvas
