// The drawing interfaces a canvas may offer, each found by its name through
// ICanvas::QueryInterface. Every operation takes the draw state and returns a result code
// (ICanvas.h); canvases never align, the free drawing functions do.
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/DrawState.h"
#include "Graphics/Rect.h"

#include <cstdint>

namespace Corvane
{
class IImage;
}

namespace Corvane::Graphics
{
// One corner of a textured triangle batch: screen position (z is depth), colour, texture
// coordinates. 24 bytes, the layout of the hardware renderer's vertex buffer.
struct TexturedVertex
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 1.0f;
    PackedColor color = 0xFFFFFFFF;
    float u = 0.0f;
    float v = 0.0f;
};

// The start of each element of a sprite array passed to DrawSprites (elements may be larger).
struct SpriteRecord
{
    float x = 0.0f; // centre
    float y = 0.0f;
    ColorF color{1.0f, 1.0f, 1.0f, 1.0f};
    float scaleX = 1.0f;
    float scaleY = 1.0f;
};

class IQuadDrawingCanvas
{
public:
    static constexpr const char* kInterfaceName = "IQuadDrawingCanvas";
    // Fills with the state's colour.
    virtual int FillRect(const Rect<float>& rect, const DrawState& state) = 0;
    virtual int FillRect(const Rect<int>& rect, const DrawState& state) = 0;
    // Top-left corner at (x, y).
    virtual int DrawImage(IImage* image, float x, float y, const DrawState& state) = 0;
    // Scaled into dst.
    virtual int DrawStretchedImage(IImage* image, const Rect<int>& dst, const DrawState& state) = 0;
    // Turned by angle (radians, clockwise on the screen) about the centre (cx, cy).
    virtual int DrawRotatedImage(IImage* image, float cx, float cy, float angle, const DrawState& state) = 0;
    virtual int DrawRotatedImageInRect(IImage* image, const Rect<int>& rect, float angle, const DrawState& state) = 0;
    // count vertices textured with image, as kind says: kTriangleStrip, kTriangleFan or
    // kTriangleList (three per triangle). 0 drawn, -1 refused or an unknown kind; canvases without
    // texture support return -2.
    static constexpr int kTriangleStrip = 0;
    static constexpr int kTriangleFan = 1;
    static constexpr int kTriangleList = 2;
    virtual int DrawTexturedVertices(int kind, IImage* image, const TexturedVertex* vertices, int count,
                                     const DrawState& state) = 0;

protected:
    ~IQuadDrawingCanvas() = default;
};

class IPixelSettingCanvas
{
public:
    static constexpr const char* kInterfaceName = "IPixelSettingCanvas";
    // Stores argb unblended at ((int)x, (int)y).
    virtual int SetPixel(float x, float y, PackedColor argb) = 0;
    // 0 outside the canvas.
    virtual PackedColor GetPixel(float x, float y) = 0;

protected:
    ~IPixelSettingCanvas() = default;
};

// Circles and ellipses in the state's colour.
class IEllipseDrawingCanvas
{
public:
    static constexpr const char* kInterfaceName = "IEllipseDrawingCanvas";
    virtual int DrawLineCircle(float cx, float cy, float radius, const DrawState& state) = 0;
    virtual int DrawFilledCircle(float cx, float cy, float radius, const DrawState& state) = 0;
    virtual int DrawLineEllipse(const Rect<float>& bounds, const DrawState& state) = 0;
    virtual int DrawFilledEllipse(const Rect<float>& bounds, const DrawState& state) = 0;

protected:
    ~IEllipseDrawingCanvas() = default;
};

class ILineDrawingCanvas
{
public:
    static constexpr const char* kInterfaceName = "ILineDrawingCanvas";
    // In the state's colour.
    virtual int DrawLine(float x1, float y1, float x2, float y2, const DrawState& state) = 0;

protected:
    ~ILineDrawingCanvas() = default;
};

class ITextDrawingCanvas
{
public:
    static constexpr const char* kInterfaceName = "ITextDrawingCanvas";
    // One line of zero-terminated text with the state's font and colour, no alignment.
    virtual int DrawText(const wchar_t* text, float x, float y, const DrawState& state) = 0;

protected:
    ~ITextDrawingCanvas() = default;
};

class ISpriteDrawingCanvas
{
public:
    static constexpr const char* kInterfaceName = "ISpriteDrawingCanvas";
    // count copies of image; sprites points at the first SpriteRecord, stride is the element
    // size in bytes.
    virtual int DrawSprites(IImage* image, int count, const void* sprites, int stride, const DrawState& state) = 0;

protected:
    ~ISpriteDrawingCanvas() = default;
};

// Marks the screen canvas; it has nothing to do.
class IScreen
{
public:
    static constexpr const char* kInterfaceName = "IScreen";

protected:
    ~IScreen() = default;
};
} // namespace Corvane::Graphics
