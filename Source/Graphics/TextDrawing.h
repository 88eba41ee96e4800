// Text drawn with the draw state's font (Font.h): one line, one line with alignment and text
// effects, and blocks broken into lines. Canvases with a text interface draw the glyphs
// themselves; on any other canvas each glyph is drawn as the source rectangle of the font's image,
// so text shows wherever images do. Result codes as for every drawing function (ICanvas.h): 1 when
// there is no font or text, and drawing stops at the first negative result. Main thread (or any
// thread drawing through its own context).
#pragma once

#include "Graphics/DrawState.h"
#include "Graphics/ICanvas.h"

namespace Corvane::Graphics
{
// One line with its top-left corner at (x, y) in color; no alignment, no effects.
int DrawString(const wchar_t* text, float x, float y, const ColorF& color, const DrawState& state, ICanvas* canvas);
// One line aligned at (x, y) by its measured width and the line height, with the state's outline
// or drop shadow drawn first in the effect colour (its alpha times the colour's).
int DrawText(const wchar_t* text, float x, float y, const DrawState& state, ICanvas* canvas);
// The text broken into lines at most maxWidth wide and drawn line under line; the block aligns
// vertically as a whole and each line horizontally on its own, by its measured width with the
// white space it ends with. outBounds (may be null) receives the block: its left edge by the
// widest line, its top, the widest width and the height.
int DrawTextBlock(const wchar_t* text, float x, float y, float maxWidth, Rect<float>* outBounds, const DrawState& state,
                  ICanvas* canvas);
// DrawTextBlock without bounds.
int DrawTextBlockAt(const wchar_t* text, float x, float y, float maxWidth, const DrawState& state, ICanvas* canvas);
} // namespace Corvane::Graphics
