#include "Platform/Compat/Image/StbImage.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstring>

namespace Compat
{
namespace
{
constexpr std::uint8_t kJpegSignature[] = {0xFF, 0xD8, 0xFF};
constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

template <std::size_t N> bool StartsWith(const std::uint8_t* data, std::size_t size, const std::uint8_t (&prefix)[N])
{
    return size >= N && std::memcmp(data, prefix, N) == 0;
}
} // namespace

std::uint8_t* DecodeStbImage(const std::uint8_t* data, std::size_t size, StbImageFormat format, std::int64_t maxPixels,
                             int& width, int& height)
{
    width = height = 0;
    if (!data || size > std::size_t(INT_MAX))
        return nullptr;
    const bool recognised =
        format == StbImageFormat::Jpeg ? StartsWith(data, size, kJpegSignature) : StartsWith(data, size, kPngSignature);
    if (!recognised)
        return nullptr;

    // The library sizes its buffers from the header, so a damaged header is refused first.
    int w = 0, h = 0, components = 0;
    const int length = static_cast<int>(size);
    if (!stbi_info_from_memory(data, length, &w, &h, &components) || w <= 0 || h <= 0 ||
        std::int64_t(w) * h > maxPixels)
        return nullptr;

    stbi_uc* pixels = stbi_load_from_memory(data, length, &w, &h, &components, 4);
    if (!pixels)
        return nullptr;
    width = w;
    height = h;
    return pixels;
}

void FreeStbImage(std::uint8_t* pixels)
{
    stbi_image_free(pixels);
}
} // namespace Compat
