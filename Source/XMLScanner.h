// The XML reader's character source: a cursor over the UTF-8 bytes of one document in memory,
// with the scanning steps the parser is made of. It never fails and never reads past the end;
// errors are the parser's business.
#pragma once

#include "TextConversion.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace Corvane::Internal
{
// A set of ASCII characters, for the stop sets of the scanning steps.
class AsciiSet
{
public:
    constexpr explicit AsciiSet(const char* members)
    {
        for (; *members; ++members)
            mBits[static_cast<unsigned char>(*members) >> 6] |= std::uint64_t{1} << (*members & 63);
    }
    constexpr bool Has(CodePoint c) const { return c < 128 && (mBits[c >> 6] >> (c & 63)) & 1; }

private:
    std::uint64_t mBits[2] = {0, 0};
};

class XMLScanner
{
public:
    // What Peek gives at the end of the input.
    static constexpr CodePoint kEndOfInput = 0xFFFF;

    // data stays owned by the caller and must outlive the scanner.
    XMLScanner(const unsigned char* data, std::size_t size);

    bool AtEnd() const { return mPosition >= mSize; }
    std::size_t GetPosition() const { return mPosition; }
    std::size_t GetSize() const { return mSize; }
    // The line of the last character read, from 1 (a line feed belongs to the line it ends).
    int GetLine();

    // The next character without taking it; kEndOfInput at the end.
    CodePoint Peek() const;
    // Takes the next character; kEndOfInput at the end.
    CodePoint Read();
    // The byte ahead bytes after the position, or -1 past the end.
    int PeekByte(std::size_t ahead = 0) const { return mSize - mPosition > ahead ? mData[mPosition + ahead] : -1; }
    // Whether the input goes on with the ASCII text.
    bool StartsWith(std::string_view text) const
    {
        return mSize - mPosition >= text.size() &&
               (text.empty() || (mData[mPosition] == static_cast<unsigned char>(text[0]) &&
                                 std::memcmp(mData + mPosition, text.data(), text.size()) == 0));
    }
    // Takes count bytes (callers skip what StartsWith has matched).
    void Skip(std::size_t count);

    // Appends white space to out while it follows.
    void ReadWhitespace(std::wstring& out);
    void SkipWhitespace();
    // Appends characters to out up to the next one in stop (or the end).
    void ReadUntil(std::wstring& out, const AsciiSet& stop);
    // Appends characters to out up to the ASCII terminator and takes it; false when the input ends
    // first (out then holds the rest).
    bool ReadThrough(std::wstring& out, std::string_view terminator);
    // Skips up to and past the ASCII terminator; every "<!--" met on the way opens a nested comment
    // that needs its own "-->". False when the input ends first.
    bool SkipPast(std::string_view terminator);
    // Skips a markup declaration ("<!DOCTYPE ...>") up to its closing '>', passing over a
    // bracketed internal subset. False when the input ends first.
    bool SkipDeclaration();

private:
    static bool IsWhitespaceByte(unsigned char b) { return b == ' ' || (b >= '\t' && b <= '\r'); }
    // Decodes the character at the position; length gets its byte count.
    CodePoint DecodeAt(std::size_t& length) const;

    const unsigned char* mData;
    std::size_t mSize;
    std::size_t mPosition = 0;
    // Line feeds before mCounted, counted on demand so scanning itself does not count.
    std::size_t mCounted = 0;
    int mLineFeeds = 0;
};
} // namespace Corvane::Internal
