// The picture steps that rsvg-convert does not do: joining rendered frames into one strip and
// storing a picture as JPEG with its alpha in a separate mask, the two forms the engine's image
// loader reads besides plain PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Corvane::ImageBuild
{
// 8-bit RGBA pixels, rows top to bottom.
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    std::uint8_t* At(int x, int y) { return &rgba[(std::size_t(y) * width + x) * 4]; }
    const std::uint8_t* At(int x, int y) const { return &rgba[(std::size_t(y) * width + x) * 4]; }
};

// Throws std::runtime_error naming the file when it cannot be read or written.
Picture ReadPicture(const std::string& path);
void WritePng(const Picture& picture, const std::string& path);
// Colour only; alpha is dropped.
void WriteJpeg(const Picture& picture, const std::string& path, int quality);
// A grey PNG whose every channel is the picture's alpha, as the loader's "_mask" files are read.
void WriteMask(const Picture& picture, const std::string& path);

// Frames laid out left to right, top to bottom in rows of columns cells (0: all in one row).
// Every frame must have the first one's size: the engine cuts strips into equal cells.
Picture JoinFrames(const std::vector<Picture>& frames, int columns);

// True when some pixel is not fully opaque.
bool HasTransparency(const Picture& picture);

// The colour a JPEG keeps of a partly transparent pixel: blended over the average colour of the
// opaque pixels, so soft edges do not bleed black or white once the mask is applied.
Picture FlattenForJpeg(const Picture& picture);
} // namespace Corvane::ImageBuild
