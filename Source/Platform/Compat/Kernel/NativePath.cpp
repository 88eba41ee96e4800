#include "Platform/Compat/Kernel/NativePath.h"

#include "Utf8.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cwctype>
#include <vector>

namespace Compat
{
namespace
{
bool Exists(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals component ignoring case, or empty.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& component)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return {};
    const std::wstring wanted = Corvane::Utf8::ToWide(component);
    std::string found;
    while (const dirent* entry = ::readdir(dir))
    {
        if (EqualsIgnoringCase(Corvane::Utf8::ToWide(entry->d_name), wanted))
        {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::vector<std::string> SplitComponents(const std::string& path)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : path)
    {
        if (c == '/')
        {
            parts.push_back(current);
            current.clear();
        }
        else
            current.push_back(c);
    }
    parts.push_back(current);
    return parts;
}
} // namespace

wchar_t FoldCase(wchar_t c)
{
    // ASCII and Latin-1 fold the same in every locale; the rest as the locale says.
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<wchar_t>(c + 32);
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

std::string NativePath(const std::wstring& path)
{
    std::string native = Corvane::Utf8::FromWide(path);
    for (char& c : native)
        if (c == '\\')
            c = '/';
    if (native.empty() || Exists(native))
        return native;

    // Walk the components, fixing the case of each one that exists under another spelling.
    const std::vector<std::string> parts = SplitComponents(native);
    std::string resolved;
    bool searching = true;
    for (std::size_t i = 0; i < parts.size(); ++i)
    {
        const std::string& part = parts[i];
        std::string chosen = part;
        if (searching && !part.empty() && part != "." && part != "..")
        {
            const std::string candidate = resolved + part;
            if (!Exists(candidate))
            {
                const std::string match = FindEntryIgnoringCase(resolved, part);
                if (!match.empty())
                    chosen = match;
                else
                    searching = false; // nothing below a missing folder can exist
            }
        }
        resolved += chosen;
        if (i + 1 < parts.size())
            resolved += '/';
    }
    return resolved;
}

std::string NativePath(const wchar_t* path)
{
    return NativePath(std::wstring(path ? path : L""));
}
} // namespace Compat
