#include "Graphics/ImagePattern.h"

#include "Debug.h"
#include "Format.h"

namespace Corvane
{
ImagePattern::ImagePattern(std::wstring pattern, int first, int last)
    : mPattern(std::move(pattern)), mFirst(first), mLast(last)
{
}

std::wstring ImagePattern::GetName(int index) const
{
    return (Format(mPattern) % index).str();
}

int ImagePattern::Walk(const std::function<bool(const std::wstring& name)>& found) const
{
    int count = 0;
    std::wstring previous;
    // 64-bit, so a last index of INT_MAX cannot overflow the loop.
    for (std::int64_t i = mFirst, tried = 0; i <= mLast; ++i, ++tried)
    {
        if (tried == kMaxIndices)
        {
            DebugPrint("Image pattern %ls stopped after %d indices.\n", mPattern.c_str(), kMaxIndices);
            break;
        }
        const int index = static_cast<int>(i);
        std::wstring name = GetName(index);
        if (tried > 0 && name == previous)
            break;
        if (found(name))
            ++count;
        else if (index > 0)
            break;
        previous = std::move(name);
    }
    return count;
}
} // namespace Corvane
