// The small text functions of the layout readers: keyword parsers for alignments and text modes
// (the justification of text nodes is ParseHAlign), and the trimming and splitting of list
// attributes. Keywords compare exactly, case included.
#pragma once

#include <string>
#include <vector>

// text without any of the characters of set, wherever they stand.
std::wstring RemoveCharacters(const std::wstring& text, const std::wstring& set);
// text without spaces, tabs, line feeds and carriage returns.
std::wstring RemoveWhitespace(const std::wstring& text);
// The pieces between separators (a leading separator is dropped first; empty pieces inside and
// at the end are kept).
std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator);
// "left" 0, "center" 1, "right" 2; any other text gives fallback.
int ParseHAlign(const std::wstring& text, int fallback);
// The text modes of the draw state: "outline" 1, "dropShadow" 2; any other text 0 (plain).
int ParseTextMode(const std::wstring& text);
// "top" 0, "middle" 1, "bottom" 2; any other text gives fallback.
int ParseVAlign(const std::wstring& text, int fallback);
