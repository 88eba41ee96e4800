// The message formatter: wide templates with numbered ("%1%") and named ("%file%") placeholders,
// an optional conversion and width ("%1:x4%", "%2:08.3%"), filled from typed values.
//
//   Format(L"%1% of %2%") % 3 % 10            -> "3 of 10"
//   Format(L"%file%(%line%)").Arg(L"file", name).Arg(L"line", 12)
//
// Nothing is thrown for a malformed template: whatever is not a bound placeholder stays as text,
// and "%%" stays "%%".
#pragma once

#include <ctime>
#include <string>
#include <variant>
#include <vector>

namespace Corvane
{
// A calendar time (seconds since 1970, UTC), rendered as date and/or time in local time.
struct Timestamp
{
    std::time_t seconds = 0;
};

// One value of one of the 15 kinds, in this order. 64-bit integers are the long long kinds so
// they do not collide with long on LP64.
using FormatArgument = std::variant<char, wchar_t, int, unsigned int, short, unsigned short, long, unsigned long,
                                    long long, unsigned long long, float, double, std::string, std::wstring, Timestamp>;

struct FormatSegment
{
    enum Flags
    {
        kBinary = 1,
        kOctal = 2,
        kDecimal = 4,
        kHex = 8,
        kHexUpper = 16,
        kTime = 32,
    };

    int index = 0; // 0 = text; n >= 1 = filled from argument n
    std::size_t start = 0, end = 0;
    std::size_t nameStart = 0, nameEnd = 0;
    int flags = 0;
    int width = -1;
    wchar_t fill = L' ';
    int precision = -1;
};

class Format
{
public:
    explicit Format(const std::wstring& templateText);

    // Appends a positional argument: the n-th argument added fills placeholders keyed n.
    Format& operator%(const FormatArgument& value);
    // Appends the argument and binds every placeholder keyed name (case-sensitive) to it.
    Format& Arg(const wchar_t* name, const FormatArgument& value);

    void Render();
    const wchar_t* c_str();
    std::wstring str() { return c_str(); }

    void AppendText(const wchar_t* text) { mResult += text; }

    const std::vector<FormatSegment>& GetSegments() const { return mSegments; }

private:
    void Parse();
    void ParsePlaceholder(FormatSegment& segment) const;
    void RenderArgument(const FormatSegment& segment, const FormatArgument& value);
    void RenderInteger(const FormatSegment& segment, unsigned long long magnitude, bool negative);
    void RenderReal(const FormatSegment& segment, double value);
    void RenderTimestamp(const FormatSegment& segment, std::time_t seconds);

    std::wstring mTemplate;
    std::wstring mResult;
    std::vector<FormatSegment> mSegments;
    std::vector<FormatArgument> mArguments;
};
} // namespace Corvane
