#include "XMLScanner.h"

#include "XMLCharacters.h"

#include <algorithm>
#include <cstring>

namespace Corvane::Internal
{
namespace
{
// Widens the ASCII bytes [from, to) onto out.
void AppendAscii(std::wstring& out, const unsigned char* from, const unsigned char* to)
{
    const std::size_t old = out.size();
    out.resize(old + static_cast<std::size_t>(to - from));
    std::copy(from, to, out.begin() + static_cast<std::ptrdiff_t>(old));
}
} // namespace

XMLScanner::XMLScanner(const unsigned char* data, std::size_t size) : mData(data), mSize(data ? size : 0) {}

int XMLScanner::GetLine()
{
    if (mPosition > mCounted)
    {
        mLineFeeds += static_cast<int>(std::count(mData + mCounted, mData + mPosition, '\n'));
        mCounted = mPosition;
    }
    // The line advances when the character after a line feed is read.
    const bool endsWithLineFeed = mPosition > 0 && mData[mPosition - 1] == '\n';
    return 1 + mLineFeeds - (endsWithLineFeed ? 1 : 0);
}

CodePoint XMLScanner::DecodeAt(std::size_t& length) const
{
    return DecodeXMLCharacter(mData + mPosition, mSize - mPosition, length);
}

CodePoint XMLScanner::Peek() const
{
    if (AtEnd())
        return kEndOfInput;
    std::size_t length = 0;
    return DecodeAt(length);
}

CodePoint XMLScanner::Read()
{
    if (AtEnd())
        return kEndOfInput;
    std::size_t length = 0;
    const CodePoint c = DecodeAt(length);
    mPosition += length;
    return c;
}

void XMLScanner::Skip(std::size_t count)
{
    mPosition = std::min(mSize, mPosition + count);
}

void XMLScanner::ReadWhitespace(std::wstring& out)
{
    const std::size_t start = mPosition;
    SkipWhitespace();
    AppendAscii(out, mData + start, mData + mPosition);
}

void XMLScanner::SkipWhitespace()
{
    while (mPosition < mSize && IsWhitespaceByte(mData[mPosition]))
        ++mPosition;
}

void XMLScanner::ReadUntil(std::wstring& out, const AsciiSet& stop)
{
    // ASCII runs are copied in one go; other characters are decoded one by one. Stop sets hold
    // only ASCII, and a NUL byte decodes to U+FFFD, so neither ever stops the run.
    std::size_t run = mPosition;
    while (mPosition < mSize)
    {
        const unsigned char b = mData[mPosition];
        if (b != 0 && b < 0x80)
        {
            if (stop.Has(b))
                break;
            ++mPosition;
            continue;
        }
        AppendAscii(out, mData + run, mData + mPosition);
        std::size_t length = 0;
        out.push_back(static_cast<wchar_t>(DecodeAt(length)));
        mPosition += length;
        run = mPosition;
    }
    AppendAscii(out, mData + run, mData + mPosition);
}

bool XMLScanner::ReadThrough(std::wstring& out, std::string_view terminator)
{
    const char firstText[2] = {terminator[0], '\0'};
    const AsciiSet first(firstText);
    for (;;)
    {
        ReadUntil(out, first);
        if (AtEnd())
            return false;
        if (StartsWith(terminator))
        {
            Skip(terminator.size());
            return true;
        }
        out.push_back(static_cast<wchar_t>(Read()));
    }
}

bool XMLScanner::SkipPast(std::string_view terminator)
{
    // Kept as a count rather than recursion so that deeply nested comments cannot exhaust the
    // stack. Multi-byte characters never hold '<', '-', '?' or '>', so stepping over bytes is
    // stepping over characters here.
    int nested = 0;
    while (mPosition < mSize)
    {
        const std::string_view expected = nested > 0 ? "-->" : terminator;
        if (StartsWith(expected))
        {
            Skip(expected.size());
            if (nested == 0)
                return true;
            --nested;
        }
        else if (StartsWith("<!--"))
        {
            Skip(4);
            ++nested;
        }
        else
        {
            ++mPosition;
        }
    }
    return false;
}

bool XMLScanner::SkipDeclaration()
{
    int depth = 0;
    while (mPosition < mSize)
    {
        const unsigned char b = mData[mPosition++];
        if (b == '[')
            ++depth;
        else if (b == ']' && depth > 0)
            --depth;
        else if (b == '>' && depth == 0)
            return true;
    }
    return false;
}
} // namespace Corvane::Internal
