// The file names of a numbered image sequence: a pattern such as "Images/walk%1%" with a first and
// a last index. Hand-edited manifests get these wrong, so the walk is bounded whatever they say.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace Corvane
{
class ImagePattern
{
public:
    // The default last index.
    static constexpr int kOpenEnd = 2147483647;
    // No sequence tries more indices than this (a first index far below 0 would skip for ever).
    static constexpr int kMaxIndices = 65536;

    ImagePattern(std::wstring pattern, int first, int last);

    // The name of index: the pattern with "%1%" (and any conversion of it) filled in.
    std::wstring GetName(int index) const;

    // Offers the names of first, first + 1, ... last to found, which answers whether that file is
    // there (and may load it). A missing index at or below 0 is skipped; a missing index above 0
    // ends the walk, so a sequence may start at 0 or 1 and ends at its first gap. A name equal to
    // the one before ends it too: a pattern without its placeholder names one file once. Returns
    // how many names were found.
    int Walk(const std::function<bool(const std::wstring& name)>& found) const;

private:
    std::wstring mPattern;
    int mFirst;
    int mLast;
};
} // namespace Corvane
