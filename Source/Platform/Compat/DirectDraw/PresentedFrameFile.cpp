// Presented frames written as PNG files.
#include "Platform/Compat/DirectDraw/PresentedFrame.h"

#include <stb/stb_image_write.h>

namespace Compat
{
bool SavePresentedFrame(const char* path)
{
    return SaveFrame(GetLastPresentedFrame(), path);
}

bool SaveFrame(const PresentedFrame& frame, const char* path)
{
    if (!path || frame.pixels.empty())
        return false;
    // 0xAARRGGBB words to R, G, B, A bytes.
    std::vector<unsigned char> bytes(frame.pixels.size() * 4);
    for (std::size_t i = 0; i < frame.pixels.size(); ++i)
    {
        const std::uint32_t p = frame.pixels[i];
        bytes[i * 4 + 0] = static_cast<unsigned char>(p >> 16);
        bytes[i * 4 + 1] = static_cast<unsigned char>(p >> 8);
        bytes[i * 4 + 2] = static_cast<unsigned char>(p);
        bytes[i * 4 + 3] = static_cast<unsigned char>(p >> 24);
    }
    return stbi_write_png(path, frame.width, frame.height, 4, bytes.data(), frame.width * 4) != 0;
}
} // namespace Compat
