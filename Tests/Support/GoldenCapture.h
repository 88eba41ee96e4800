// Compares the last frame a renderer presented with a golden capture in Tests/Data, pixel for
// pixel (alpha ignored). Run a test with CORVANE_WRITE_GOLDEN=1 to write the capture instead (the
// test is then skipped); review the picture before committing it. On a difference the frame is
// saved to the temporary folder as "<stem>-actual.png" and named in the failure.
//
//   ExpectFrameMatchesGolden(Compat::GetLastPresentedFrame(), "SceneGraph/screen.png");
//   if (IsSkipped()) return;
#pragma once

#include "Graphics/ImageDecoders.h"
#include "MemoryStream.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace Corvane::Testing
{
inline void ExpectFrameMatchesGolden(const Compat::PresentedFrame& frame, const std::string& relative)
{
    const std::filesystem::path golden = std::filesystem::path(CORVANE_TEST_DATA) / relative;
    if (std::getenv("CORVANE_WRITE_GOLDEN"))
    {
        std::filesystem::create_directories(golden.parent_path());
        ASSERT_TRUE(Compat::SavePresentedFrame(golden.string().c_str()));
        GTEST_SKIP() << "wrote " << golden;
    }

    std::ifstream file(golden, std::ios::binary);
    ASSERT_TRUE(file) << "no golden capture at " << golden;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    MemoryStream stream(golden.filename().wstring());
    Fill(stream, bytes);
    int width = 0, height = 0;
    const std::unique_ptr<PackedColor[]> pixels = DecodePng(stream, width, height);
    ASSERT_TRUE(pixels);
    ASSERT_EQ(width, frame.width);
    ASSERT_EQ(height, frame.height);

    int different = 0;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i)
        different += (frame.pixels[i] | 0xFF000000u) != (pixels[i] | 0xFF000000u);
    if (different != 0)
    {
        const std::filesystem::path actual =
            std::filesystem::temp_directory_path() / (golden.stem().string() + "-actual.png");
        Compat::SavePresentedFrame(actual.string().c_str());
        ADD_FAILURE() << different << " pixels differ; this run's frame is " << actual;
    }
}
} // namespace Corvane::Testing
