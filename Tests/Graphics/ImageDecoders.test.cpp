#include "Graphics/ImageDecoders.h"
#include "ImageFileWriters.h"
#include "MemoryStream.h"
#include "Support/DebugCapture.h"
#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Corvane;

namespace
{
// A stream that cannot lend its bytes, hands them out a few at a time and may claim more than it has.
class TrickleStream : public IStream
{
public:
    TrickleStream(std::string bytes, std::uint32_t claimedSize) : mBytes(std::move(bytes)), mClaimed(claimedSize) {}
    std::wstring& GetName(std::wstring& out) override { return out = L"trickle.png"; }
    unsigned GetCapabilities() override { return kCanRead; }
    std::uint32_t GetSize() override { return mClaimed; }
    bool IsEOF() override { return mPosition >= mBytes.size(); }
    unsigned Read(void* buffer, unsigned count) override
    {
        const std::size_t n = std::min<std::size_t>({count, 7, mBytes.size() - mPosition});
        std::memcpy(buffer, mBytes.data() + mPosition, n);
        mPosition += n;
        return static_cast<unsigned>(n);
    }
    unsigned ReadOptimized(const void**, unsigned) override { return 0; }
    unsigned Write(const void*, unsigned) override { return 0; }
    void Seek(int, std::int64_t) override {}
    std::uint32_t Tell() override { return static_cast<std::uint32_t>(mPosition); }

private:
    std::string mBytes;
    std::uint32_t mClaimed;
    std::size_t mPosition = 0;
};

bool Near(PackedColor a, PackedColor b, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}
} // namespace

TEST(ImageDecoders, PngKeepsEveryChannelExactly)
{
    const std::vector<PackedColor> pixels = {0xFF102030, 0x80FFFFFF, 0x00000000, 0x7F00FF00, 0x01234567, 0xFEDCBA98};
    MemoryStream stream(L"three-by-two.png");
    Testing::Fill(stream, Testing::EncodePng(3, 2, pixels));
    int width = 0, height = 0;
    const auto decoded = DecodePng(stream, width, height);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(std::vector<PackedColor>(decoded.get(), decoded.get() + 6), pixels);

    // The same file read a few bytes at a time from a stream that cannot lend them.
    const std::string file = Testing::EncodePng(3, 2, pixels);
    TrickleStream trickle(file, static_cast<std::uint32_t>(file.size()));
    const auto again = DecodePng(trickle, width, height);
    ASSERT_TRUE(again);
    EXPECT_EQ(std::vector<PackedColor>(again.get(), again.get() + 6), pixels);
}

TEST(ImageDecoders, JpegIsOpaque)
{
    MemoryStream stream(L"solid-8x8.jpg");
    Testing::Fill(stream, Testing::LoadImageFixture("solid-8x8.jpg"));
    int width = 0, height = 0;
    const auto decoded = DecodeJpeg(stream, width, height);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(width, 8);
    EXPECT_EQ(height, 8);
    for (int i = 0; i < 64; ++i)
        EXPECT_TRUE(Near(decoded[i], 0xFFC83214, 3)) << std::hex << decoded[i];
}

TEST(ImageDecoders, FailuresAreNullAndOnlyPngSaysSo)
{
    Testing::DebugCapture capture;
    int width = 7, height = 7;
    const std::string png = Testing::EncodePng(2, 2, std::vector<PackedColor>(4, 0xFFFFFFFF));

    // A stream that arrives short of its size is not decoded.
    TrickleStream short_(png, static_cast<std::uint32_t>(png.size() + 10));
    EXPECT_FALSE(DecodePng(short_, width, height));
    EXPECT_EQ(width, 0);
    EXPECT_EQ(capture.Text(), "PNGLoader: Failed to load file: trickle.png\r\n");

    capture.Clear();
    MemoryStream notJpeg(L"not.jpg");
    Testing::Fill(notJpeg, png);
    EXPECT_FALSE(DecodeJpeg(notJpeg, width, height));
    EXPECT_EQ(capture.Text(), "");
}

TEST(ImageDecoders, AlphaMaskTakesTheLowestByte)
{
    std::vector<PackedColor> pixels = {0xFF112233, 0x00445566, 0x80778899};
    const std::vector<PackedColor> mask = {0xFF0000FF, 0x12345680, 0xFFFFFF00};
    ApplyAlphaMask(pixels.data(), mask.data(), pixels.size());
    EXPECT_EQ(pixels, (std::vector<PackedColor>{0xFF112233, 0x80445566, 0x00778899}));
}
