// The JPEG and PNG decoders (stb_image, through the platform layer) and the alpha mask. Pixel
// buffers belong to the caller. Nothing here throws: a failure is a null result.
#pragma once

#include "Graphics/ColorF.h"
#include "Stream.h"

#include <cstddef>
#include <memory>

namespace Corvane
{
// Decode the rest of the stream as one JPEG or PNG file into packed 0xAARRGGBB pixels (opaque
// where the file has no alpha). Null when the stream is short of its size, the bytes are not such
// a file or they claim a huge size. A PNG that fails is reported on the debug output.
std::unique_ptr<PackedColor[]> DecodeJpeg(IStream& stream, int& width, int& height);
std::unique_ptr<PackedColor[]> DecodePng(IStream& stream, int& width, int& height);

// Sets the alpha byte of each of count pixels to the lowest byte (blue) of the mask pixel at the
// same place; for a grey mask that is its grey level.
void ApplyAlphaMask(PackedColor* pixels, const PackedColor* mask, std::size_t count);
} // namespace Corvane
