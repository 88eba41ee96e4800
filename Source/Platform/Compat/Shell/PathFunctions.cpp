#include "Platform/Compat/Shell/PathFunctions.h"

#include <cwchar>
#include <string>
#include <vector>

namespace
{
bool IsSeparator(wchar_t c)
{
    return c == L'/' || c == L'\\';
}

std::vector<std::wstring> Split(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::wstring current;
    for (wchar_t c : path)
    {
        if (IsSeparator(c))
        {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        }
        else
            current.push_back(c);
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

// Folds "." and ".." segments; ".." at the top of a relative path is kept.
std::wstring Canonical(const std::wstring& path)
{
    const bool absolute = !path.empty() && IsSeparator(path[0]);
    std::vector<std::wstring> kept;
    for (const std::wstring& part : Split(path))
    {
        if (part == L".")
            continue;
        if (part == L".." && !kept.empty() && kept.back() != L"..")
            kept.pop_back();
        else if (part == L".." && absolute)
            continue;
        else
            kept.push_back(part);
    }
    std::wstring out = absolute ? L"/" : L"";
    for (std::size_t i = 0; i < kept.size(); ++i)
    {
        if (i > 0)
            out += L'/';
        out += kept[i];
    }
    if (out.empty())
        out = absolute ? L"/" : L".";
    return out;
}

bool Store(wchar_t* dest, const std::wstring& text)
{
    if (text.size() >= MAX_PATH)
    {
        dest[0] = 0;
        return false;
    }
    text.copy(dest, text.size());
    dest[text.size()] = 0;
    return true;
}

const wchar_t* LastElement(const wchar_t* path)
{
    const wchar_t* start = path;
    for (const wchar_t* p = path; *p; ++p)
        if (IsSeparator(*p) && p[1])
            start = p + 1;
    return start;
}
} // namespace

wchar_t* PathCombineW(wchar_t* dest, const wchar_t* dir, const wchar_t* file)
{
    if (!dest)
        return nullptr;
    const std::wstring d = dir ? dir : L"";
    const std::wstring f = file ? file : L"";
    std::wstring joined;
    if (!f.empty() && IsSeparator(f[0]))
        joined = f;
    else if (d.empty())
        joined = f;
    else if (f.empty())
        joined = d;
    else
        joined = d + L"/" + f;
    return Store(dest, Canonical(joined)) ? dest : nullptr;
}

BOOL PathAppendW(wchar_t* path, const wchar_t* more)
{
    if (!path || !more)
        return FALSE;
    std::wstring joined = path;
    std::wstring tail = more;
    while (!tail.empty() && IsSeparator(tail[0]))
        tail.erase(0, 1);
    if (!joined.empty() && !IsSeparator(joined.back()) && !tail.empty())
        joined += L'/';
    joined += tail;
    return Store(path, Canonical(joined)) ? TRUE : FALSE;
}

BOOL PathRemoveFileSpecW(wchar_t* path)
{
    if (!path || !*path)
        return FALSE;
    wchar_t* last = nullptr;
    for (wchar_t* p = path; *p; ++p)
        if (IsSeparator(*p))
            last = p;
    if (!last)
    {
        path[0] = 0;
        return TRUE;
    }
    if (last == path)
    {
        const bool changed = path[1] != 0;
        path[1] = 0; // keep the root
        return changed ? TRUE : FALSE;
    }
    *last = 0;
    return TRUE;
}

wchar_t* PathFindExtensionW(const wchar_t* path)
{
    if (!path)
        return nullptr;
    const wchar_t* element = LastElement(path);
    const wchar_t* dot = nullptr;
    const wchar_t* p = element;
    for (; *p; ++p)
    {
        if (*p == L'.')
            dot = p;
        else if (IsSeparator(*p))
            dot = nullptr;
    }
    return const_cast<wchar_t*>(dot ? dot : p);
}

void PathRemoveExtensionW(wchar_t* path)
{
    if (wchar_t* extension = PathFindExtensionW(path))
        *extension = 0;
}

wchar_t* PathFindFileNameW(const wchar_t* path)
{
    return path ? const_cast<wchar_t*>(LastElement(path)) : nullptr;
}

BOOL PathRelativePathToW(wchar_t* out, const wchar_t* from, DWORD fromAttributes, const wchar_t* to, DWORD toAttributes)
{
    if (!out || !from || !to)
        return FALSE;
    std::vector<std::wstring> fromParts = Split(Canonical(from));
    const std::vector<std::wstring> toParts = Split(Canonical(to));
    if (!(fromAttributes & FILE_ATTRIBUTE_DIRECTORY) && !fromParts.empty())
        fromParts.pop_back();
    const bool bothAbsolute = IsSeparator(from[0]) && IsSeparator(to[0]);
    if (!bothAbsolute && IsSeparator(from[0]) != IsSeparator(to[0]))
        return FALSE;
    std::size_t common = 0;
    while (common < fromParts.size() && common < toParts.size() && fromParts[common] == toParts[common])
        ++common;
    std::wstring relative;
    if (common == fromParts.size())
        relative = L".";
    for (std::size_t i = common; i < fromParts.size(); ++i)
        relative += relative.empty() ? L".." : L"/..";
    for (std::size_t i = common; i < toParts.size(); ++i)
        relative += L"/" + toParts[i];
    (void)toAttributes; // a folder and a file are written alike
    return Store(out, relative) ? TRUE : FALSE;
}

BOOL PathIsRootW(const wchar_t* path)
{
    if (!path || !*path)
        return FALSE;
    for (const wchar_t* p = path; *p; ++p)
        if (!IsSeparator(*p))
            return FALSE;
    return TRUE;
}
