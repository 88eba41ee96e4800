// The canvas of the Direct3D renderer: every drawing call that reaches the screen in 3D mode
// becomes Direct3D primitives on the display's device, drawn at once with the state the call
// passes. Textures come from the images' D3DTexture; vertices are pixels, shifted half a pixel
// so that texel centres meet pixel centres.
//
// Axis-aligned images, fills and text are clipped here, with matching texture coordinates;
// rotated images, lines, free vertex lists, circles and ellipses hand the state's clip rectangle
// to the display, which turns it into clip planes for that primitive. Every batch is drawn from
// one process-wide buffer of 600 vertices: long vertex lists (large circles, many sprites, long
// text) are split into several primitives. Results: 0 drawn, 1 nothing to draw, -1 the device
// refused (logged). Main thread; text drawing is not re-entrant.
#pragma once

#include "Graphics/DrawingInterfaces.h"
#include "Graphics/ICanvas.h"
#include "Platform/Compat/Direct3D/Direct3D.h"

#include <vector>

namespace Corvane
{
class CDisplay;
}

namespace Corvane::Graphics
{
// One corner of a primitive in the device's vertex format (0x142): pixels, 0xAARRGGBB, texture
// coordinates; the engine's textured vertex has that layout.
using D3DVertex = TexturedVertex;
static_assert(sizeof(D3DVertex) == 24, "the device's vertex format");

// What text drawing needs of a font.
class IGlyphSource
{
public:
    virtual ~IGlyphSource() = default;
    // The picture holding c's glyph and where in it; false when the font has none.
    virtual bool GetGlyph(wchar_t c, IImage*& image, Rect<int>& source) = 0;
    // Pixels from c to next (0 after the last character), kerning included.
    virtual int GetAdvance(wchar_t c, wchar_t next) = 0;
};

class cScreenCanvasD3D final : public IScreen,
                               public ICanvas,
                               public IQuadDrawingCanvas,
                               public ILineDrawingCanvas,
                               public ITextDrawingCanvas,
                               public IEllipseDrawingCanvas,
                               public ISpriteDrawingCanvas
{
public:
    // The vertices one primitive may take.
    static constexpr int kBatchVertices = 600;

    // "ScreenCanvasD3D".
    Label GetName() override;
    // (0, 0, back-buffer width, back-buffer height), read once.
    const Rect<int>& GetBounds() override;
    bool QueryInterface(Label name, void** out) override;

    // In the state's colour; a fully transparent colour or an empty clipped area draws nothing.
    int FillRect(const Rect<float>& rect, const DrawState& state) override;
    int FillRect(const Rect<int>& rect, const DrawState& state) override;
    // The source rectangle (or the whole image) at (x, y), clipped.
    int DrawImage(IImage* image, float x, float y, const DrawState& state) override;
    // Scaled into dst, clipped.
    int DrawStretchedImage(IImage* image, const Rect<int>& dst, const DrawState& state) override;
    // Centred on (cx, cy), turned clockwise by angle (radians).
    int DrawRotatedImage(IImage* image, float cx, float cy, float angle, const DrawState& state) override;
    // rect's x and y are its centre.
    int DrawRotatedImageInRect(IImage* image, const Rect<int>& rect, float angle, const DrawState& state) override;
    // A triangle list; u and v run over the image (0 to 1).
    int DrawTexturedVertices(int kind, IImage* image, const TexturedVertex* vertices, int count,
                             const DrawState& state) override;

    int DrawLine(float x1, float y1, float x2, float y2, const DrawState& state) override;

    // One line with the state's font in the state's colour, top-left at (x, y); 1 without a font.
    int DrawText(const wchar_t* text, float x, float y, const DrawState& state) override;
    // The zero-terminated text at (x, y) in the state's colour, glyph after glyph from glyphs,
    // batched by glyph picture, at most 100 glyphs per primitive.
    int DrawGlyphs(const wchar_t* text, float x, float y, const DrawState& state, IGlyphSource& glyphs);

    int DrawLineCircle(float cx, float cy, float radius, const DrawState& state) override;
    int DrawFilledCircle(float cx, float cy, float radius, const DrawState& state) override;
    // A bounding box of nearly equal sides (within half a pixel) draws a circle.
    int DrawLineEllipse(const Rect<float>& bounds, const DrawState& state) override;
    int DrawFilledEllipse(const Rect<float>& bounds, const DrawState& state) override;

    // Sprites of zero size are left out.
    int DrawSprites(IImage* image, int count, const void* sprites, int stride, const DrawState& state) override;

private:
    // The image's texture surface, the texture coordinates of one of its pixels and of all of it
    // (1 without a texture).
    struct Texturing
    {
        IDirectDrawSurface7* surface = nullptr;
        float uStep = 1.0f;
        float vStep = 1.0f;
        float uScale = 1.0f;
        float vScale = 1.0f;
    };
    static Texturing TextureOf(IImage* image);
    // The quad of dest showing source (image pixels), mirrored as the state says.
    static void BuildQuadFor(D3DVertex* out, const Texturing& texturing, const Rect<float>& source,
                             const Rect<float>& dest, DWORD color, const DrawState& state);

    // Binds texture and applies the display's primitive state; the device, null when there is none.
    static IDirect3DDevice7* Prepare(IDirectDrawSurface7* texture);
    // Binds texture, applies the display's primitive state and draws; a refusal is logged under
    // operation (not when null). 0, or -1 when refused or there is no device.
    static int Draw(const char* operation, D3DPRIMITIVETYPE type, IDirectDrawSurface7* texture,
                    const D3DVertex* vertices, int count);
    // The same for sprite quads by 16-bit index.
    static int DrawIndexed(IDirectDrawSurface7* texture, const D3DVertex* vertices, int count, const WORD* indices,
                           int indexCount);
    // Draws a list of any length in primitives of at most kBatchVertices vertices: point and
    // triangle lists in whole pieces, line strips, triangle strips and triangle fans joined where
    // they are cut (a fan's first vertex is its centre). 1 when there is not one whole primitive.
    static int DrawInBatches(const char* operation, D3DPRIMITIVETYPE type, const std::vector<D3DVertex>& vertices,
                             IDirectDrawSurface7* texture = nullptr);
    // The image's source rectangle (or the whole image) drawn into dest, both in pixels.
    int DrawTexturedQuad(const char* operation, IImage* image, const Rect<float>& source, const Rect<float>& dest,
                         const DrawState& state);
    // The source turned by angle about (cx, cy), width x height on the screen.
    int DrawTurnedQuad(IImage* image, const Rect<float>& source, float cx, float cy, float width, float height,
                       float angle, const DrawState& state);
    // The box misses the canvas within the state's clip rectangle.
    bool Culled(float left, float top, float right, float bottom, const DrawState& state);
    // A circle or ellipse around (cx, cy) from the quarter-circle table of the larger radius: a
    // fan when filled, else its rim as outline (a closed line strip or points).
    int DrawRim(const char* operation, float cx, float cy, float radiusX, float radiusY, bool filled,
                D3DPRIMITIVETYPE outline, const DrawState& state);
    // The ellipse in bounds, a circle when its sides differ by less than half a pixel.
    int DrawEllipse(const Rect<float>& bounds, bool filled, const DrawState& state);

    Rect<int> mBounds;
};
} // namespace Corvane::Graphics
