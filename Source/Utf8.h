// UTF-8 encoding and decoding of single code points. Header-only so that the platform layer,
// which sits below the engine library, can share it.
#pragma once

#include <cstdint>
#include <string>

namespace Corvane::Utf8
{
// Appends cp; code points above U+10FFFF and surrogates are written as U+FFFD.
inline void Append(std::string& out, std::uint32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80)
        out.push_back(static_cast<char>(cp));
    else if (cp < 0x800)
    {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    else if (cp < 0x10000)
    {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    else
    {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Reads one code point from [p, end) and advances p by at least one byte. Malformed, overlong,
// truncated or surrogate sequences give U+FFFD and consume one byte.
inline std::uint32_t Decode(const char*& p, const char* end)
{
    const auto lead = static_cast<unsigned char>(*p++);
    if (lead < 0x80)
        return lead;
    int extra;
    std::uint32_t cp;
    std::uint32_t minimum;
    if ((lead & 0xE0) == 0xC0)
    {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    }
    else if ((lead & 0xF0) == 0xE0)
    {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    }
    else if ((lead & 0xF8) == 0xF0)
    {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    }
    else
        return 0xFFFD;
    if (end - p < extra)
        return 0xFFFD;
    for (int i = 0; i < extra; ++i)
    {
        const auto next = static_cast<unsigned char>(p[i]);
        if ((next & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    p += extra;
    return cp;
}

inline std::string FromWide(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        Append(out, static_cast<std::uint32_t>(c));
    return out;
}

inline std::wstring ToWide(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end)
        out.push_back(static_cast<wchar_t>(Decode(p, end)));
    return out;
}
} // namespace Corvane::Utf8
