// The engine's own GIF decoder (GIF87a and GIF89a). Only the first image of a file is used: the
// game's GIFs are stills, and animation comes from image lists.
//
// Files may be damaged or hand-edited, so nothing here trusts a size: an image that is smaller or
// larger than the logical screen, or offset on it, is placed on the screen and clipped to it; a
// code that refers to no string, or data that ends early, stops the decode; and every screen
// pixel that no decoded index reached is transparent. Any thread: each decode has its own tables.
#pragma once

#include "Graphics/ColorF.h"
#include "Stream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Corvane
{
// One decoded image of a GIF file: its colour indices and how to read them.
struct GifFrame
{
    int width = 0;
    int height = 0;
    int bits = 8;                            // colour-table size in bits, 1 to 8
    std::unique_ptr<std::uint8_t[]> indices; // one byte per pixel, rows stride bytes apart
    int stride = 0;                          // width rounded up to a multiple of 4
    std::array<PackedColor, 256> palette{};  // 0x00RRGGBB; the local table when the image has one
    int transparentIndex = -1;               // -1 for none
    int left = 0;
    int top = 0;
    int delay = 0;         // milliseconds
    bool disposal = false; // the file asks for a disposal method other than 0
    bool interlaced = false;
    std::size_t decodedPixels = 0; // pixels the LZW data filled, counted in the order they arrive

    int GetPaletteSize() const { return 1 << bits; }
    // How many leading pixels of row y (0 = top) the data reached; rows arrive in pass order when
    // the image is interlaced.
    std::vector<int> GetFilledPixelsPerRow() const;
};

// Minimum code sizes the LZW decoder accepts: codes of at most 12 bits.
constexpr bool IsValidGifCodeSize(int minimumCodeSize)
{
    return minimumCodeSize >= 1 && minimumCodeSize <= 11;
}

// Decodes the variable-length-code LZW data of one image (size bytes) into frame.indices,
// following frame.width, height, stride and interlaced, and sets frame.decodedPixels. Stops at the
// end code, when every pixel is filled, at a code that names no string yet, or where the data
// ends. Returns the bits consumed, or 0 when minimumCodeSize is invalid or there was no code.
unsigned DecodeGifLzw(const std::uint8_t* data, std::size_t size, GifFrame& frame, int minimumCodeSize);

class GifDecoder
{
public:
    GifDecoder() = default;
    GifDecoder(const GifDecoder&) = delete;
    GifDecoder& operator=(const GifDecoder&) = delete;

    // Reads size bytes of a GIF file up to its first image. False when the signature is wrong,
    // the file has no image or the image cannot be decoded at all.
    bool Read(const std::uint8_t* data, std::size_t size);

    int GetScreenWidth() const { return mScreenWidth; }
    int GetScreenHeight() const { return mScreenHeight; }
    const std::vector<std::unique_ptr<GifFrame>>& GetFrames() const { return mFrames; }

private:
    int mScreenWidth = 0;
    int mScreenHeight = 0;
    std::vector<std::unique_ptr<GifFrame>> mFrames;
};

// Decodes the first image of a GIF stream onto its logical screen. Colour mode: 0xAARRGGBB with
// alpha 0 for the transparent index and for every pixel the image did not reach, 255 otherwise.
// Mask mode: opaque grey pixels whose every channel is (red + green + blue) / 3 of the colour, 0
// where the image did not reach. width and height are the screen's (the image's extent when the
// screen is empty); hasTransparency tells whether any pixel is transparent or may be; frameCount
// is the number of images decoded (0 or 1). Null when nothing could be decoded.
std::unique_ptr<PackedColor[]> DecodeGif(IStream& stream, bool maskMode, int& width, int& height, bool& hasTransparency,
                                         int& frameCount);
} // namespace Corvane
