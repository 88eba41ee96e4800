#include "Game/Data/LevelValueReader.h"

#include "AttributeContainer.h"
#include "IXMLReader.h"
#include "RuntimeError.h"
#include "Utf8.h"

#include <charconv>
#include <cmath>
#include <cstdio>

using namespace Corvane;

namespace
{
std::string NumberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// The attribute's text without the white space around it, when it is all one number of type T:
// an optional sign, no hex and no thousands separators, in any locale.
template <typename T> bool ParseWhole(const std::wstring& text, T& value)
{
    const std::string narrow = Utf8::FromWide(text);
    std::size_t first = narrow.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return false;
    // from_chars takes '-' but not '+'.
    if (narrow[first] == '+' && first + 1 < narrow.size() && narrow[first + 1] != '-')
        ++first;
    const std::size_t end = narrow.find_last_not_of(" \t\r\n") + 1;
    const auto result = std::from_chars(narrow.data() + first, narrow.data() + end, value);
    return result.ec == std::errc() && result.ptr == narrow.data() + end;
}

// name="<text>" as written, or "no <name>" when element has none.
std::string Written(const IAttributeContainer& element, const wchar_t* name)
{
    if (!element.HasAttribute(name))
        return "no " + Utf8::FromWide(name);
    std::wstring text;
    return Utf8::FromWide(name) + "=\"" + Utf8::FromWide(element.GetAttribute(text, name)) + "\"";
}
} // namespace

std::string LevelLimit::Rule() const
{
    return before + " " + NumberText(low) + " to " + NumberText(high) + " " + after;
}

int LevelValueReader::Integer(const IAttributeContainer& element, const wchar_t* name, int fallback,
                              const LevelLimit& limit) const
{
    long long value = fallback;
    std::wstring text;
    if (element.HasAttribute(name) && !ParseWhole(element.GetAttribute(text, name), value))
        RefuseValue(element, name, limit.Rule());
    if (value < limit.low || value > limit.high)
        RefuseValue(element, name, limit.Rule());
    return static_cast<int>(value);
}

float LevelValueReader::Number(const IAttributeContainer& element, const wchar_t* name, float fallback,
                               const LevelLimit& limit) const
{
    double value = fallback;
    std::wstring text;
    if (element.HasAttribute(name) && !ParseWhole(element.GetAttribute(text, name), value))
        RefuseValue(element, name, limit.Rule());
    // NaN fails both comparisons: it is refused by the first test.
    if (!(value >= limit.low && value <= limit.high))
        RefuseValue(element, name, limit.Rule());
    return static_cast<float>(value);
}

void LevelValueReader::CheckOrder(const IAttributeContainer& element, const wchar_t* lower, double lowerValue,
                                  const wchar_t* upper, double upperValue, const std::string& rule) const
{
    if (upperValue < lowerValue)
        Refuse("has " + Written(element, upper) + " below " + Written(element, lower) + " (" + rule + ")");
}

void LevelValueReader::RefuseValue(const IAttributeContainer& element, const wchar_t* name,
                                   const std::string& rule) const
{
    Refuse("has " + Written(element, name) + " (" + rule + ")");
}

void LevelValueReader::Refuse(const std::string& problem) const
{
    const std::wstring message =
        Utf8::ToWide("the level \"" + std::string(mLevel ? mLevel.c_str() : "") + "\" " + problem);
    if (!mReader)
        throw RuntimeError(message, __FILE__, __LINE__, "KitchenLevelDataResourceFactory::Create");
    std::wstring path;
    mReader->GetName(path);
    throw RuntimeError(FormatErrorLocation(path, mReader->GetLine(), message), __FILE__, __LINE__,
                       "KitchenLevelDataResourceFactory::Create");
}
