#include "TextConversion.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace Corvane
{
namespace
{
bool IsHighSurrogate(CodePoint u)
{
    return u >= 0xD800 && u < 0xDC00;
}
bool IsLowSurrogate(CodePoint u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

template <typename Unit> CodePoint DecodeUnits(const Unit*& p)
{
    const CodePoint u = static_cast<CodePoint>(*p++);
    if (u > 0xFFFF)
        return u <= kMaxCodePoint ? u : kReplacementCharacter;
    if (!IsHighSurrogate(u) && !IsLowSurrogate(u))
        return u;
    if (IsLowSurrogate(u))
        return kReplacementCharacter;
    const CodePoint v = static_cast<CodePoint>(*p);
    if (v == 0)
        return kReplacementCharacter; // leave the terminator for the caller
    ++p;
    if (!IsLowSurrogate(v))
        return kReplacementCharacter;
    return ((u - 0xD800) << 10) + (v - 0xDC00) + 0x10000;
}

wchar_t WidenByte(char c)
{
    const unsigned char b = static_cast<unsigned char>(c);
    return b < 0x80 ? static_cast<wchar_t>(b) : static_cast<wchar_t>(kReplacementCharacter);
}

char NarrowCodePoint(CodePoint cp)
{
    return cp < 0x80 ? static_cast<char>(cp) : kNarrowReplacement;
}
} // namespace

namespace Narrow
{
void ToWide(std::wstring& out, const char* s)
{
    out.clear();
    if (!s)
        return;
    for (; *s; ++s)
        out.push_back(WidenByte(*s));
}

void FromWide(std::string& out, const std::wstring& s)
{
    out.clear();
    out.reserve(s.size());
    const wchar_t* p = s.c_str();
    const wchar_t* end = p + s.size();
    while (p < end)
    {
        if (*p == 0)
        {
            // Embedded zero: keep it and go on, as the wide string's length says.
            out.push_back('\0');
            ++p;
            continue;
        }
        out.push_back(NarrowCodePoint(Utf16::Decode(p)));
    }
}
} // namespace Narrow

namespace Utf16
{
CodePoint Decode(const char16_t*& p)
{
    return DecodeUnits(p);
}

CodePoint Decode(const wchar_t*& p)
{
    return DecodeUnits(p);
}

int UnitCount(CodePoint cp)
{
    return (cp >= 0x10000 && cp <= kMaxCodePoint) ? 2 : 1;
}

void Encode(char16_t*& p, CodePoint cp)
{
    if (cp > kMaxCodePoint)
        cp = kReplacementCharacter;
    if (cp < 0x10000)
    {
        *p++ = static_cast<char16_t>(cp);
        return;
    }
    cp -= 0x10000;
    *p++ = static_cast<char16_t>(0xD800 + (cp >> 10));
    *p++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
}

int FromNarrow(const char* s, wchar_t* buffer, int capacity)
{
    const std::size_t length = s ? std::strlen(s) : 0;
    if (!buffer || capacity <= 0)
        return static_cast<int>(length) + 1;
    int used = 0;
    for (std::size_t i = 0; i < length && used + 1 < capacity; ++i)
        buffer[used++] = WidenByte(s[i]);
    buffer[used] = 0;
    return used + 1;
}

int ToNarrow(const wchar_t* s, char* buffer, int capacity)
{
    if (!buffer || capacity <= 0)
    {
        int count = 0;
        for (const wchar_t* p = s; p && *p; ++count)
            Decode(p);
        return count + 1;
    }
    int used = 0;
    for (const wchar_t* p = s; p && *p && used + 1 < capacity;)
        buffer[used++] = NarrowCodePoint(Decode(p));
    buffer[used] = 0;
    return used + 1;
}
} // namespace Utf16

std::wstring NormalizePath(const std::wstring& path)
{
    std::wstring result(path);
    for (wchar_t& c : result)
        if (c == L'\\')
            c = L'/';
    return result;
}

std::wstring WithoutControlCharacters(std::wstring text)
{
    std::erase_if(text, [](wchar_t c) { return IsControlCharacter(static_cast<CodePoint>(c)); });
    return text;
}

int DigitValueOrInvalid(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'z')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'Z')
        return c - L'A' + 10;
    return -1;
}

int DigitValue(wchar_t c)
{
    const int d = DigitValueOrInvalid(c);
    return d < 0 ? 0 : d;
}

int ParseInt(const wchar_t* text, int base)
{
    if (!text)
        return 0;
    while (*text == L' ' || *text == L'\t')
        ++text;
    std::uint32_t value = 0; // unsigned: the 32-bit wrap is intended, not undefined
    for (int d; (d = DigitValueOrInvalid(*text)) >= 0; ++text)
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(d);
    return static_cast<int>(value);
}
} // namespace Corvane

std::wstring NarrowToWide(const char* s)
{
    std::wstring out;
    if (!s)
        return out;
    std::mbstate_t state{};
    const char* end = s + std::strlen(s);
    while (s < end)
    {
        wchar_t w = 0;
        const std::size_t n = std::mbrtowc(&w, s, static_cast<std::size_t>(end - s), &state);
        if (n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2))
        {
            out.push_back(static_cast<wchar_t>(Corvane::kReplacementCharacter));
            state = std::mbstate_t{};
            ++s;
            continue;
        }
        out.push_back(w);
        s += n == 0 ? 1 : n;
    }
    return out;
}
