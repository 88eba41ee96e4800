#include "Graphics/GifDecoder.h"

#include "Graphics/DecodedImage.h"
#include "StreamUtil.h"

#include <algorithm>
#include <cstring>

namespace Corvane
{
namespace
{
constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImageDescriptor = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kGraphicControl = 0xF9;

// Bounds-checked little-endian reads over the file's bytes.
class ByteReader
{
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : mData(data), mLeft(size) {}

    bool Byte(std::uint8_t& value) { return Bytes(&value, 1); }
    bool Bytes(std::uint8_t* out, std::size_t count)
    {
        if (count > mLeft)
            return false;
        if (count > 0)
            std::memcpy(out, mData, count);
        mData += count;
        mLeft -= count;
        return true;
    }

    // Data sub-blocks (a size byte, that many bytes, until a size of 0), appended to out or
    // skipped when out is null. A file that ends inside them gives what was there.
    void SubBlocks(std::vector<std::uint8_t>* out)
    {
        std::uint8_t size = 0;
        while (Byte(size) && size > 0)
        {
            const std::size_t n = std::min<std::size_t>(size, mLeft);
            if (out)
                out->insert(out->end(), mData, mData + n);
            mData += n;
            mLeft -= n;
        }
    }

private:
    const std::uint8_t* mData;
    std::size_t mLeft;
};

int Little16(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8);
}

// A colour table of 2^bits {red, green, blue} entries; entries the file lacks stay black.
void ReadColorTable(ByteReader& reader, int bits, std::array<PackedColor, 256>& palette)
{
    palette.fill(0);
    std::uint8_t rgb[3];
    for (int i = 0; i < (1 << bits) && reader.Bytes(rgb, 3); ++i)
        palette[std::size_t(i)] = (PackedColor(rgb[0]) << 16) | (PackedColor(rgb[1]) << 8) | rgb[2];
}

// What a graphic control extension says about the image after it.
struct GraphicControl
{
    int transparentIndex = -1;
    int delay = 0;
    bool disposal = false;
};

void ReadGraphicControl(ByteReader& reader, GraphicControl& control)
{
    std::uint8_t size = 0;
    std::uint8_t block[255];
    if (!reader.Byte(size) || !reader.Bytes(block, size))
        return;
    if (size >= 4)
    {
        control.disposal = ((block[0] >> 2) & 7) != 0;
        control.delay = Little16(block + 1) * 10;
        control.transparentIndex = (block[0] & 1) ? block[3] : -1;
    }
    reader.SubBlocks(nullptr);
}

// The colour of every possible index: masked into the table, opaque unless it is the
// transparent one; in mask mode the grey level as an opaque grey.
std::array<PackedColor, 256> MakeLookup(const GifFrame& frame, bool maskMode)
{
    std::array<PackedColor, 256> lookup;
    const int mask = frame.GetPaletteSize() - 1;
    for (int i = 0; i < 256; ++i)
    {
        const PackedColor color = frame.palette[std::size_t(i & mask)];
        if (maskMode)
        {
            const PackedColor grey = (((color >> 16) & 0xFF) + ((color >> 8) & 0xFF) + (color & 0xFF)) / 3;
            lookup[std::size_t(i)] = 0xFF000000u | grey * 0x010101u;
        }
        else
        {
            lookup[std::size_t(i)] = i == frame.transparentIndex ? color : (color | 0xFF000000u);
        }
    }
    return lookup;
}
} // namespace

bool GifDecoder::Read(const std::uint8_t* data, std::size_t size)
{
    mScreenWidth = mScreenHeight = 0;
    mFrames.clear();
    ByteReader reader(data, size);
    std::uint8_t header[13];
    if (!reader.Bytes(header, sizeof header) ||
        (std::memcmp(header, "GIF87a", 6) != 0 && std::memcmp(header, "GIF89a", 6) != 0))
        return false;
    mScreenWidth = Little16(header + 6);
    mScreenHeight = Little16(header + 8);

    std::array<PackedColor, 256> globalPalette;
    int globalBits = 8;
    if (header[10] & 0x80)
    {
        globalBits = (header[10] & 7) + 1;
        ReadColorTable(reader, globalBits, globalPalette);
    }
    else
    {
        for (PackedColor i = 0; i < 256; ++i)
            globalPalette[i] = i * 0x010101u;
    }

    GraphicControl control;
    std::uint8_t introducer = 0;
    while (reader.Byte(introducer) && introducer != kTrailer)
    {
        if (introducer == kExtension)
        {
            std::uint8_t label = 0;
            if (!reader.Byte(label))
                return false;
            if (label == kGraphicControl)
                ReadGraphicControl(reader, control);
            else
                reader.SubBlocks(nullptr);
            continue;
        }
        if (introducer != kImageDescriptor)
            continue; // stray bytes between blocks are passed over

        std::uint8_t descriptor[9];
        std::uint8_t codeSize = 0;
        if (!reader.Bytes(descriptor, sizeof descriptor))
            return false;
        auto frame = std::make_unique<GifFrame>();
        frame->left = Little16(descriptor);
        frame->top = Little16(descriptor + 2);
        frame->width = Little16(descriptor + 4);
        frame->height = Little16(descriptor + 6);
        frame->interlaced = (descriptor[8] & 0x40) != 0;
        frame->transparentIndex = control.transparentIndex;
        frame->delay = control.delay;
        frame->disposal = control.disposal;
        if (descriptor[8] & 0x80)
        {
            frame->bits = (descriptor[8] & 7) + 1;
            ReadColorTable(reader, frame->bits, frame->palette);
        }
        else
        {
            frame->bits = globalBits;
            frame->palette = globalPalette;
        }
        if (!reader.Byte(codeSize) || std::int64_t(frame->width) * frame->height > kMaxDecodedPixels)
            return false;
        std::vector<std::uint8_t> lzw;
        reader.SubBlocks(&lzw);

        frame->stride = (frame->width + 3) & ~3;
        frame->indices.reset(new std::uint8_t[std::size_t(frame->stride) * std::size_t(frame->height)]);
        if (DecodeGifLzw(lzw.data(), lzw.size(), *frame, codeSize) == 0)
            return false;
        mFrames.push_back(std::move(frame));
        return true; // only the first image is used
    }
    return false;
}

std::unique_ptr<PackedColor[]> DecodeGif(IStream& stream, bool maskMode, int& width, int& height, bool& hasTransparency,
                                         int& frameCount)
{
    width = height = frameCount = 0;
    hasTransparency = false;
    std::vector<std::uint8_t> storage;
    const StreamBytes bytes = ReadAllBytes(stream, storage);
    GifDecoder decoder;
    const bool decoded = decoder.Read(bytes.data, bytes.size);
    width = decoder.GetScreenWidth();
    height = decoder.GetScreenHeight();
    if (!decoded)
        return nullptr;

    // The image is placed on the logical screen at its offset and clipped to it.
    const GifFrame& frame = *decoder.GetFrames().front();
    if (width == 0 || height == 0)
    {
        width = frame.left + frame.width;
        height = frame.top + frame.height;
    }
    const std::int64_t count = std::int64_t(width) * height;
    if (count == 0 || count > kMaxDecodedPixels)
        return nullptr;
    frameCount = 1;

    const std::array<PackedColor, 256> lookup = MakeLookup(frame, maskMode);
    const std::vector<int> filled = frame.GetFilledPixelsPerRow();
    std::unique_ptr<PackedColor[]> pixels(new PackedColor[std::size_t(count)]);
    std::int64_t covered = 0;
    for (int y = 0; y < height; ++y)
    {
        PackedColor* row = pixels.get() + std::size_t(y) * std::size_t(width);
        const int frameRow = y - frame.top;
        int from = 0, to = 0;
        if (frameRow >= 0 && frameRow < frame.height)
        {
            from = std::min(frame.left, width);
            to = std::min(frame.left + filled[std::size_t(frameRow)], width);
            const std::uint8_t* indices = frame.indices.get() + std::size_t(frameRow) * std::size_t(frame.stride);
            for (int x = from; x < to; ++x)
                row[x] = lookup[indices[x - frame.left]];
            covered += to - from;
        }
        std::fill(row, row + from, PackedColor(0));
        std::fill(row + to, row + width, PackedColor(0));
    }
    hasTransparency = frame.transparentIndex >= 0 || covered < count;
    return pixels;
}
} // namespace Corvane
