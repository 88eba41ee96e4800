#include "AttributeContainer.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string_view>

namespace Corvane
{
namespace
{
// The classic locale's white space: space, tab, line feed, vertical tab, form feed, return.
bool IsSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

std::size_t SkipSpace(const std::wstring& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return i;
}

bool StartsWithAt(const std::wstring& text, std::size_t at, std::wstring_view word)
{
    return text.compare(at, word.size(), word) == 0;
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}
} // namespace

bool ParseBoolText(const std::wstring& text, bool fallback)
{
    const std::size_t start = SkipSpace(text);
    if (StartsWithAt(text, start, L"true"))
        return true;
    if (StartsWithAt(text, start, L"false"))
        return false;
    return fallback;
}

int ParseIntText(const std::wstring& text)
{
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    long long magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
    {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            magnitude = static_cast<long long>(INT_MAX) + 1; // saturate; more digits change nothing
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

float ParseFloatText(const std::wstring& text)
{
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';

    // Numbers are ASCII; copy the ASCII run and let from_chars (locale-independent) decide how
    // much of it is a number.
    std::string ascii;
    for (; i < text.size() && text[i] > 0 && text[i] < 0x80; ++i)
        ascii += static_cast<char>(text[i]);
    if (!ascii.empty() && (ascii[0] == '+' || ascii[0] == '-'))
        return 0.0f; // a second sign is no number

    float value = 0.0f;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::invalid_argument)
        return 0.0f;
    if (result.ec == std::errc::result_out_of_range)
    {
        // from_chars leaves the value alone; the C conversion gives infinity or zero.
        const std::string_view number(ascii.data(), static_cast<std::size_t>(result.ptr - ascii.data()));
        const std::size_t exponent = number.find_first_of("eE");
        const bool tiny =
            exponent != std::string_view::npos && exponent + 1 < number.size() && number[exponent + 1] == '-';
        value = tiny ? 0.0f : HUGE_VALF;
    }
    return negative ? -value : value;
}

const std::wstring* AttributeContainer::Find(const std::wstring& name) const
{
    const auto it = mAttributes.find(name);
    return it == mAttributes.end() ? nullptr : &it->second;
}

bool AttributeContainer::HasAttribute(const std::wstring& name) const
{
    return Find(name) != nullptr;
}

bool AttributeContainer::GetBoolAttribute(const std::wstring& name, const bool& fallback) const
{
    const std::wstring* value = Find(name);
    return value ? ParseBoolText(*value, fallback) : fallback;
}

float AttributeContainer::GetFloatAttribute(const std::wstring& name, const float& fallback) const
{
    const std::wstring* value = Find(name);
    return value ? ParseFloatText(*value) : fallback;
}

int AttributeContainer::GetIntAttribute(const std::wstring& name, const int& fallback) const
{
    const std::wstring* value = Find(name);
    return value ? ParseIntText(*value) : fallback;
}

const wchar_t* AttributeContainer::GetStringAttribute(const std::wstring& name, const wchar_t* fallback) const
{
    const std::wstring* value = Find(name);
    return value ? value->c_str() : fallback;
}

std::wstring& AttributeContainer::GetAttribute(std::wstring& out, const std::wstring& name) const
{
    const std::wstring* value = Find(name);
    if (value)
        out = *value;
    else
        out.clear();
    return out;
}
} // namespace Corvane
