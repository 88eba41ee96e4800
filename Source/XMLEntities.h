// Character and entity references in XML text and attribute values.
//
// "&#65;" and "&#x42;" give that character; a named reference gives its character from the HTML 4
// entity table (plus "apos"); an unknown name is kept visibly as "!name!" so that a typo shows on
// screen instead of failing the load. A reference with no ';' runs to the end of the text.
#pragma once

#include <cstddef>
#include <string>

namespace Corvane::Internal
{
// Decodes the references of text from index from on, in place.
void DecodeReferences(std::wstring& text, std::size_t from = 0);

// The character of a named entity (case-sensitive), or 0 when the name is not in the table.
wchar_t LookUpEntity(const std::wstring& name);
} // namespace Corvane::Internal
