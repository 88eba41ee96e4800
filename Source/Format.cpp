#include "Format.h"

#include "TextConversion.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <type_traits>

namespace Corvane
{
namespace
{
// Widths and precisions come from templates that players may edit: keep absurd ones in check.
constexpr int kMaxFieldWidth = 1024;
// Real numbers are printed into a 256-character buffer (255 characters of text).
constexpr int kRealBufferSize = 256;
constexpr int kMaxRealPrecision = kRealBufferSize - 1;

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// Reads decimal digits from text[i] on, saturating at limit.
int ReadNumber(const std::wstring& text, std::size_t& i, std::size_t end, int limit)
{
    long long value = 0;
    for (; i < end && IsDigit(text[i]); ++i)
        value = std::min<long long>(value * 10 + (text[i] - L'0'), limit);
    return static_cast<int>(value);
}

int ConversionFlag(wchar_t c)
{
    switch (c)
    {
    case L'b': return FormatSegment::kBinary;
    case L'o': return FormatSegment::kOctal;
    case L'd': return FormatSegment::kDecimal;
    case L'x': return FormatSegment::kHex;
    case L'X': return FormatSegment::kHexUpper;
    case L't': return FormatSegment::kTime;
    default: return 0;
    }
}
} // namespace

Format::Format(const std::wstring& templateText) : mTemplate(templateText)
{
    Parse();
}

void Format::Parse()
{
    const std::size_t n = mTemplate.size();
    if (n == 0)
        return;
    std::size_t segmentStart = 0;
    for (std::size_t i = 1; i < n; ++i)
    {
        if (mTemplate[i] != L'%' || i == segmentStart)
            continue;
        FormatSegment segment;
        segment.start = segmentStart;
        if (mTemplate[segmentStart] == L'%')
        {
            segment.end = i + 1;
            ParsePlaceholder(segment);
            segmentStart = i + 1;
        }
        else
        {
            segment.end = i;
            segmentStart = i;
        }
        mSegments.push_back(segment);
    }
    if (segmentStart < n)
    {
        FormatSegment tail;
        tail.start = segmentStart;
        tail.end = n;
        mSegments.push_back(tail);
    }
}

// segment spans "%key:spec%"; fills its key and spec fields.
void Format::ParsePlaceholder(FormatSegment& segment) const
{
    const std::size_t close = segment.end - 1;
    std::size_t i = segment.start + 1;
    const std::size_t keyStart = i;
    while (i < close && mTemplate[i] != L':')
        ++i;
    const std::size_t keyEnd = i;
    if (keyEnd == keyStart)
        return; // "%%" or "%:...%": unbound

    const bool numeric =
        std::all_of(mTemplate.begin() + keyStart, mTemplate.begin() + keyEnd, [](wchar_t c) { return IsDigit(c); });
    if (numeric)
    {
        std::size_t k = keyStart;
        segment.index = ReadNumber(mTemplate, k, keyEnd, 1 << 30);
    }
    else
    {
        segment.nameStart = keyStart;
        segment.nameEnd = keyEnd;
    }

    if (i >= close)
        return;
    ++i; // ':'
    if (i < close && ConversionFlag(mTemplate[i]))
        segment.flags = ConversionFlag(mTemplate[i++]);
    if (i < close && mTemplate[i] == L'0')
        segment.fill = L'0';
    if (i < close && IsDigit(mTemplate[i]))
        segment.width = ReadNumber(mTemplate, i, close, kMaxFieldWidth);
    if (i < close && mTemplate[i] == L'.')
    {
        ++i;
        segment.precision = ReadNumber(mTemplate, i, close, kMaxRealPrecision);
    }
}

Format& Format::operator%(const FormatArgument& value)
{
    mArguments.push_back(value);
    return *this;
}

Format& Format::Arg(const wchar_t* name, const FormatArgument& value)
{
    mArguments.push_back(value);
    const std::wstring key(name ? name : L"");
    const int index = static_cast<int>(mArguments.size());
    for (FormatSegment& segment : mSegments)
    {
        if (segment.nameEnd > segment.nameStart &&
            mTemplate.compare(segment.nameStart, segment.nameEnd - segment.nameStart, key) == 0)
            segment.index = index;
    }
    return *this;
}

void Format::Render()
{
    mResult.clear();
    for (const FormatSegment& segment : mSegments)
    {
        if (segment.index <= 0 || static_cast<std::size_t>(segment.index) > mArguments.size())
            mResult.append(mTemplate, segment.start, segment.end - segment.start);
        else
            RenderArgument(segment, mArguments[static_cast<std::size_t>(segment.index) - 1]);
    }
}

const wchar_t* Format::c_str()
{
    Render();
    return mResult.c_str();
}

void Format::RenderArgument(const FormatSegment& segment, const FormatArgument& value)
{
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, char>)
            {
                const char text[2] = {v, 0};
                std::wstring wide;
                Narrow::ToWide(wide, text);
                mResult += wide;
            }
            else if constexpr (std::is_same_v<T, wchar_t>)
                mResult.push_back(v);
            else if constexpr (std::is_integral_v<T>)
            {
                if constexpr (std::is_signed_v<T>)
                {
                    const long long s = v;
                    // Negate in unsigned arithmetic: the magnitude of the most negative value fits.
                    const unsigned long long magnitude =
                        s < 0 ? 0ULL - static_cast<unsigned long long>(s) : static_cast<unsigned long long>(s);
                    RenderInteger(segment, magnitude, s < 0);
                }
                else
                    RenderInteger(segment, static_cast<unsigned long long>(v), false);
            }
            else if constexpr (std::is_floating_point_v<T>)
                RenderReal(segment, static_cast<double>(v));
            else if constexpr (std::is_same_v<T, std::string>)
            {
                std::wstring wide;
                Narrow::ToWide(wide, v.c_str());
                mResult += wide;
            }
            else if constexpr (std::is_same_v<T, std::wstring>)
                mResult += v;
            else if constexpr (std::is_same_v<T, Timestamp>)
                RenderTimestamp(segment, v.seconds);
        },
        value);
}

void Format::RenderInteger(const FormatSegment& segment, unsigned long long magnitude, bool negative)
{
    unsigned base = 10;
    const wchar_t* digits = L"0123456789abcdef";
    bool grouping = false;
    switch (segment.flags)
    {
    case FormatSegment::kBinary: base = 2; break;
    case FormatSegment::kOctal: base = 8; break;
    case FormatSegment::kHex: base = 16; break;
    case FormatSegment::kHexUpper:
        base = 16;
        digits = L"0123456789ABCDEF";
        break;
    case FormatSegment::kDecimal: break;
    default: grouping = true; break; // none and "t"
    }

    // Built backwards: at most 64 binary digits plus separators.
    wchar_t buffer[96];
    int length = 0;
    int inGroup = 0;
    do
    {
        if (grouping && inGroup == 3)
        {
            buffer[length++] = L',';
            inGroup = 0;
        }
        buffer[length++] = digits[magnitude % base];
        magnitude /= base;
        ++inGroup;
    } while (magnitude != 0);

    const int fieldLength = length + (negative ? 1 : 0);
    const int padding = std::max(0, std::min(segment.width, kMaxFieldWidth) - fieldLength);
    if (segment.fill == L'0')
    {
        if (negative)
            mResult.push_back(L'-');
        mResult.append(static_cast<std::size_t>(padding), L'0');
    }
    else
    {
        mResult.append(static_cast<std::size_t>(padding), segment.fill);
        if (negative)
            mResult.push_back(L'-');
    }
    while (length > 0)
        mResult.push_back(buffer[--length]);
}

void Format::RenderReal(const FormatSegment& segment, double value)
{
    // Printed narrow (the "C" locale's digits are ASCII) into a bounded buffer: a wide printf would
    // give nothing at all, rather than a cut text, when the result does not fit.
    char buffer[kRealBufferSize];
    const int width = std::min(segment.width, kRealBufferSize - 1);
    const int precision = std::min(segment.precision, kMaxRealPrecision);
    if (std::snprintf(buffer, sizeof buffer, "%*.*f", width, precision, value) < 0)
        return;
    std::wstring wide;
    Narrow::ToWide(wide, buffer);
    mResult += wide;
}

void Format::RenderTimestamp(const FormatSegment& segment, std::time_t seconds)
{
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return;
    wchar_t date[260] = L"";
    wchar_t time[260] = L"";
    if (segment.flags != FormatSegment::kTime)
        std::wcsftime(date, 260, L"%x", &local);
    if (segment.flags != FormatSegment::kDecimal)
        std::wcsftime(time, 260, L"%H:%M", &local);
    if (segment.flags == FormatSegment::kDecimal)
        mResult += date;
    else if (segment.flags == FormatSegment::kTime)
        mResult += time;
    else
    {
        mResult += date;
        mResult.push_back(L' ');
        mResult += time;
    }
}
} // namespace Corvane
