#include "SceneGraph/StyledText.h"

#include "Framework/ResourceManager.h"

#include <algorithm>

using namespace Corvane;

namespace
{
// A run of characters that break together: a word, the spaces between words, or a word ended by
// a line feed.
struct Word
{
    int count = 0;
    int width = 0;
    int height = 0;
    bool isSpace = false;
    bool isNewline = false;
    // The last character's advance and line height, and the height of the word without it, for
    // cutting it off.
    int lastAdvance = 0;
    int lastHeight = 0;
    int heightBeforeLast = 0;

    bool IsEmpty() const { return count == 0; }
};

// White space the text may wrap at (a line feed breaks the line instead): it stays at the end
// of the line it ends, out of that line's width.
bool IsSpace(wchar_t c)
{
    return c != L'\n' && IsBreakingSpace(c);
}

class LineBreaker
{
public:
    LineBreaker(int maxWidth, const Graphics::ILineWidths& widths) : mMaxWidth(maxWidth), mWidths(widths)
    {
        mAllowed = mWidths.GetLineWidth(0, mMaxWidth);
    }

    // One character with its font and the character that follows it in the laid-out text.
    void Add(wchar_t c, wchar_t next, const Font& font)
    {
        const bool space = IsSpace(c);
        const bool newline = c == L'\n';
        // Spaces and other characters make separate words; a line feed ends spaces, joins a word.
        if (!mWord.IsEmpty() && mWord.isSpace != space)
            Commit();
        if (mWord.IsEmpty())
            mWord.isSpace = space;
        mWord.heightBeforeLast = mWord.height;
        mWord.lastAdvance = font.GetAdvance(c, next);
        mWord.lastHeight = font.GetLineHeight();
        ++mWord.count;
        mWord.width += mWord.lastAdvance;
        mWord.height = std::max(mWord.height, mWord.lastHeight);
        if (newline)
        {
            mWord.isNewline = true;
            Commit();
            EndLine();
        }
        else if (!mWord.isSpace)
        {
            FitWord();
        }
    }

    // After the last character: what is pending makes the last line.
    LineDimensionList Finish()
    {
        Commit();
        EndLine();
        return std::move(mResult);
    }

private:
    int Base() const { return mLine.width + (mPrevious.isSpace ? mPrevious.width : 0); }

    bool Overflows() const
    {
        const int base = Base();
        return mWord.width + base > mAllowed && (base > 0 || mWord.count > 1);
    }

    // Moves a word that no longer fits to the next line, and cuts a word wider than a whole line.
    void FitWord()
    {
        if (mLine.count > 0 && Overflows())
            EndLine(); // the space before the word stays on the line it ends
        if (Overflows())
        {
            Word last;
            last.count = 1;
            last.width = last.lastAdvance = mWord.lastAdvance;
            last.height = last.lastHeight = mWord.lastHeight;
            --mWord.count;
            mWord.width -= mWord.lastAdvance;
            mWord.height = mWord.heightBeforeLast;
            Commit();
            EndLine();
            mWord = last;
        }
    }

    void Commit()
    {
        mLine.count += mWord.count;
        mLine.height = std::max(mLine.height, mWord.height);
        if (!mWord.isSpace)
            mLine.width += mWord.width;
        // A space counts once a word follows it on the same line.
        if (mPrevious.isSpace)
            mLine.width += mPrevious.width;
        mPrevious = mWord;
        mWord = {};
    }

    void EndLine()
    {
        mResult.push_back(mLine);
        mResult.width = std::max(mResult.width, mLine.width);
        mResult.height += mLine.height;
        mLine = {};
        mPrevious = {};
        mAllowed = mWidths.GetLineWidth(static_cast<int>(mResult.size()), mMaxWidth);
    }

    int mMaxWidth;
    const Graphics::ILineWidths& mWidths;
    int mAllowed = 0;
    LineDimension mLine;
    Word mPrevious;
    Word mWord;
    LineDimensionList mResult;
};

Font* FindFont(Label name)
{
    return ResourceManager::Get<Font>(name).Get();
}
} // namespace

namespace StyledTextGraphics::Graphics
{
LineDimensionList ComputeLineDimensions(StyleRunList& runs, int maxWidth, const Corvane::Graphics::ILineWidths* widths)
{
    static const Corvane::Graphics::cDefaultLineWidths kDefaultWidths;
    LineBreaker breaker(maxWidth, widths ? *widths : kDefaultWidths);

    // Each character is handled once the next one is known, for its kerning; the next character
    // may stand in a later run.
    const wchar_t* pending = nullptr;
    const Font* pendingFont = nullptr;
    bool anyFont = false;
    for (StyleRun& run : runs)
    {
        run.fontPtr = FindFont(run.style.font);
        if (!run.fontPtr)
            continue;
        anyFont = true;
        for (const wchar_t& c : run.text)
        {
            if (pending)
                breaker.Add(*pending, c, *pendingFont);
            pending = &c;
            pendingFont = run.fontPtr;
        }
    }
    if (!anyFont)
        return {};
    if (pending)
        breaker.Add(*pending, 0, *pendingFont);
    // Also when the last run's font is missing: the last line holds the earlier runs' text.
    return breaker.Finish();
}
} // namespace StyledTextGraphics::Graphics
