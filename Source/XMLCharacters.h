// How the XML reader decodes UTF-8: one lead byte selects a form from a table of six (1 to 6
// bytes), and the whole form is taken before its value is checked, so a broken sequence makes one
// U+FFFD rather than one per byte.
//
// Wide text holds code points. Whatever is not a well-formed character (a stray or missing
// continuation byte, an overlong form, a NUL byte, a 5- or 6-byte form, a value past U+10FFFF, an
// unpaired surrogate) becomes U+FFFD and never fails. A surrogate pair written as two 3-byte
// sequences, as 16-bit programs write it, is joined into its one code point.
#pragma once

#include "TextConversion.h"

#include <cstddef>

namespace Corvane::Internal
{
inline bool IsHighSurrogate(CodePoint c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

inline bool IsLowSurrogate(CodePoint c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Reads the code point at text[i] and moves i past it. Text that came from 16-bit data may hold
// a surrogate pair, which is joined; a lone half, or a value past U+10FFFF, gives U+FFFD.
CodePoint ReadCodePoint(const wchar_t* text, std::size_t length, std::size_t& i);

// Reads one character from data (size > 0 bytes) and sets length to the bytes it took (at least
// 1). A byte that breaks a sequence is not taken, so that it starts the next character.
CodePoint DecodeXMLCharacter(const unsigned char* data, std::size_t size, std::size_t& length);
} // namespace Corvane::Internal
