// The 16-bit screen formats both ways, block loops against the per-pixel rules: the renderer's
// frame into each layout, and every 16-bit value of each layout back into what the window shows.
#include "Platform/Win32/FrameConversion.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PixelFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace Corvane;

namespace
{
struct Layout
{
    SixteenBitLayout layout;
    std::uint32_t red, green, blue;
};

constexpr Layout kLayouts[] = {{SixteenBitLayout::Rgb555, 0x7C00, 0x03E0, 0x001F},
                               {SixteenBitLayout::Rgb655, 0xFC00, 0x03E0, 0x001F},
                               {SixteenBitLayout::Rgb565, 0xF800, 0x07E0, 0x001F},
                               {SixteenBitLayout::Rgb556, 0xF800, 0x07C0, 0x003F}};

// A channel of a 16-bit value scaled to 8 bits, rounded to nearest.
std::uint32_t Widened(std::uint32_t value, std::uint32_t mask)
{
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const std::uint32_t most = mask >> shift;
    return (((value & mask) >> shift) * 255 + most / 2) / most;
}
} // namespace

TEST(FrameConversion, SixteenBitRowsMatchThePixelRulesBothWays)
{
    std::mt19937 random(16);
    // Rows of odd lengths, so that the blocks of eight meet their tails.
    std::vector<PackedColor> frame(65536 + 5);
    for (PackedColor& pixel : frame)
        pixel = PackedColor(random());
    for (const Layout& layout : kLayouts)
    {
        SCOPED_TRACE(int(layout.layout));
        std::vector<std::uint8_t> screen(frame.size() * 2);
        ConvertFrameRow(frame.data(), int(frame.size()), 16, layout.layout, screen.data());
        for (std::size_t x = 0; x < frame.size(); ++x)
        {
            std::uint16_t value = 0;
            std::memcpy(&value, screen.data() + 2 * x, 2);
            ASSERT_EQ(value, ToSixteenBits(frame[x], layout.layout)) << "pixel " << x;
        }

        // Every value of the layout, and a few again after it.
        std::vector<std::uint16_t> values(frame.size());
        for (std::size_t x = 0; x < values.size(); ++x)
            values[x] = std::uint16_t(x);
        std::vector<std::uint32_t> shown(values.size());
        const Compat::ArgbConverter converter(Compat::RgbFormat(16, 0, layout.red, layout.green, layout.blue));
        converter.Row(reinterpret_cast<const std::uint8_t*>(values.data()), int(values.size()), shown.data());
        for (std::size_t x = 0; x < values.size(); ++x)
            ASSERT_EQ(shown[x], 0xFF000000u | Widened(values[x], layout.red) << 16 |
                                    Widened(values[x], layout.green) << 8 | Widened(values[x], layout.blue))
                << "value " << values[x];
    }
}
