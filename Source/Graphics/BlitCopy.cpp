#include "Graphics/BlitCopy.h"

#include <cstddef>
#include <cstring>

namespace Corvane::Graphics::Internal
{
// memmove, not memcpy: an image may be drawn onto itself.
void CopyWhole(const BlitRows& rows, const BlitColor&)
{
    std::memmove(rows.dst, rows.src, std::size_t(rows.width) * std::size_t(rows.height) * sizeof(PackedColor));
}

void CopyRows(const BlitRows& rows, const BlitColor&)
{
    const PackedColor* src = rows.src;
    PackedColor* dst = rows.dst;
    const std::size_t bytes = std::size_t(rows.width) * sizeof(PackedColor);
    for (int y = 0; y < rows.height; ++y, src += rows.srcStride, dst += rows.dstStride)
        std::memmove(dst, src, bytes);
}
} // namespace Corvane::Graphics::Internal
