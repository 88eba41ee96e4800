// Golden captures of scene-graph screens: the screen drawn by the main loop through the software
// renderer into a window, the presented frame compared pixel for pixel with a PNG kept in
// Tests/Data.
//
//     SoftwareScreen display(320, 240);      // before the scene harness
//     SceneHarness scene;
//     ... instantiate layouts, scene.Update ();
//     const Compat::PresentedFrame& frame = display.Present(scene);
//     CHECK_GOLDEN_CAPTURE(frame, kGolden);
//
// To renew a capture after an intended change of the drawing, run the test with
// CORVANE_WRITE_GOLDEN=1 and review the picture it writes.
#pragma once

#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Support/DisplayTestPlatform.h"

#include <filesystem>
#include <string>

namespace Corvane::Testing
{
class SceneHarness;

// A window of width x height with the software renderer set up on it, windowed.
class SoftwareScreen
{
public:
    SoftwareScreen(int width, int height);

    // One frame of the scene's loop, presented; the frame (valid until the next one).
    const Compat::PresentedFrame& Present(SceneHarness& scene);

private:
    DisplayTestPlatform mPlatform;
    DDraw7GraphicsPlatform mRenderer;
};

// Compares frame with the capture at golden (alpha ignored). Returns "" when they match; else what
// differs, after saving this run's frame in the temporary folder as <capture name>-actual.png. With
// CORVANE_WRITE_GOLDEN set it writes the capture instead and returns "wrote <path>".
std::string CompareWithGolden(const Compat::PresentedFrame& frame, const std::filesystem::path& golden);
} // namespace Corvane::Testing

// In a test body: fails on a difference, skips after writing the capture.
#define CHECK_GOLDEN_CAPTURE(frame, golden)                                                                            \
    do                                                                                                                 \
    {                                                                                                                  \
        const std::string goldenResult = ::Corvane::Testing::CompareWithGolden(frame, golden);                         \
        if (goldenResult.rfind("wrote ", 0) == 0)                                                                      \
            GTEST_SKIP() << goldenResult;                                                                              \
        EXPECT_EQ(goldenResult, "");                                                                                   \
    } while (false)
