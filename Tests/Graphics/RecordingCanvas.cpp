#include "RecordingCanvas.h"

namespace Corvane::Testing
{
using namespace Corvane::Graphics;

RecordingCanvas::RecordingCanvas(std::set<std::string> offered, Rect<int> bounds)
    : mOffered(std::move(offered)), mBounds(bounds)
{
}

Label RecordingCanvas::GetName()
{
    return Label("RecordingCanvas");
}

bool RecordingCanvas::QueryInterface(Label name, void** out)
{
    if (name != InterfaceName<ICanvas>() && !mOffered.count(name.c_str()))
        return false;
    return AnswerInterface<ICanvas>(name, this, out) || AnswerInterface<IQuadDrawingCanvas>(name, this, out) ||
           AnswerInterface<IPixelSettingCanvas>(name, this, out) ||
           AnswerInterface<IEllipseDrawingCanvas>(name, this, out) ||
           AnswerInterface<ILineDrawingCanvas>(name, this, out) ||
           AnswerInterface<ISpriteDrawingCanvas>(name, this, out);
}

int RecordingCanvas::Record(const char* operation, std::vector<float> numbers, const DrawState& state, IImage* image)
{
    calls.push_back({operation, std::move(numbers), image, state});
    return result;
}

int RecordingCanvas::FillRect(const Rect<float>& r, const DrawState& state)
{
    return Record("FillRectF", {r.x, r.y, r.width, r.height}, state);
}

int RecordingCanvas::FillRect(const Rect<int>& r, const DrawState& state)
{
    return Record("FillRectI", {float(r.x), float(r.y), float(r.width), float(r.height)}, state);
}

int RecordingCanvas::DrawImage(IImage* image, float x, float y, const DrawState& state)
{
    return Record("DrawImage", {x, y}, state, image);
}

int RecordingCanvas::DrawStretchedImage(IImage* image, const Rect<int>& r, const DrawState& state)
{
    return Record("DrawStretchedImage", {float(r.x), float(r.y), float(r.width), float(r.height)}, state, image);
}

int RecordingCanvas::DrawRotatedImage(IImage* image, float cx, float cy, float angle, const DrawState& state)
{
    return Record("DrawRotatedImage", {cx, cy, angle}, state, image);
}

int RecordingCanvas::DrawRotatedImageInRect(IImage* image, const Rect<int>& r, float angle, const DrawState& state)
{
    return Record("DrawRotatedImageInRect", {float(r.x), float(r.y), float(r.width), float(r.height), angle}, state,
                  image);
}

int RecordingCanvas::DrawTexturedVertices(int kind, IImage* image, const TexturedVertex*, int count,
                                          const DrawState& state)
{
    return Record("DrawTexturedVertices", {float(kind), float(count)}, state, image);
}

int RecordingCanvas::SetPixel(float x, float y, PackedColor argb)
{
    pixels[{int(x), int(y)}] = argb;
    return Record("SetPixel", {x, y}, GetDefaultDrawState());
}

PackedColor RecordingCanvas::GetPixel(float x, float y)
{
    const auto found = pixels.find({int(x), int(y)});
    return found == pixels.end() ? 0 : found->second;
}

int RecordingCanvas::DrawLineCircle(float cx, float cy, float radius, const DrawState& state)
{
    return Record("DrawLineCircle", {cx, cy, radius}, state);
}

int RecordingCanvas::DrawFilledCircle(float cx, float cy, float radius, const DrawState& state)
{
    return Record("DrawFilledCircle", {cx, cy, radius}, state);
}

int RecordingCanvas::DrawLineEllipse(const Rect<float>& r, const DrawState& state)
{
    return Record("DrawLineEllipse", {r.x, r.y, r.width, r.height}, state);
}

int RecordingCanvas::DrawFilledEllipse(const Rect<float>& r, const DrawState& state)
{
    return Record("DrawFilledEllipse", {r.x, r.y, r.width, r.height}, state);
}

int RecordingCanvas::DrawLine(float x1, float y1, float x2, float y2, const DrawState& state)
{
    return Record("DrawLine", {x1, y1, x2, y2}, state);
}

int RecordingCanvas::DrawSprites(IImage* image, int count, const void* sprites, int stride, const DrawState& state)
{
    const int result = Record("DrawSprites", {float(count), float(stride)}, state, image);
    calls.back().sprites = sprites;
    return result;
}
} // namespace Corvane::Testing
