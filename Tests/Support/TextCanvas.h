// A canvas that draws text itself and records each line it is asked to draw, where the text
// drawing functions put it (after their alignment) and with the state they gave.
#pragma once

#include "Graphics/DrawingInterfaces.h"
#include "Graphics/ICanvas.h"

#include <string>
#include <vector>

namespace Corvane::Testing
{
class TextCanvas final : public Graphics::ICanvas, public Graphics::ITextDrawingCanvas
{
public:
    struct Line
    {
        std::wstring text;
        float x, y;
        ColorF color;
        Graphics::DrawState state;
    };

    Label GetName() override { return Label("TextCanvas"); }
    const Rect<int>& GetBounds() override { return mBounds; }
    bool QueryInterface(Label name, void** out) override
    {
        return Graphics::AnswerInterface<Graphics::ICanvas>(name, this, out) ||
               Graphics::AnswerInterface<Graphics::ITextDrawingCanvas>(name, this, out);
    }
    int DrawText(const wchar_t* text, float x, float y, const Graphics::DrawState& state) override
    {
        lines.push_back({text, x, y, state.color, state});
        return result;
    }

    std::vector<Line> lines;
    int result = 0;

private:
    Rect<int> mBounds{0, 0, 100, 100};
};
} // namespace Corvane::Testing
