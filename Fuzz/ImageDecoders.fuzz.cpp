// Feeds arbitrary bytes to the three image decoders. Beyond "no crash, no hang, no read or write
// out of bounds": a decoded image has a size within the limit, the GIF decoder's colour and mask
// modes agree on whether and how large it decodes, and a GIF said to have no transparency has
// only opaque pixels (pixels its data never reached must be transparent and reported).
#include "Graphics/ImageDecoders.h"
#include "Graphics/DecodedImage.h"
#include "Graphics/GifDecoder.h"
#include "MemoryStream.h"
#include "Platform/Compat/Kernel/DebugOutput.h"

#include <cstdint>
#include <cstdlib>

using namespace Corvane;

namespace
{
MemoryStream MakeStream(const uint8_t* data, size_t size)
{
    MemoryStream stream(L"fuzz");
    stream.Write(data, static_cast<unsigned>(size));
    stream.Seek(IStream::kFromStart, 0);
    return stream;
}

void CheckSize(const std::unique_ptr<PackedColor[]>& pixels, int width, int height)
{
    if (pixels && (width <= 0 || height <= 0 || std::int64_t(width) * height > kMaxDecodedPixels))
        std::abort();
}

// A GIF whose logical screen is larger than a million pixels takes the same path as a small one
// but spends its time filling hundreds of megabytes; skipping it keeps the search fast. (The size
// limit itself is covered by the damaged-file corpus.)
bool HasHugeScreen(const uint8_t* data, size_t size)
{
    if (size < 10)
        return false;
    const std::int64_t width = data[6] | (data[7] << 8);
    const std::int64_t height = data[8] | (data[9] << 8);
    return width * height > (1 << 20);
}

void FuzzGif(const uint8_t* data, size_t size)
{
    if (HasHugeScreen(data, size))
        return;
    int width = 0, height = 0, frames = 0;
    bool transparent = false;
    MemoryStream colorStream = MakeStream(data, size);
    const auto color = DecodeGif(colorStream, false, width, height, transparent, frames);
    CheckSize(color, width, height);
    if (color && frames != 1)
        std::abort();
    if (color && !transparent)
    {
        for (std::size_t i = 0, n = std::size_t(width) * std::size_t(height); i < n; ++i)
            if ((color[i] >> 24) != 0xFF)
                std::abort();
    }

    int maskWidth = 0, maskHeight = 0, maskFrames = 0;
    bool maskTransparent = false;
    MemoryStream maskStream = MakeStream(data, size);
    const auto mask = DecodeGif(maskStream, true, maskWidth, maskHeight, maskTransparent, maskFrames);
    CheckSize(mask, maskWidth, maskHeight);
    if (bool(mask) != bool(color) || maskWidth != width || maskHeight != height)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The PNG decoder reports every failure; thousands a second would only slow the search.
    SetDebugOutputSink([](const char*) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzGif(data, size);
    // Decoded first: the size is read only once the decoder has set it.
    int width = 0, height = 0;
    MemoryStream jpegStream = MakeStream(data, size);
    const auto jpeg = DecodeJpeg(jpegStream, width, height);
    CheckSize(jpeg, width, height);
    MemoryStream pngStream = MakeStream(data, size);
    const auto png = DecodePng(pngStream, width, height);
    CheckSize(png, width, height);
    return 0;
}
