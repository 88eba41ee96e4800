// Styled text: text with inline markup that changes colour, effect colour, font and text mode for
// stretches of it, wrapped into lines and drawn run by run. Three steps, each a free function:
//
//   StyleRunList runs = StyledTextGraphics::ParseStyleRunList(
//       L"Score: <style color=\"#FF0000\" font=\"Big\">1,200</style>", base);
//   LineDimensionList lines = StyledTextGraphics::Graphics::ComputeLineDimensions(runs, 200, nullptr);
//   StyledTextGraphics::Graphics::DrawWrappedStyledText(runs, lines, x, y, nullptr, state, canvas);
//
// Markup: "style" elements, nested to any depth, with the optional attributes "color" and
// "bgColor" ("#RRGGBB" or "#RRGGBBAA"), "font" (a font resource's name) and "textMode" ("outline",
// "dropShadow", anything else plain). An attribute present overrides the enclosing style, an
// absent one inherits it; text outside every "style" element has the base style. Elements of any
// other name are ignored (their text stays). Entities are resolved, so text that should show "<"
// or "&" literally is written "&lt;" and "&amp;" (EscapeMarkup in StyledTextSpriteNode.h).
//
// Parse and lay out only when the text, style or width changes; drawing reuses both lists.
// Main thread (the layout looks fonts up in the resource manager, which locks).
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/DrawState.h"
#include "Graphics/Font.h"
#include "Graphics/ICanvas.h"
#include "Graphics/Rect.h"
#include "Label.h"

#include <string>
#include <string_view>
#include <vector>

// The style of a stretch of text. Only the colours' red, green and blue are used: alpha comes from
// the draw state.
struct TextStyle
{
    Corvane::ColorF color{1.0f, 1.0f, 1.0f, 1.0f};
    Corvane::ColorF bgColor{1.0f, 1.0f, 1.0f, 1.0f}; // outline or drop shadow
    Corvane::Label font;                             // a font resource's name
    int textMode = Corvane::Graphics::kTextPlain;

    bool operator==(const TextStyle&) const = default;
};

// Text of one style.
struct StyleRun
{
    TextStyle style;
    std::wstring text;
    Corvane::Font* fontPtr = nullptr; // not owned; set by the layout, null when the font is missing
};

using StyleRunList = std::vector<StyleRun>;

// One laid-out line: how many characters of the run sequence it takes (spaces and line breaks
// included) and its size in pixels.
struct LineDimension
{
    int count = 0;
    int width = 0;
    int height = 0;

    bool operator==(const LineDimension&) const = default;
};

struct LineDimensionList : std::vector<LineDimension>
{
    int width = 0;  // of the widest line
    int height = 0; // the lines' heights summed
};

// text with "&", the double quote, "<" and ">" written as entities, so that as markup it shows
// literally.
std::wstring EscapeMarkup(std::wstring_view text);

namespace StyledTextGraphics
{
// The runs of markup, starting from base. Markup that is not well-formed is reported on the
// debug output and gives the runs read before the fault. An end tag without its start tag is
// ignored: the base style is never closed.
StyleRunList ParseStyleRunList(const std::wstring& markup, const TextStyle& base);

// The characters of each laid-out line as drawing takes them from the runs (runs without a font
// passed over), spaces and line breaks included: what each line of the screen holds.
std::vector<std::wstring> LineTexts(const StyleRunList& runs, const LineDimensionList& lines);

namespace Graphics
{
// Breaks the runs into lines at most maxWidth pixels wide (widths, may be null, narrows single
// lines) and stores each run's font in its fontPtr. Words break at spaces; a word wider than its
// line is cut where it overflows; a line feed ends a line (a text ending in one ends in an empty
// line of height 0). Runs whose font is missing take no part. No characters: no lines, size 0.
LineDimensionList ComputeLineDimensions(StyleRunList& runs, int maxWidth, const Corvane::Graphics::ILineWidths* widths);

// Draws the lines from (x, y), each aligned about x by the state's horizontal alignment and the
// block by its vertical alignment; the runs' colours with the state's text and effect alphas.
// outBounds (may be null) receives the block's rectangle. 0, or the first negative result of a
// text draw, which ends the drawing.
int DrawWrappedStyledText(const StyleRunList& runs, const LineDimensionList& lines, float x, float y,
                          Corvane::Rect<float>* outBounds, const Corvane::Graphics::DrawState& state,
                          Corvane::Graphics::ICanvas* canvas);
} // namespace Graphics
} // namespace StyledTextGraphics
