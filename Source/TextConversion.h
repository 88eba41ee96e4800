// Text conversions between the engine's wide text and 8-bit names.
//
// Wide strings hold code points (wchar_t is 32 bits here). 8-bit text is treated as ASCII: bytes
// of 128 and above have no meaning of their own and become U+FFFD when widened, and every code
// point of 128 and above becomes '?' when narrowed. The UTF-16 routines walk explicit 16-bit
// units; their wide-string forms also accept surrogate pairs that arrived from UTF-16 data.
#pragma once

#include <cstdint>
#include <string>

namespace Corvane
{
using CodePoint = std::uint32_t;

constexpr CodePoint kReplacementCharacter = 0xFFFD;
constexpr char kNarrowReplacement = '?';
constexpr CodePoint kMaxCodePoint = 0x10FFFF;

namespace Narrow
{
// 8-bit text to wide: 0x00..0x7F kept, 0x80..0xFF become U+FFFD.
void ToWide(std::wstring& out, const char* s);
// Wide text to 8-bit: code points below 128 kept, every other one (a surrogate pair counts once)
// becomes '?'.
void FromWide(std::string& out, const std::wstring& s);
} // namespace Narrow

namespace Utf16
{
// Reads one code point and advances p. Unpaired surrogates give U+FFFD; a high surrogate right
// before the terminator gives U+FFFD without consuming the terminator. In the wide-string form a
// single unit above 0xFFFF is taken as one code point (U+FFFD when above U+10FFFF).
CodePoint Decode(const char16_t*& p);
CodePoint Decode(const wchar_t*& p);

// 2 for U+10000..U+10FFFF, else 1.
int UnitCount(CodePoint cp);

// Writes one or two 16-bit units and advances p; above U+10FFFF writes U+FFFD.
void Encode(char16_t*& p, CodePoint cp);

// Widens with the Narrow::ToWide rule into buffer (capacity units), stopping before a unit that
// would not fit with the terminator; always terminates. Returns the units used including the
// terminator; with a null buffer or capacity 0 only counts them.
int FromNarrow(const char* s, wchar_t* buffer, int capacity);

// Narrows with the Narrow::FromWide rule, stopping when capacity - 1 bytes are written; always
// terminates. Returns the bytes used including the terminator; with a null buffer or capacity 0
// returns the number of code points + 1.
int ToNarrow(const wchar_t* s, char* buffer, int capacity);
} // namespace Utf16

// Every '\' becomes '/'.
std::wstring NormalizePath(const std::wstring& path);

// The control characters: U+0000 to U+001F, U+007F and U+0080 to U+009F. A name never holds one.
inline constexpr bool IsControlCharacter(CodePoint c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}
// text without its control characters.
std::wstring WithoutControlCharacters(std::wstring text);

// '0'-'9' give 0-9, letters give 10-35 in either case; anything else 0 (or -1 for the second).
int DigitValue(wchar_t c);
int DigitValueOrInvalid(wchar_t c);

// Skips blanks and tabs, then reads letters and digits in the given base with 32-bit wrapping;
// no sign, no prefix, digits are not checked against the base.
int ParseInt(const wchar_t* text, int base);

// ASCII-only case folding: locale-independent and defined for every byte.
inline constexpr int ToUpperAscii(int c)
{
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}
inline constexpr char ToUpperAscii(char c)
{
    return static_cast<char>(ToUpperAscii(static_cast<int>(static_cast<unsigned char>(c))));
}
} // namespace Corvane

// The standard library's multibyte-to-wide conversion in the current locale (for text handed to
// the program by the system). Invalid sequences become U+FFFD.
std::wstring NarrowToWide(const char* s);
