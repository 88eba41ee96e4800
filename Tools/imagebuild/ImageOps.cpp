#include "ImageOps.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace Corvane::ImageBuild
{
Picture ReadPicture(const std::string& path)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(stbi_load(path.c_str(), &width, &height, &channels, 4),
                                                     stbi_image_free);
    if (!pixels)
        throw std::runtime_error(path + ": cannot be read (" + (stbi_failure_reason() ? stbi_failure_reason() : "?") +
                                 ")");
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgba.assign(pixels.get(), pixels.get() + std::size_t(width) * height * 4);
    return picture;
}

void WritePng(const Picture& picture, const std::string& path)
{
    if (!stbi_write_png(path.c_str(), picture.width, picture.height, 4, picture.rgba.data(), picture.width * 4))
        throw std::runtime_error(path + ": cannot be written");
}

void WriteJpeg(const Picture& picture, const std::string& path, int quality)
{
    std::vector<std::uint8_t> rgb(std::size_t(picture.width) * picture.height * 3);
    for (std::size_t i = 0, n = std::size_t(picture.width) * picture.height; i < n; ++i)
        std::memcpy(&rgb[i * 3], &picture.rgba[i * 4], 3);
    if (!stbi_write_jpg(path.c_str(), picture.width, picture.height, 3, rgb.data(), quality))
        throw std::runtime_error(path + ": cannot be written");
}

void WriteMask(const Picture& picture, const std::string& path)
{
    std::vector<std::uint8_t> grey(std::size_t(picture.width) * picture.height);
    for (std::size_t i = 0; i < grey.size(); ++i)
        grey[i] = picture.rgba[i * 4 + 3];
    if (!stbi_write_png(path.c_str(), picture.width, picture.height, 1, grey.data(), picture.width))
        throw std::runtime_error(path + ": cannot be written");
}

Picture JoinFrames(const std::vector<Picture>& frames, int columns)
{
    if (frames.empty())
        throw std::runtime_error("a strip needs at least one frame");
    const int count = static_cast<int>(frames.size());
    if (columns <= 0 || columns > count)
        columns = count;
    const int rows = (count + columns - 1) / columns;
    const int cellWidth = frames[0].width;
    const int cellHeight = frames[0].height;
    Picture strip;
    strip.width = cellWidth * columns;
    strip.height = cellHeight * rows;
    strip.rgba.assign(std::size_t(strip.width) * strip.height * 4, 0);
    for (int i = 0; i < count; ++i)
    {
        const Picture& frame = frames[i];
        if (frame.width != cellWidth || frame.height != cellHeight)
            throw std::runtime_error("frame " + std::to_string(i + 1) + " is " + std::to_string(frame.width) + "x" +
                                     std::to_string(frame.height) + ", the first is " + std::to_string(cellWidth) +
                                     "x" + std::to_string(cellHeight) + ": a strip's cells are all one size");
        const int left = (i % columns) * cellWidth;
        const int top = (i / columns) * cellHeight;
        for (int y = 0; y < cellHeight; ++y)
            std::memcpy(strip.At(left, top + y), frame.At(0, y), std::size_t(cellWidth) * 4);
    }
    return strip;
}

bool HasTransparency(const Picture& picture)
{
    for (std::size_t i = 3; i < picture.rgba.size(); i += 4)
        if (picture.rgba[i] != 255)
            return true;
    return false;
}

Picture FlattenForJpeg(const Picture& picture)
{
    double sum[3] = {0, 0, 0};
    std::size_t opaque = 0;
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4)
    {
        if (picture.rgba[i + 3] != 255)
            continue;
        for (int c = 0; c < 3; ++c)
            sum[c] += picture.rgba[i + c];
        ++opaque;
    }
    std::uint8_t matte[3] = {128, 128, 128};
    if (opaque > 0)
        for (int c = 0; c < 3; ++c)
            matte[c] = static_cast<std::uint8_t>(sum[c] / double(opaque) + 0.5);

    Picture flat = picture;
    for (std::size_t i = 0; i < flat.rgba.size(); i += 4)
    {
        // rsvg-convert writes straight (not premultiplied) colour, so the blend is the usual one.
        const int alpha = flat.rgba[i + 3];
        for (int c = 0; c < 3; ++c)
            flat.rgba[i + c] =
                static_cast<std::uint8_t>((flat.rgba[i + c] * alpha + matte[c] * (255 - alpha) + 127) / 255);
        flat.rgba[i + 3] = 255;
    }
    return flat;
}
} // namespace Corvane::ImageBuild
