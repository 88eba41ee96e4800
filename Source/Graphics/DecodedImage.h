// Pixels fresh from a decoder, on their way into an Image, and the size limit every decoder keeps.
#pragma once

#include "Graphics/ColorF.h"

#include <cstdint>
#include <memory>

namespace Corvane
{
// 8192 x 8192 pixels (256 MiB). A file that claims more has a damaged header: refusing it keeps a
// few bytes of garbage from asking for gigabytes.
constexpr std::int64_t kMaxDecodedPixels = std::int64_t(1) << 26;

struct DecodedImage
{
    std::unique_ptr<PackedColor[]> pixels; // width * height packed 0xAARRGGBB, rows top to bottom
    int width = 0;
    int height = 0;
    bool hasAlpha = false;    // the alpha bytes are meaningful
    bool binaryAlpha = false; // every alpha byte is 0 or 255

    explicit operator bool() const { return pixels != nullptr; }
};
} // namespace Corvane
