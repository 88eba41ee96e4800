#include "SceneGraph/SceneText.h"

std::wstring RemoveCharacters(const std::wstring& text, const std::wstring& set)
{
    std::wstring kept;
    kept.reserve(text.size());
    for (wchar_t c : text)
        if (set.find(c) == std::wstring::npos)
            kept.push_back(c);
    return kept;
}

std::wstring RemoveWhitespace(const std::wstring& text)
{
    return RemoveCharacters(text, L" \t\n\r");
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> pieces;
    std::size_t start = !text.empty() && text[0] == separator ? 1 : 0;
    if (start >= text.size())
        return pieces;
    for (;;)
    {
        const std::size_t end = text.find(separator, start);
        if (end == std::wstring::npos)
        {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

int ParseHAlign(const std::wstring& text, int fallback)
{
    if (text == L"left")
        return 0;
    if (text == L"center")
        return 1;
    if (text == L"right")
        return 2;
    return fallback;
}

int ParseVAlign(const std::wstring& text, int fallback)
{
    if (text == L"top")
        return 0;
    if (text == L"middle")
        return 1;
    if (text == L"bottom")
        return 2;
    return fallback;
}

int ParseTextMode(const std::wstring& text)
{
    if (text == L"outline")
        return 1;
    if (text == L"dropShadow")
        return 2;
    return 0;
}
