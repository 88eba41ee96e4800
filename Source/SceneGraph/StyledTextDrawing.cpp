#include "SceneGraph/StyledText.h"

#include "Debug.h"
#include "Graphics/TextDrawing.h"

#include <cmath>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
// Where the lines take their characters from: a run and a character in it.
class RunCursor
{
public:
    explicit RunCursor(const StyleRunList& runs) : mRuns(runs) {}

    bool AtEnd() const { return mRun == mRuns.size(); }

    // Moves past runs without a font and exhausted runs; false when no character is left.
    bool SkipToCharacters()
    {
        while (!AtEnd() && (!mRuns[mRun].fontPtr || mChar >= mRuns[mRun].text.size()))
        {
            ++mRun;
            mChar = 0;
        }
        return !AtEnd();
    }

    const StyleRun& Run() const { return mRuns[mRun]; }

    // Up to count characters of the current run, which the cursor passes.
    std::wstring_view Take(int count)
    {
        const std::wstring& text = mRuns[mRun].text;
        const std::size_t taken = std::min<std::size_t>(static_cast<std::size_t>(count), text.size() - mChar);
        const std::wstring_view piece(text.data() + mChar, taken);
        mChar += taken;
        return piece;
    }

private:
    const StyleRunList& mRuns;
    std::size_t mRun = 0;
    std::size_t mChar = 0;
};

// Takes each line's characters from the runs as the layout counted them: begin (line) starts a
// line, then piece (run, text) gets each stretch of it that lies in one run and answers whether to
// go on. False when a line asks for characters once every run is used up: the list was not laid
// out from these runs. The empty line after a closing line break asks for none.
template <typename BeginLine, typename Piece>
bool WalkLines(const StyleRunList& runs, const LineDimensionList& lines, BeginLine&& begin, Piece&& piece)
{
    RunCursor cursor(runs);
    for (const LineDimension& line : lines)
    {
        if (line.count > 0 && !cursor.SkipToCharacters())
            return false;
        begin(line);
        for (int remaining = line.count; remaining > 0 && cursor.SkipToCharacters();)
        {
            const StyleRun& run = cursor.Run();
            const std::wstring_view text = cursor.Take(remaining);
            remaining -= static_cast<int>(text.size());
            if (!piece(run, text))
                return true;
        }
    }
    return true;
}

DrawState SegmentState(const DrawState& state, const StyleRun& run)
{
    DrawState segment = state;
    segment.font = run.fontPtr;
    segment.color = {run.style.color.red, run.style.color.green, run.style.color.blue, state.color.alpha};
    segment.effectColor = {run.style.bgColor.red, run.style.bgColor.green, run.style.bgColor.blue,
                           state.effectColor.alpha};
    segment.textMode = run.style.textMode;
    segment.horizontalAlignment = kAlignLeft;
    segment.verticalAlignment = kAlignLeft;
    return segment;
}

float AlignedLeft(float x, int width, int alignment)
{
    if (alignment == kAlignRight)
        return x - static_cast<float>(width);
    if (alignment == kAlignCenter)
        return x - static_cast<float>(width) * 0.5f;
    return x;
}
} // namespace

namespace StyledTextGraphics::Graphics
{
int DrawWrappedStyledText(const StyleRunList& runs, const LineDimensionList& lines, float x, float y,
                          Rect<float>* outBounds, const DrawState& state, ICanvas* canvas)
{
    if (runs.empty() || lines.empty())
        return 0;
    if (state.verticalAlignment == kAlignRight)
        y -= static_cast<float>(lines.height);
    else if (state.verticalAlignment == kAlignCenter)
        y -= static_cast<float>(lines.height) * 0.5f;

    std::wstring segment; // zero-terminated copy of each piece, one buffer for the whole text
    float lineTop = y;
    float top = y;
    int lineHeight = 0;
    float penX = x;
    wchar_t previous = 0;
    int previousAdvance = 0;
    int result = 0;
    const auto beginLine = [&](const LineDimension& line) {
        top = state.verticalAlignment == kAlignCenter ? std::floor(lineTop) : lineTop;
        lineHeight = line.height;
        lineTop += static_cast<float>(line.height);
        penX = state.horizontalAlignment == kAlignCenter ? std::floor(AlignedLeft(x, line.width, kAlignCenter))
                                                         : AlignedLeft(x, line.width, state.horizontalAlignment);
        previous = 0;
        previousAdvance = 0;
    };
    const auto drawPiece = [&](const StyleRun& run, std::wstring_view piece) {
        const Font& font = *run.fontPtr;
        // The previous segment ended paired with nothing: pair it with this one's start.
        if (previous != 0 && previous != L' ')
            penX += static_cast<float>(font.GetAdvance(previous, piece.front()) - previousAdvance);

        segment.assign(piece);
        const float segmentY = top + static_cast<float>(lineHeight - font.GetLineHeight());
        result = DrawText(segment.c_str(), penX, segmentY, SegmentState(state, run), canvas);
        penX += static_cast<float>(Font::MeasureRange(font, piece.data(), piece.data() + piece.size()));
        previous = piece.back();
        previousAdvance = font.GetAdvance(previous, 0);
        return result >= 0;
    };
    if (!WalkLines(runs, lines, beginLine, drawPiece))
        DebugPrint("StyledTextGraphics::Graphics::DrawWrappedStyledText: ran out of style runs (malformed "
                   "LineDimensionList?)\n");
    if (result < 0)
        return result;

    if (outBounds)
        *outBounds = {AlignedLeft(x, lines.width, state.horizontalAlignment), y, static_cast<float>(lines.width),
                      static_cast<float>(lines.height)};
    return 0;
}
} // namespace StyledTextGraphics::Graphics

namespace StyledTextGraphics
{
std::vector<std::wstring> LineTexts(const StyleRunList& runs, const LineDimensionList& lines)
{
    std::vector<std::wstring> texts;
    WalkLines(
        runs, lines, [&](const LineDimension&) { texts.emplace_back(); },
        [&](const StyleRun&, std::wstring_view piece) {
            texts.back() += piece;
            return true;
        });
    return texts;
}
} // namespace StyledTextGraphics
