// The Direct3D screen canvas: its interfaces, the way every primitive reaches the device, fills
// and images.
#include "Platform/Win32/ScreenCanvasD3D.h"

#include "Debug.h"
#include "Graphics/GraphicsMath.h"
#include "Graphics/IImage.h"
#include "Platform/Win32/D3DTexture.h"
#include "Platform/Win32/ScreenCanvasD3DParts.h"
#include "Win32/GraphicsErrorString.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace Corvane::Graphics
{
using namespace D3DCanvas;

namespace
{
constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// The part of image a state draws: its source rectangle, else the whole image.
Rect<float> SourceOf(IImage& image, const DrawState& state)
{
    if (state.HasSourceRect())
        return ToFloat(state.sourceRect);
    return {0.0f, 0.0f, float(image.GetWidth()), float(image.GetHeight())};
}

// The part of source that lands in clipped when source is drawn over dest; mirrored, the cut
// comes off the other side.
Rect<float> CutSource(const Rect<float>& source, const Rect<float>& dest, const Rect<float>& clipped,
                      const DrawState& state)
{
    const float scaleX = source.width / dest.width, scaleY = source.height / dest.height;
    const float left = (clipped.x - dest.x) * scaleX, right = (dest.Right() - clipped.Right()) * scaleX;
    const float top = (clipped.y - dest.y) * scaleY, bottom = (dest.Bottom() - clipped.Bottom()) * scaleY;
    return {source.x + ((state.flags & kDrawMirrorX) ? right : left),
            source.y + ((state.flags & kDrawMirrorY) ? bottom : top), clipped.width * scaleX, clipped.height * scaleY};
}

bool IsUnturned(float angle)
{
    const float wrapped = WrapAngle(angle);
    return wrapped == 0.0f || wrapped >= TwoPi();
}
} // namespace

namespace D3DCanvas
{
DWORD PackColor(const ColorF& color)
{
    const auto channel = [](float value) { return DWORD(std::clamp(value, 0.0f, 1.0f) * 255.0f); };
    return channel(color.alpha) << 24 | channel(color.red) << 16 | channel(color.green) << 8 | channel(color.blue);
}

D3DVertex* Vertices()
{
    static std::array<D3DVertex, cScreenCanvasD3D::kBatchVertices> buffer{};
    return buffer.data();
}

void BuildQuad(D3DVertex* out, const Rect<float>& r, DWORD color, float uLeft, float vTop, float uRight, float vBottom)
{
    const float left = r.x - 0.5f, top = r.y - 0.5f, right = r.Right() - 0.5f, bottom = r.Bottom() - 0.5f;
    out[0] = {left, top, 1.0f, color, uLeft, vTop};
    out[1] = {left, bottom, 1.0f, color, uLeft, vBottom};
    out[2] = {right, top, 1.0f, color, uRight, vTop};
    out[3] = {right, bottom, 1.0f, color, uRight, vBottom};
}

DisplayClip::DisplayClip(CDisplay* display, const Rect<int>& rect) : mDisplay(display)
{
    if (!mDisplay)
        return;
    mPrevious = mDisplay->GetClipRect();
    mDisplay->SetClipRect({rect.x, rect.y, rect.width, rect.height});
}

DisplayClip::~DisplayClip()
{
    if (mDisplay)
        mDisplay->SetClipRect(mPrevious);
}
} // namespace D3DCanvas

Label cScreenCanvasD3D::GetName()
{
    static const Label name("ScreenCanvasD3D");
    return name;
}

const Rect<int>& cScreenCanvasD3D::GetBounds()
{
    CDisplay* display = CDisplay::GetInstance();
    if (mBounds.IsEmpty() && display && display->GetBackBuffer())
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        if (SUCCEEDED(display->GetBackBuffer()->GetSurfaceDesc(&desc)))
            mBounds = Rect<int>(0, 0, int(desc.dwWidth), int(desc.dwHeight));
    }
    return mBounds;
}

bool cScreenCanvasD3D::QueryInterface(Label name, void** out)
{
    return AnswerInterface<IScreen>(name, this, out) || AnswerInterface<ICanvas>(name, this, out) ||
           AnswerInterface<IQuadDrawingCanvas>(name, this, out) ||
           AnswerInterface<ILineDrawingCanvas>(name, this, out) ||
           AnswerInterface<ITextDrawingCanvas>(name, this, out) ||
           AnswerInterface<IEllipseDrawingCanvas>(name, this, out) ||
           AnswerInterface<ISpriteDrawingCanvas>(name, this, out);
}

cScreenCanvasD3D::Texturing cScreenCanvasD3D::TextureOf(IImage* image)
{
    Texturing texturing;
    D3DTexture* texture = D3DTexture::GetTextureForImage(image);
    if (!texture)
        return texturing;
    texturing.surface = texture->GetSurface();
    if (!texturing.surface)
        return texturing;
    const TextureInfo& info = texture->GetInfo();
    texturing.uStep = 1.0f / float(info.width);
    texturing.vStep = 1.0f / float(info.height);
    texturing.uScale = info.uScale;
    texturing.vScale = info.vScale;
    return texturing;
}

IDirect3DDevice7* cScreenCanvasD3D::Prepare(IDirectDrawSurface7* texture)
{
    CDisplay* display = CDisplay::GetInstance();
    IDirect3DDevice7* device = display ? display->GetDevice() : nullptr;
    if (!device)
        return nullptr;
    device->SetTexture(0, texture);
    display->ApplyPrimitiveState();
    return device;
}

int cScreenCanvasD3D::Draw(const char* operation, D3DPRIMITIVETYPE type, IDirectDrawSurface7* texture,
                           const D3DVertex* vertices, int count)
{
    IDirect3DDevice7* device = Prepare(texture);
    if (!device)
        return kRefused;
    const HRESULT result =
        device->DrawPrimitive(type, kVertexFormat, const_cast<D3DVertex*>(vertices), DWORD(count), 0);
    if (SUCCEEDED(result))
        return kDrawn;
    if (operation)
    {
        char name[1024];
        GetGraphicsErrorString(result, sizeof name, name);
        DebugPrint("cScreenCanvasD3D::%s - DrawPrimitive returned 0x%08X - %s\n", operation, unsigned(result), name);
    }
    return kRefused;
}

int cScreenCanvasD3D::DrawIndexed(IDirectDrawSurface7* texture, const D3DVertex* vertices, int count,
                                  const WORD* indices, int indexCount)
{
    IDirect3DDevice7* device = Prepare(texture);
    if (!device)
        return kRefused;
    const HRESULT result =
        device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, kVertexFormat, const_cast<D3DVertex*>(vertices), DWORD(count),
                                     const_cast<WORD*>(indices), DWORD(indexCount), 0);
    return SUCCEEDED(result) ? kDrawn : kRefused;
}

int cScreenCanvasD3D::DrawInBatches(const char* operation, D3DPRIMITIVETYPE type, const std::vector<D3DVertex>& all,
                                    IDirectDrawSurface7* texture)
{
    D3DVertex* buffer = Vertices();
    const int total = static_cast<int>(all.size());
    // Strips and fans share vertices with the piece before (a line strip one, a triangle strip
    // two, so its pieces stay even and keep their winding); a fan's centre starts every piece.
    const int shared = type == D3DPT_LINESTRIP || type == D3DPT_TRIANGLEFAN ? 1 : type == D3DPT_TRIANGLESTRIP ? 2 : 0;
    const int first = type == D3DPT_TRIANGLEFAN ? 1 : 0;
    // Lists in whole primitives.
    const int unit = type == D3DPT_TRIANGLELIST ? 3 : type == D3DPT_LINELIST ? 2 : 1;
    const int room = (kBatchVertices - first) / unit * unit;
    const int smallest =
        type == D3DPT_POINTLIST ? 1 : (type == D3DPT_LINESTRIP || type == D3DPT_LINELIST ? 2 : 3 - first);
    int result = kNothingToDraw;
    for (int start = first; total - start >= smallest;)
    {
        int count = std::min(room, total - start);
        count -= count % unit;
        if (first)
            buffer[0] = all[0];
        std::copy_n(all.begin() + start, count, buffer + first);
        if (Draw(operation, type, texture, buffer, first + count) == kRefused)
            return kRefused;
        result = kDrawn;
        if (count < room)
            break;
        start += count - shared;
    }
    return result;
}

void cScreenCanvasD3D::BuildQuadFor(D3DVertex* out, const Texturing& texturing, const Rect<float>& source,
                                    const Rect<float>& dest, DWORD color, const DrawState& state)
{
    float uLeft = source.x * texturing.uStep, uRight = source.Right() * texturing.uStep;
    float vTop = source.y * texturing.vStep, vBottom = source.Bottom() * texturing.vStep;
    if (state.flags & kDrawMirrorX)
        std::swap(uLeft, uRight);
    if (state.flags & kDrawMirrorY)
        std::swap(vTop, vBottom);
    BuildQuad(out, dest, color, uLeft, vTop, uRight, vBottom);
}

int cScreenCanvasD3D::FillRect(const Rect<float>& rect, const DrawState& state)
{
    const DWORD color = PackColor(state.color);
    if (Invisible(color))
        return kNothingToDraw;
    // Nothing with no width or no height reaches the device.
    const Rect<float> clipped = IntersectRects(rect, ToFloat(state.clip));
    if (clipped.IsEmpty())
        return kNothingToDraw;
    D3DVertex* quad = Vertices();
    BuildQuad(quad, clipped, color, 0.0f, 0.0f, 1.0f, 1.0f);
    return Draw("DrawFilledRect", D3DPT_TRIANGLESTRIP, nullptr, quad, 4);
}

int cScreenCanvasD3D::FillRect(const Rect<int>& rect, const DrawState& state)
{
    return FillRect(ToFloat(rect), state);
}

int cScreenCanvasD3D::DrawTexturedQuad(const char* operation, IImage* image, const Rect<float>& source,
                                       const Rect<float>& dest, const DrawState& state)
{
    const Texturing texturing = TextureOf(image);
    D3DVertex* quad = Vertices();
    BuildQuadFor(quad, texturing, source, dest, PackColor(state.tint), state);
    return Draw(operation, D3DPT_TRIANGLESTRIP, texturing.surface, quad, 4);
}

int cScreenCanvasD3D::DrawImage(IImage* image, float x, float y, const DrawState& state)
{
    if (!image)
        return kNothingToDraw;
    const Rect<float> source = SourceOf(*image, state);
    const Rect<float> dest(x, y, source.width, source.height);
    const Rect<float> clipped = IntersectRects(dest, ToFloat(state.clip));
    if (dest.IsEmpty() || clipped.IsEmpty())
        return kNothingToDraw;
    return DrawTexturedQuad("DrawImage", image, CutSource(source, dest, clipped, state), clipped, state);
}

int cScreenCanvasD3D::DrawStretchedImage(IImage* image, const Rect<int>& dst, const DrawState& state)
{
    if (!image)
        return kNothingToDraw;
    const Rect<float> source = SourceOf(*image, state);
    const Rect<float> dest = ToFloat(dst);
    const Rect<float> clipped = IntersectRects(dest, ToFloat(state.clip));
    if (source.IsEmpty() || dest.IsEmpty() || clipped.IsEmpty())
        return kNothingToDraw;
    return DrawTexturedQuad("DrawStretchedImage", image, CutSource(source, dest, clipped, state), clipped, state);
}

int cScreenCanvasD3D::DrawTurnedQuad(IImage* image, const Rect<float>& source, float cx, float cy, float width,
                                     float height, float angle, const DrawState& state)
{
    CDisplay* display = CDisplay::GetInstance();
    const DisplayClip clip(display, state.clip);
    const Texturing texturing = TextureOf(image);
    D3DVertex* quad = Vertices();
    BuildQuadFor(quad, texturing, source, {-width * 0.5f, -height * 0.5f, width, height}, PackColor(state.tint), state);
    const float c = std::cos(angle), s = std::sin(angle);
    for (int i = 0; i < 4; ++i)
    {
        const float x = quad[i].x, y = quad[i].y;
        quad[i].x = cx + c * x - s * y;
        quad[i].y = cy + s * x + c * y;
    }
    return Draw("DrawRotatedImage", D3DPT_TRIANGLESTRIP, texturing.surface, quad, 4);
}

int cScreenCanvasD3D::DrawRotatedImage(IImage* image, float cx, float cy, float angle, const DrawState& state)
{
    if (!image)
        return kNothingToDraw;
    const Rect<float> source = SourceOf(*image, state);
    if (IsUnturned(angle))
        return DrawImage(image, cx - source.width * 0.5f, cy - source.height * 0.5f, state);
    if (source.IsEmpty())
        return kNothingToDraw;
    return DrawTurnedQuad(image, source, cx, cy, source.width, source.height, angle, state);
}

int cScreenCanvasD3D::DrawRotatedImageInRect(IImage* image, const Rect<int>& rect, float angle, const DrawState& state)
{
    if (!image)
        return kNothingToDraw;
    if (IsUnturned(angle))
        return DrawStretchedImage(
            image, Rect<int>(rect.x - rect.width / 2, rect.y - rect.height / 2, rect.width, rect.height), state);
    const Rect<float> source = SourceOf(*image, state);
    if (source.IsEmpty() || rect.IsEmpty())
        return kNothingToDraw;
    return DrawTurnedQuad(image, source, float(rect.x), float(rect.y), float(rect.width), float(rect.height), angle,
                          state);
}

int cScreenCanvasD3D::DrawTexturedVertices(int kind, IImage* image, const TexturedVertex* vertices, int count,
                                           const DrawState& state)
{
    D3DPRIMITIVETYPE type;
    switch (kind)
    {
    case kTriangleStrip: type = D3DPT_TRIANGLESTRIP; break;
    case kTriangleFan: type = D3DPT_TRIANGLEFAN; break;
    case kTriangleList: type = D3DPT_TRIANGLELIST; break;
    default: return kRefused;
    }
    if (!vertices || count <= 0)
        return kNothingToDraw;
    const DisplayClip clip(CDisplay::GetInstance(), state.clip);
    const Texturing texturing = TextureOf(image);
    std::vector<D3DVertex> scaled(vertices, vertices + count);
    for (D3DVertex& vertex : scaled)
    {
        vertex.u *= texturing.uScale;
        vertex.v *= texturing.vScale;
    }
    return DrawInBatches(nullptr, type, scaled, texturing.surface);
}
} // namespace Corvane::Graphics
