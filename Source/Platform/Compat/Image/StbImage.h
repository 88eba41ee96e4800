// The JPEG and PNG decoders of the stb_image library, reached only through here so that no engine
// file sees the library's header. Any thread: the library keeps its failure text per thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Compat
{
enum class StbImageFormat
{
    Jpeg,
    Png,
};

// Decodes a whole JPEG or PNG file held in memory into 8-bit red, green, blue, alpha quadruples
// (alpha 255 where the file has none), rows top to bottom. The bytes must carry the signature of
// format: a file of another kind is not decoded, even one the library could read. A header that
// claims more than maxPixels pixels is refused before anything is allocated for it. Returns null
// on any failure; otherwise the caller frees the result with FreeStbImage.
std::uint8_t* DecodeStbImage(const std::uint8_t* data, std::size_t size, StbImageFormat format, std::int64_t maxPixels,
                             int& width, int& height);
void FreeStbImage(std::uint8_t* pixels);
} // namespace Compat
