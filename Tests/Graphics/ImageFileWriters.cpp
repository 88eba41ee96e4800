#include "ImageFileWriters.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace Corvane::Testing
{
namespace
{
void Put16(std::string& out, int value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void PutBig32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

int BitsFor(std::size_t entries)
{
    int bits = 1;
    while ((std::size_t(1) << bits) < entries)
        ++bits;
    return bits;
}

void PutColorTable(std::string& out, const std::vector<PackedColor>& palette)
{
    for (PackedColor c : palette)
    {
        out += static_cast<char>((c >> 16) & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
        out += static_cast<char>(c & 0xFF);
    }
}

// The rows of an interlaced image in the order the file stores them.
std::vector<std::uint8_t> Interlace(const std::vector<std::uint8_t>& indices, int width, int height)
{
    std::vector<std::uint8_t> out;
    const int start[] = {0, 4, 2, 1};
    const int step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int row = start[pass]; row < height; row += step[pass])
            out.insert(out.end(), indices.begin() + row * width, indices.begin() + (row + 1) * width);
    return out;
}

std::uint32_t Crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
    {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    PutBig32(out, Crc32(body));
}
} // namespace

std::string PackGifCodes(const std::vector<std::pair<int, int>>& codes)
{
    std::string out;
    std::uint32_t bits = 0;
    int count = 0;
    for (const auto& [code, width] : codes)
    {
        bits |= std::uint32_t(code) << count;
        count += width;
        while (count >= 8)
        {
            out += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        out += static_cast<char>(bits & 0xFF);
    return out;
}

std::string EncodeGifLzw(const std::vector<std::uint8_t>& indices, int minimumCodeSize, bool deferredClear)
{
    const int clear = 1 << minimumCodeSize;
    std::vector<std::pair<int, int>> codes;
    std::map<std::pair<int, int>, int> table;
    int next = clear + 2;
    int emitted = 0; // codes since the last clear
    // The width the decoder reads this code with: it adds an entry for every code but the first
    // after a clear, before growing.
    auto emit = [&](int code) {
        const int decoderNext = std::min(4096, clear + 2 + std::max(0, emitted - 1));
        int width = minimumCodeSize + 1;
        while (width < 12 && decoderNext >= (1 << width))
            ++width;
        codes.emplace_back(code, width);
        ++emitted;
    };
    auto reset = [&] {
        emit(clear);
        table.clear();
        next = clear + 2;
        emitted = 0;
    };
    reset();
    if (!indices.empty())
    {
        int current = indices[0];
        for (std::size_t i = 1; i < indices.size(); ++i)
        {
            const auto key = std::make_pair(current, int(indices[i]));
            const auto found = table.find(key);
            if (found != table.end())
            {
                current = found->second;
                continue;
            }
            emit(current);
            if (next < 4096)
                table[key] = next++;
            if (next == 4096 && !deferredClear)
                reset();
            current = indices[i];
        }
        emit(current);
    }
    emit(clear + 1);
    return PackGifCodes(codes);
}

std::string EncodeGif(const GifContent& content)
{
    std::string out = "GIF89a";
    Put16(out, content.screenWidth);
    Put16(out, content.screenHeight);
    const int globalBits = BitsFor(std::max<std::size_t>(content.globalPalette.size(), 2));
    out += static_cast<char>(content.globalPalette.empty() ? 0 : (0x80 | (globalBits - 1)));
    out += '\0'; // background
    out += '\0'; // aspect
    PutColorTable(out, content.globalPalette);

    if (content.graphicControl)
    {
        out += "\x21\xF9\x04";
        out += static_cast<char>(content.transparentIndex >= 0 ? 1 : 0);
        Put16(out, 10);
        out += static_cast<char>(std::max(content.transparentIndex, 0));
        out += '\0';
    }

    out += '\x2C';
    Put16(out, content.left);
    Put16(out, content.top);
    Put16(out, content.width);
    Put16(out, content.height);
    const int localBits = BitsFor(std::max<std::size_t>(content.localPalette.size(), 2));
    int packed = content.interlaced ? 0x40 : 0;
    if (!content.localPalette.empty())
        packed |= 0x80 | (localBits - 1);
    out += static_cast<char>(packed);
    PutColorTable(out, content.localPalette);

    const int paletteBits = content.localPalette.empty() ? (content.globalPalette.empty() ? 8 : globalBits) : localBits;
    const int codeSize = content.minimumCodeSize >= 0 ? content.minimumCodeSize : std::max(2, paletteBits);
    out += static_cast<char>(codeSize);
    const std::string lzw =
        content.hasLzwData ? content.lzwData
                           : EncodeGifLzw(content.interlaced ? Interlace(content.indices, content.width, content.height)
                                                             : content.indices,
                                          codeSize, content.deferredClear);
    for (std::size_t at = 0; at < lzw.size(); at += 255)
    {
        const std::size_t n = std::min<std::size_t>(255, lzw.size() - at);
        out += static_cast<char>(n);
        out += lzw.substr(at, n);
    }
    out += '\0';
    out += '\x3B';
    return out;
}

std::string SolidGif(int width, int height, PackedColor color)
{
    GifContent content;
    content.screenWidth = content.width = width;
    content.screenHeight = content.height = height;
    content.globalPalette = {color, 0};
    content.indices.assign(std::size_t(width) * std::size_t(height), 0);
    return EncodeGif(content);
}

std::string LoadImageFixture(const std::string& relative)
{
    std::ifstream file(std::filesystem::path(CORVANE_TEST_DATA) / "Images" / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string EncodePng(int width, int height, const std::vector<PackedColor>& pixels)
{
    std::string raw;
    for (int y = 0; y < height; ++y)
    {
        raw += '\0'; // no filter
        for (int x = 0; x < width; ++x)
        {
            const PackedColor p = pixels[std::size_t(y) * width + x];
            raw += static_cast<char>((p >> 16) & 0xFF);
            raw += static_cast<char>((p >> 8) & 0xFF);
            raw += static_cast<char>(p & 0xFF);
            raw += static_cast<char>(p >> 24);
        }
    }
    // zlib with stored blocks.
    std::string zlib = "\x78\x01";
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw)
    {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t at = 0; at == 0 || at < raw.size(); at += 65535)
    {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        zlib += static_cast<char>(at + n >= raw.size() ? 1 : 0);
        Put16(zlib, static_cast<int>(n));
        Put16(zlib, static_cast<int>(~n & 0xFFFF));
        zlib += raw.substr(at, n);
    }
    PutBig32(zlib, (b << 16) | a);

    std::string ihdr;
    PutBig32(ihdr, static_cast<std::uint32_t>(width));
    PutBig32(ihdr, static_cast<std::uint32_t>(height));
    ihdr += std::string("\x08\x06\x00\x00\x00", 5);
    std::string out = "\x89PNG\r\n\x1A\n";
    PutChunk(out, "IHDR", ihdr);
    PutChunk(out, "IDAT", zlib);
    PutChunk(out, "IEND", "");
    return out;
}
} // namespace Corvane::Testing
