// Base64 text for binary values (account files keep raw bytes this way): the standard alphabet
// with '=' padding and no line breaks.
#pragma once

#include "Stream.h"

#include <string>

namespace Corvane
{
// The rest of input, from its position to its end, as Base64 text.
std::wstring Base64Encode(IStream& input);
// Writes the bytes that text encodes to output. Characters outside the alphabet (blanks, line
// breaks, padding) are skipped, and bits left over at the end are dropped, so it never fails.
void Base64Decode(const std::wstring& text, IStream& output);
} // namespace Corvane
