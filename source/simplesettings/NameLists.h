// Lookups in the small name lists of the hand-read game data (ingredients and level files).
#pragma once

#include <string>

// Whether name, widened, is an entry of the string-list value resource "AttributeStrings" (exact
// comparison, case included). False when that resource is not loaded or is no list of strings.
// Any thread.
bool IsAttributeString(const std::string& name);

// The position of name in the first count entries of table (exact comparison), or -1.
int IndexOfString(const char* const* table, const std::string& name, int count);
