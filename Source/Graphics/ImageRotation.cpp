// Rotation of an image by any angle, nearest neighbour, walking the source in 16.16 fixed point.
#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"

#include <cmath>
#include <cstdint>

namespace Corvane
{
std::unique_ptr<Image> Image::CreateRotated(float angle) const
{
    // Quarter turns and no turn are exact pixel moves.
    const double degrees = RadiansToDegrees(Graphics::WrapAngle(angle));
    if (degrees > 89.999 && degrees < 90.001)
        return CreateRotated90();
    if (degrees > 179.999 && degrees < 180.001)
        return CreateRotated180();
    if (degrees > 269.999 && degrees < 270.001)
        return CreateRotated270();
    if ((degrees > -0.001 && degrees < 0.001) || (degrees > 359.999 && degrees < 360.001))
        return CreateCopy();

    const float s = std::sin(angle);
    const float c = std::cos(angle);
    const int w = mWidth;
    const int h = mHeight;
    const int newWidth = static_cast<int>(w * std::fabs(c) + h * std::fabs(s) + 0.99f);
    const int newHeight = static_cast<int>(h * std::fabs(c) + w * std::fabs(s) + 0.99f);
    auto turned = CreateBlank(newWidth, newHeight);

    // Each output pixel steps the source position by the inverse rotation of (1, 0).
    const std::int64_t dx = static_cast<std::int64_t>(c * 65536.0f);
    const std::int64_t dy = static_cast<std::int64_t>(-s * 65536.0f);
    const std::int64_t limitX = std::int64_t(w) * 65536;
    const std::int64_t limitY = std::int64_t(h) * 65536;
    PackedColor* out = turned->mPixels.get();
    for (int j = 0; j < newHeight; ++j)
    {
        const double rowY = j - newHeight * 0.5;
        std::int64_t sx = static_cast<std::int64_t>(65536.0 * ((w / 2) + s * rowY - c * newWidth * 0.5));
        std::int64_t sy = static_cast<std::int64_t>(65536.0 * ((h / 2) + c * rowY + s * newWidth * 0.5));
        for (int i = 0; i < newWidth; ++i, ++out, sx += dx, sy += dy)
        {
            if (sx < 0 || sy < 0 || sx >= limitX || sy >= limitY)
                continue; // outside the source: stays transparent
            *out = mPixels[std::size_t(sy >> 16) * w + std::size_t(sx >> 16)];
        }
    }
    return turned;
}
} // namespace Corvane
