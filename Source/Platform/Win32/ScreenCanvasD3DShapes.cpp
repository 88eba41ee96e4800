// The Direct3D screen canvas: lines, circles, ellipses, sprites and text.
#include "Graphics/Font.h"
#include "Graphics/IImage.h"
#include "Graphics/QuarterCircleCache.h"
#include "Platform/Win32/ScreenCanvasD3D.h"
#include "Platform/Win32/ScreenCanvasD3DParts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace Corvane::Graphics
{
using namespace D3DCanvas;

namespace
{
constexpr int kSpritesPerBatch = cScreenCanvasD3D::kBatchVertices / 4;
constexpr int kGlyphsPerBatch = cScreenCanvasD3D::kBatchVertices / 6;

// Two triangles per sprite quad, the same for every batch: 16-bit indices never pass the
// batch's 600 vertices.
const WORD* SpriteIndices()
{
    static const auto indices = [] {
        std::array<WORD, kSpritesPerBatch * 6> list{};
        for (int k = 0; k < kSpritesPerBatch; ++k)
        {
            const WORD first = WORD(4 * k);
            const WORD corners[6] = {first,           WORD(first + 1), WORD(first + 2),
                                     WORD(first + 3), WORD(first + 2), WORD(first + 1)};
            std::copy_n(corners, 6, list.begin() + 6 * k);
        }
        return list;
    }();
    return indices.data();
}

// A font as the glyph batching sees it: the glyph's rectangle of the font's picture, and the
// font's advance with pair kerning.
class FontGlyphs final : public IGlyphSource
{
public:
    explicit FontGlyphs(const Font& font) : mFont(font) {}

    bool GetGlyph(wchar_t c, IImage*& image, Rect<int>& source) override
    {
        GlyphInfo glyph;
        mFont.GetGlyph(c, &glyph);
        image = glyph.image;
        source = glyph.rect;
        return glyph.image != nullptr;
    }
    int GetAdvance(wchar_t c, wchar_t next) override { return mFont.GetAdvance(c, next); }

private:
    const Font& mFont;
};
} // namespace

int cScreenCanvasD3D::DrawLine(float x1, float y1, float x2, float y2, const DrawState& state)
{
    const DWORD color = PackColor(state.color);
    if (Invisible(color))
        return kNothingToDraw;
    const DisplayClip clip(CDisplay::GetInstance(), state.clip);
    D3DVertex* line = Vertices();
    line[0] = {x1, y1, 1.0f, color, 0.0f, 0.0f};
    line[1] = {x2, y2, 1.0f, color, 0.0f, 0.0f};
    return Draw("DrawLine", D3DPT_LINELIST, nullptr, line, 2);
}

bool cScreenCanvasD3D::Culled(float left, float top, float right, float bottom, const DrawState& state)
{
    const Rect<int> area = Rect<int>::Intersect(GetBounds(), state.clip);
    return !(float(area.x) <= right && float(area.y) <= bottom && left <= float(area.Right() - 1) &&
             top <= float(area.Bottom() - 1));
}

int cScreenCanvasD3D::DrawRim(const char* operation, float cx, float cy, float radiusX, float radiusY, bool filled,
                              D3DPRIMITIVETYPE outline, const DrawState& state)
{
    const DWORD color = PackColor(state.color);
    if (Invisible(color) || Culled(cx - radiusX, cy - radiusY, cx + radiusX, cy + radiusY, state))
        return kNothingToDraw;
    const float larger = std::max(radiusX, radiusY);
    const auto& points = GetQuarterCirclePointsF(larger);
    if (points.empty())
        return kNothingToDraw;
    // The other axis shrinks by the ratio of the radii.
    const float sx = radiusX / larger, sy = radiusY / larger;
    std::vector<D3DVertex> rim;
    rim.reserve(points.size() * 4 + 2);
    if (filled)
        rim.push_back({cx, cy, 1.0f, color, 0.0f, 0.0f});
    const auto add = [&](float dx, float dy) { rim.push_back({cx + dx * sx, cy + dy * sy, 1.0f, color, 0.0f, 0.0f}); };
    for (const auto& p : points)
        add(p.x, p.y);
    for (const auto& p : points)
        add(-p.y, p.x);
    for (const auto& p : points)
        add(-p.x, -p.y);
    for (const auto& p : points)
        add(p.y, -p.x);
    // A fan and an outline line close on the first rim point.
    if (filled || outline == D3DPT_LINESTRIP)
    {
        const D3DVertex first = rim[filled ? 1 : 0];
        rim.push_back(first);
    }
    const DisplayClip clip(CDisplay::GetInstance(), state.clip);
    return DrawInBatches(operation, filled ? D3DPT_TRIANGLEFAN : outline, rim);
}

int cScreenCanvasD3D::DrawLineCircle(float cx, float cy, float radius, const DrawState& state)
{
    return DrawRim("DrawLineCircle", cx, cy, radius, radius, false, D3DPT_LINESTRIP, state);
}

int cScreenCanvasD3D::DrawFilledCircle(float cx, float cy, float radius, const DrawState& state)
{
    return DrawRim("DrawFilledCircle", cx, cy, radius, radius, true, D3DPT_LINESTRIP, state);
}

int cScreenCanvasD3D::DrawEllipse(const Rect<float>& bounds, bool filled, const DrawState& state)
{
    const float half = bounds.width * 0.5f;
    if (std::fabs(bounds.width - bounds.height) < 0.5f)
        return filled ? DrawFilledCircle(bounds.x + half, bounds.y + half, half, state)
                      : DrawLineCircle(bounds.x + half, bounds.y + half, half, state);
    // An ellipse's outline is its rim's points.
    return DrawRim(filled ? "DrawFilledEllipse" : "DrawLineEllipse", bounds.x + half, bounds.y + bounds.height * 0.5f,
                   half, bounds.height * 0.5f, filled, D3DPT_POINTLIST, state);
}

int cScreenCanvasD3D::DrawLineEllipse(const Rect<float>& bounds, const DrawState& state)
{
    return DrawEllipse(bounds, false, state);
}

int cScreenCanvasD3D::DrawFilledEllipse(const Rect<float>& bounds, const DrawState& state)
{
    return DrawEllipse(bounds, true, state);
}

int cScreenCanvasD3D::DrawSprites(IImage* image, int count, const void* sprites, int stride, const DrawState& state)
{
    // Records shorter than a SpriteRecord would be read past their end.
    if (!image || !sprites || count <= 0 || stride < int(sizeof(SpriteRecord)))
        return kNothingToDraw;
    const Texturing texturing = TextureOf(image);
    const float width = float(image->GetWidth()), height = float(image->GetHeight());
    D3DVertex* buffer = Vertices();
    const auto* bytes = static_cast<const unsigned char*>(sprites);
    int batched = 0;
    int result = kNothingToDraw;
    const auto flush = [&] {
        if (batched == 0)
            return true;
        const int drawn = DrawIndexed(texturing.surface, buffer, batched * 4, SpriteIndices(), batched * 6);
        batched = 0;
        result = drawn;
        return drawn != kRefused;
    };
    for (int i = 0; i < count; ++i, bytes += stride)
    {
        SpriteRecord sprite; // copied out: callers' records need not be aligned
        std::memcpy(&sprite, bytes, sizeof sprite);
        const float w = width * sprite.scaleX, h = height * sprite.scaleY;
        if (w == 0.0f || h == 0.0f)
            continue;
        const DWORD color = PackColor(Modulate(sprite.color, state.tint));
        BuildQuad(buffer + 4 * batched, {sprite.x - w * 0.5f, sprite.y - h * 0.5f, w, h}, color, 0.0f, 0.0f,
                  texturing.uScale, texturing.vScale);
        if (++batched == kSpritesPerBatch && !flush())
            return kRefused;
    }
    return flush() ? result : kRefused;
}

int cScreenCanvasD3D::DrawText(const wchar_t* text, float x, float y, const DrawState& state)
{
    if (!state.font)
        return kNothingToDraw;
    FontGlyphs glyphs(*state.font);
    return DrawGlyphs(text, x, y, state, glyphs);
}

int cScreenCanvasD3D::DrawGlyphs(const wchar_t* text, float x, float y, const DrawState& state, IGlyphSource& glyphs)
{
    const DWORD color = PackColor(state.color);
    if (!text || Invisible(color))
        return kNothingToDraw;
    const Rect<float> clip = ToFloat(state.clip);
    D3DVertex* buffer = Vertices();
    IImage* batchImage = nullptr;
    Texturing texturing;
    int batched = 0;
    int result = kNothingToDraw;
    const auto flush = [&] {
        if (batched == 0)
            return true;
        const int drawn = Draw("DrawTextInternal", D3DPT_TRIANGLELIST, texturing.surface, buffer, batched * 6);
        batched = 0;
        result = drawn;
        return drawn != kRefused;
    };
    float penX = x;
    for (const wchar_t* c = text; *c; ++c)
    {
        IImage* image = nullptr;
        Rect<int> source;
        if (glyphs.GetGlyph(*c, image, source) && image && !source.IsEmpty())
        {
            const Rect<float> dest(penX, y, float(source.width), float(source.height));
            const Rect<float> clipped = IntersectRects(dest, clip);
            // A glyph outside the clip rectangle adds nothing, not even an empty quad.
            if (!clipped.IsEmpty())
            {
                if (batched == 0 || image != batchImage || batched == kGlyphsPerBatch)
                {
                    if (!flush())
                        return kRefused;
                    batchImage = image;
                    texturing = TextureOf(image);
                }
                const float uLeft = (clipped.x - penX + float(source.x)) * texturing.uStep;
                const float vTop = (clipped.y - y + float(source.y)) * texturing.vStep;
                const float uRight = uLeft + clipped.width * texturing.uStep;
                const float vBottom = vTop + clipped.height * texturing.vStep;
                D3DVertex quad[4];
                BuildQuad(quad, clipped, color, uLeft, vTop, uRight, vBottom);
                D3DVertex* out = buffer + 6 * batched;
                // Two triangles: top-left, bottom-left, top-right; bottom-left, top-right, bottom-right.
                const int corners[6] = {0, 1, 2, 1, 2, 3};
                for (int k = 0; k < 6; ++k)
                    out[k] = quad[corners[k]];
                ++batched;
            }
        }
        penX += float(glyphs.GetAdvance(c[0], c[1]));
    }
    return flush() ? result : kRefused;
}
} // namespace Corvane::Graphics
