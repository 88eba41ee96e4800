// Turns a Windows-style wide path into a Linux path. Both '/' and '\' separate. The game's data
// names are case-insensitive while Linux names are not: when the exact path is missing, each
// component is looked up in its folder without regard to case. Components that do not exist keep
// their spelling (so a file can be created under a resolved folder).
#pragma once

#include <string>

namespace Compat
{
std::string NativePath(const wchar_t* path);
std::string NativePath(const std::wstring& path);

// One character folded to lower case: ASCII and Latin-1 in any locale, others by the locale.
wchar_t FoldCase(wchar_t c);
// True when a and b are equal ignoring case.
bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b);
} // namespace Compat
