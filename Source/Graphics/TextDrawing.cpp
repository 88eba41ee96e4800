#include "Graphics/TextDrawing.h"

#include "Graphics/Alignment.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Font.h"
#include "Graphics/SoftwareLine.h"

#include <cmath>
#include <string>

namespace Corvane::Graphics
{
namespace
{
constexpr int kNothingToDraw = 1;

// The eight places of an outline around (0, 0), in drawing order.
constexpr int kOutline[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};

int DrawGlyphs(const Font& font, const wchar_t* text, float x, float y, const ColorF& color, const DrawState& state,
               ICanvas* canvas)
{
    DrawState glyphState = state;
    glyphState.tint = color;
    glyphState.horizontalAlignment = kAlignLeft;
    glyphState.verticalAlignment = kAlignLeft;
    int result = kNothingToDraw;
    for (const wchar_t* c = text; *c; ++c)
    {
        GlyphInfo glyph;
        font.GetGlyph(*c, &glyph);
        glyphState.SetSourceRect(glyph.rect);
        result = DrawImage(glyph.image, x, y, glyphState, canvas);
        if (result < 0)
            return result;
        x += static_cast<float>(font.GetAdvance(c[0], c[1]));
    }
    return result;
}
} // namespace

int DrawString(const wchar_t* text, float x, float y, const ColorF& color, const DrawState& state, ICanvas* canvas)
{
    if (!state.font || !text)
        return kNothingToDraw;
    if (ITextDrawingCanvas* textCanvas = QueryCanvas<ITextDrawingCanvas>(canvas))
    {
        DrawState colored = state;
        colored.color = color;
        return textCanvas->DrawText(text, x, y, colored);
    }
    return DrawGlyphs(*state.font, text, x, y, color, state, canvas);
}

int DrawText(const wchar_t* text, float x, float y, const DrawState& state, ICanvas* canvas)
{
    if (!state.font || !text)
        return kNothingToDraw;
    const Font& font = *state.font;
    x -= static_cast<float>(AlignmentShift(state.horizontalAlignment, Font::MeasureString(font, text)));
    y -= static_cast<float>(AlignmentShift(state.verticalAlignment, font.GetLineHeight()));

    ColorF effect = state.effectColor;
    effect.alpha *= state.color.alpha;
    const float dx = static_cast<float>(state.effectOffsetX);
    const float dy = static_cast<float>(state.effectOffsetY);
    if (state.textMode == kTextOutline)
    {
        for (const auto& place : kOutline)
            DrawString(text, x + dx * place[0], y + dy * place[1], effect, state, canvas);
    }
    else if (state.textMode == kTextDropShadow)
    {
        DrawString(text, x + dx, y + dy, effect, state, canvas);
    }
    return DrawString(text, x, y, state.color, state, canvas);
}

int DrawTextBlock(const wchar_t* text, float x, float y, float maxWidth, Rect<float>* outBounds, const DrawState& state,
                  ICanvas* canvas)
{
    if (!state.font || !text)
        return kNothingToDraw;
    const Font& font = *state.font;
    TextLines lines;
    Font::BreakLines(font, text, TruncateCoordinate(maxWidth), nullptr, lines);
    const int lineHeight = font.GetLineHeight();
    const float height = static_cast<float>(lineHeight) * static_cast<float>(lines.GetLineCount());
    if (state.verticalAlignment == kAlignCenter)
        y -= height * 0.5f;
    else if (state.verticalAlignment == kAlignRight)
        y -= height;
    const float top = y;

    DrawState lineState = state;
    lineState.horizontalAlignment = kAlignLeft;
    lineState.verticalAlignment = kAlignLeft;
    std::wstring line; // one buffer for every line
    int result = kNothingToDraw;
    for (int i = 0; i < lines.GetLineCount(); ++i)
    {
        const wchar_t* begin = text + lines.lineStarts[i];
        const wchar_t* end = text + lines.lineStarts[i + 1];
        line.assign(begin, end);
        const float width = static_cast<float>(Font::MeasureRange(font, begin, end));
        float lineX = x;
        if (state.horizontalAlignment == kAlignCenter)
            lineX = std::floor(x - width * 0.5f);
        else if (state.horizontalAlignment == kAlignRight)
            lineX = x - width;
        const float lineY = state.verticalAlignment == kAlignCenter ? std::floor(y) : y;
        result = DrawText(line.c_str(), lineX, lineY, lineState, canvas);
        if (result < 0)
            break;
        y += static_cast<float>(lineHeight);
    }

    if (outBounds)
    {
        const float widest = static_cast<float>(lines.widestWidth);
        float left = x;
        if (state.horizontalAlignment == kAlignCenter)
            left = x - widest * 0.5f;
        else if (state.horizontalAlignment == kAlignRight)
            left = x - widest;
        *outBounds = {left, top, widest, height};
    }
    return result;
}

int DrawTextBlockAt(const wchar_t* text, float x, float y, float maxWidth, const DrawState& state, ICanvas* canvas)
{
    return DrawTextBlock(text, x, y, maxWidth, nullptr, state, canvas);
}
} // namespace Corvane::Graphics
