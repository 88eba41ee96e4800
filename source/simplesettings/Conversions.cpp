#include "Conversions.h"

#include "TextConversion.h"
#include "TypeName.h"

#include <locale>
#include <sstream>

namespace SimpleSettings
{
bool FromString(const std::wstring& text, int& out)
{
    // A stream opened for input and output, in the "C" locale so that no grouping is accepted.
    std::wstringstream stream(text, std::ios::in | std::ios::out);
    stream.imbue(std::locale::classic());
    int value = 0;
    stream >> value;
    if (stream.fail() || stream.bad())
        return false;
    out = value;
    return true;
}

std::wstring Widen(const char* name)
{
    std::wstring wide;
    Corvane::Narrow::ToWide(wide, name ? name : "");
    return wide;
}

std::string QualifiedName(const char* kind, const std::type_info& record, const char* operation)
{
    return std::string("SimpleSettings::") + kind + "<" + Corvane::GetTypeName(record) + ">::" + operation;
}

std::wstring FormatMessage(const wchar_t* templateText, const std::wstring& first, const std::wstring& second,
                           const std::wstring& third)
{
    Corvane::Format format(templateText);
    format % first % second % third;
    return format.str();
}

bool ConvertValue(const std::wstring& text, int& out)
{
    return FromString(text, out);
}

bool ConvertValue(const std::wstring& text, std::wstring& out)
{
    out = text;
    return true;
}

bool ConvertValue(const std::wstring& text, Corvane::Label& out)
{
    out = Corvane::Label(text);
    return true;
}
} // namespace SimpleSettings
