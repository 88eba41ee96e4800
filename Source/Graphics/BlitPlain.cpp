// The plain loops: every pixel through its rule, except the copies, which move whole rows.
#include "Graphics/BlitCopy.h"
#include "Graphics/BlitPixels.h"

namespace Corvane::Graphics::Internal
{
namespace
{
template <typename Rule> void Plain(const BlitRows& rows, const BlitColor& color)
{
    RunPixels(rows, Rule{color});
}
} // namespace

const BlitLoopTable& PlainBlitLoops()
{
    static const BlitLoopTable table = {
        {CopyWhole, CopyRows, Plain<AlphaTestPixel>, Plain<AlphaBlendPixel>, Plain<TintedCopyPixel>,
         Plain<TintedAlphaTestPixel>, Plain<TintedAlphaBlendPixel>},
        {Plain<FadedCopyPixel>, Plain<FadedCopyPixel>, Plain<FadedAlphaTestPixel>, Plain<FadedAlphaBlendPixel>,
         Plain<FadedTintedCopyPixel>, Plain<FadedTintedAlphaTestPixel>, Plain<FadedTintedAlphaBlendPixel>},
    };
    return table;
}
} // namespace Corvane::Graphics::Internal
