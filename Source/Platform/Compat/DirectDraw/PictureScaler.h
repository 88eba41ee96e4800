// Scales a display mode's picture to the screen area that shows it. Bilinear: each target pixel
// mixes the four source pixels around the point under its centre, the same smoothing SDL's and
// pixman's stretches give a picture shown larger than its pixels (text stays legible, without the
// uneven steps of a nearest-pixel stretch). Pixels are 32-bit with red, green and blue in the low
// three bytes; the top byte is ignored and written as 0xFF.
// Horizontal first: each source row that is needed is stretched once into a line of 16-bit
// channels (weights in 1/64ths), and every target row mixes two such lines (weights in 1/128ths).
// Internal to the layer; one thread at a time.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDrawTypes.h"

#include <cstdint>
#include <vector>

namespace Compat
{
class PictureScaler
{
public:
    // From sourceWidth x sourceHeight to targetWidth x targetHeight; every size at least 1.
    PictureScaler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);

    int SourceWidth() const { return mSourceWidth; }
    int SourceHeight() const { return mSourceHeight; }
    int TargetWidth() const { return static_cast<int>(mColumns.index.size()); }
    int TargetHeight() const { return static_cast<int>(mRows.index.size()); }

    // Writes area (target pixels) of target from source; pitches in bytes.
    void Scale(const std::uint8_t* source, int sourcePitch, std::uint8_t* target, int targetPitch, const RECT& area);
    // The target pixels whose value depends on any source pixel of changed (source pixels).
    RECT TargetOf(const RECT& changed) const;

    // The plain loops alone, as on a processor without SSE2 (the vector loops give the same pixels).
    void UsePlainLoops() { mPlain = true; }

    // Where each target column or row reads: the source pixel at index and, with weight (out of
    // 1 << bits) the next one; weight 0 reads the first alone. With pairs every tap has a next
    // pixel (the last pixel is read as the second of a pair).
    struct Taps
    {
        Taps(int source, int target, int bits, bool pairs);
        std::vector<int> index;
        std::vector<int> weight;
    };

private:
    // The line of source row y over target columns [left, right), made unless it is held; the
    // line of row keep stays.
    const std::uint16_t* Line(const std::uint8_t* source, int sourcePitch, int y, int keep, int left, int right);

    int mSourceWidth;
    int mSourceHeight;
    Taps mColumns;
    Taps mRows;
    // For the vector loops, per four target columns from 0 to mShuffledEnd: the byte order that
    // pairs the channels of each column's two source pixels within 16 bytes read at the index of
    // the first and third column, and their weights as bytes.
    std::vector<std::uint8_t> mShuffles;
    std::vector<std::int8_t> mByteWeights;
    int mShuffledEnd = 0;
    bool mPlain = false;
    // Two lines (4 channels of 16 bits per target column) and the source rows they hold.
    std::vector<std::uint16_t> mLines[2];
    int mLineRow[2] = {-1, -1};
};
} // namespace Compat
