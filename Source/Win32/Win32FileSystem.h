// Folder creation and the path helpers of the file system's Windows side. A separator is '/' or
// '\'; the last separator of a path is the later of the two.
#pragma once

#include <string>

namespace Corvane
{
// Makes the folder and any missing parents (up to the root). A folder that exists is fine; any
// other failure raises Win32::Win32Error "Could not create a folder.".
void CreateDirectory(const std::wstring& path);

namespace Path
{
// The text before the last separator; the whole path when it has none.
std::wstring GetDirectory(const std::wstring& path);
// The last element without its extension.
std::wstring GetBaseName(const std::wstring& path);
// The text from the last '.' of the whole path on, the '.' included; empty without a '.'. Meant
// for file names: a '.' in a folder name counts too ("./Data/readme" gives all of it).
std::wstring GetExtension(const std::wstring& path);
} // namespace Path
} // namespace Corvane
