#include "Support/GoldenFrame.h"

#include "Graphics/ImageDecoders.h"
#include "MemoryStream.h"
#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

namespace Corvane::Testing
{
bool RenewingGoldenCaptures()
{
    return std::getenv("CORVANE_WRITE_GOLDEN") != nullptr;
}

void CompareWithGolden(const Compat::PresentedFrame& frame, const std::filesystem::path& golden)
{
    if (RenewingGoldenCaptures())
    {
        std::filesystem::create_directories(golden.parent_path());
        EXPECT_TRUE(Compat::SaveFrame(frame, golden.string().c_str())) << "cannot write " << golden;
        return;
    }
    std::ifstream file(golden, std::ios::binary);
    ASSERT_TRUE(file) << "no golden capture at " << golden;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    MemoryStream stream(golden.filename().wstring());
    Fill(stream, bytes);
    int width = 0, height = 0;
    const std::unique_ptr<PackedColor[]> pixels = DecodePng(stream, width, height);
    ASSERT_TRUE(pixels) << golden << " is no PNG";
    ASSERT_EQ(width, frame.width) << golden;
    ASSERT_EQ(height, frame.height) << golden;

    int different = 0;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i)
        different += (frame.pixels[i] | 0xFF000000u) != (pixels[i] | 0xFF000000u);
    if (different != 0)
    {
        const std::filesystem::path actual =
            std::filesystem::temp_directory_path() / ("actual-" + golden.filename().string());
        Compat::SaveFrame(frame, actual.string().c_str());
        ADD_FAILURE() << different << " pixels differ from " << golden << "; this run's frame is " << actual;
    }
}
} // namespace Corvane::Testing
