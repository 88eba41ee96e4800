// A canvas for tests that records every drawing call and offers only the interfaces it is told
// to offer; each operation answers `result`.
#pragma once

#include "Graphics/DrawingInterfaces.h"
#include "Graphics/ICanvas.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace Corvane::Testing
{
struct CanvasCall
{
    std::string operation;
    std::vector<float> numbers; // coordinates and sizes, in argument order
    IImage* image = nullptr;
    Graphics::DrawState state;
    const void* sprites = nullptr; // DrawSprites: the records passed (valid while the caller keeps them)
};

class RecordingCanvas : public Graphics::ICanvas,
                        public Graphics::IQuadDrawingCanvas,
                        public Graphics::IPixelSettingCanvas,
                        public Graphics::IEllipseDrawingCanvas,
                        public Graphics::ILineDrawingCanvas,
                        public Graphics::ISpriteDrawingCanvas
{
public:
    // The names of the interfaces offered ("ICanvas" is always offered).
    explicit RecordingCanvas(std::set<std::string> offered, Rect<int> bounds = {0, 0, 100, 100});

    Label GetName() override;
    const Rect<int>& GetBounds() override { return mBounds; }
    bool QueryInterface(Label name, void** out) override;

    int FillRect(const Rect<float>& rect, const Graphics::DrawState& state) override;
    int FillRect(const Rect<int>& rect, const Graphics::DrawState& state) override;
    int DrawImage(IImage* image, float x, float y, const Graphics::DrawState& state) override;
    int DrawStretchedImage(IImage* image, const Rect<int>& dst, const Graphics::DrawState& state) override;
    int DrawRotatedImage(IImage* image, float cx, float cy, float angle, const Graphics::DrawState& state) override;
    int DrawRotatedImageInRect(IImage* image, const Rect<int>& rect, float angle,
                               const Graphics::DrawState& state) override;
    int DrawTexturedVertices(int kind, IImage* image, const Graphics::TexturedVertex* vertices, int count,
                             const Graphics::DrawState& state) override;
    int SetPixel(float x, float y, PackedColor argb) override;
    PackedColor GetPixel(float x, float y) override;
    int DrawLineCircle(float cx, float cy, float radius, const Graphics::DrawState& state) override;
    int DrawFilledCircle(float cx, float cy, float radius, const Graphics::DrawState& state) override;
    int DrawLineEllipse(const Rect<float>& bounds, const Graphics::DrawState& state) override;
    int DrawFilledEllipse(const Rect<float>& bounds, const Graphics::DrawState& state) override;
    int DrawLine(float x1, float y1, float x2, float y2, const Graphics::DrawState& state) override;
    int DrawSprites(IImage* image, int count, const void* sprites, int stride,
                    const Graphics::DrawState& state) override;

    int result = 0;
    std::vector<CanvasCall> calls;
    // What SetPixel stored, by (x, y); GetPixel reads it back.
    std::map<std::pair<int, int>, PackedColor> pixels;

private:
    int Record(const char* operation, std::vector<float> numbers, const Graphics::DrawState& state,
               IImage* image = nullptr);

    std::set<std::string> mOffered;
    Rect<int> mBounds;
};
} // namespace Corvane::Testing
