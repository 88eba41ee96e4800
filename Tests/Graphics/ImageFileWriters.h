// Small encoders that build GIF and PNG files byte by byte for the decoder tests, so each test
// states exactly what its file holds (and can damage it on purpose), and the committed fixtures.
#pragma once

#include "Graphics/ColorF.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Corvane::Testing
{
// LZW codes as a GIF stores them: each {code, width in bits}, least significant bit first.
std::string PackGifCodes(const std::vector<std::pair<int, int>>& codes);

// LZW-compresses indices with the given minimum code size. When the table fills, a clear code
// starts it afresh, or with deferredClear the table stays full and coding goes on without one.
std::string EncodeGifLzw(const std::vector<std::uint8_t>& indices, int minimumCodeSize, bool deferredClear = false);

struct GifContent
{
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<PackedColor> globalPalette; // 0x00RRGGBB, a power of 2 entries; empty for none
    bool graphicControl = false;            // write a graphic control extension
    int transparentIndex = -1;              // with graphicControl: -1 leaves the flag clear
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<PackedColor> localPalette; // empty for none
    bool interlaced = false;
    std::vector<std::uint8_t> indices; // width * height, rows top to bottom (reordered when interlaced)
    int minimumCodeSize = -1;          // -1: enough bits for the palette, at least 2
    bool hasLzwData = false;           // use lzwData instead of compressing indices
    std::string lzwData;
    bool deferredClear = false;
};

// A whole GIF89a file (signature, screen, tables, one image, trailer).
std::string EncodeGif(const GifContent& content);
// A width x height GIF of one colour (0x00RRGGBB).
std::string SolidGif(int width, int height, PackedColor color);

// The bytes of a file below Tests/Data/Images ("solid-8x8.jpg", "damaged/valid.gif"); empty when
// it cannot be read.
std::string LoadImageFixture(const std::string& relative);

// An RGBA PNG of width * height 0xAARRGGBB pixels, stored without compression.
std::string EncodePng(int width, int height, const std::vector<PackedColor>& pixels);
} // namespace Corvane::Testing
