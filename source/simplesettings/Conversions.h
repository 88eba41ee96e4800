// The text conversions of bound members and the helpers their messages share.
#pragma once

#include "Format.h"
#include "Label.h"

#include <string>
#include <typeinfo>

namespace SimpleSettings
{
// Reads one integer the way a standard stream does: leading white space, an optional sign and
// decimal digits, stopping at the first character that cannot continue the number. False when no
// digits came or the value is outside the 32-bit range; out is then unchanged.
bool FromString(const std::wstring& text, int& out);

// An 8-bit member or type name as wide text: bytes of 128 and above become U+FFFD.
std::wstring Widen(const char* name);

// The readable name of an operation of a library class for a record type, for the function field
// of an error: "SimpleSettings::<kind><<record>>::<operation>".
std::string QualifiedName(const char* kind, const std::type_info& record, const char* operation);

// Fills a wide message template's numbered placeholders with texts, as written.
std::wstring FormatMessage(const wchar_t* templateText, const std::wstring& first, const std::wstring& second = {},
                           const std::wstring& third = {});

// The conversion of one attribute or list item text to a member's value type. The int form
// answers false when the text is no integer; texts and labels always convert.
bool ConvertValue(const std::wstring& text, int& out);
bool ConvertValue(const std::wstring& text, std::wstring& out);
bool ConvertValue(const std::wstring& text, Corvane::Label& out);

// The name a value type goes by in messages and as a list's item tag.
template <typename Value> const char* ValueTypeName();
template <> inline const char* ValueTypeName<int>()
{
    return "int";
}
template <> inline const char* ValueTypeName<Corvane::Label>()
{
    return "Label";
}
template <> inline const char* ValueTypeName<std::wstring>()
{
    return "wstring";
}
} // namespace SimpleSettings
