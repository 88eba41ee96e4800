// Golden captures of scene-graph screens: the screen drawn by the main loop through the software
// renderer into a window, the presented frame compared pixel for pixel with a PNG kept in
// Tests/Data.
//
//     SoftwareScreen display(320, 240);      // before the scene harness
//     SceneHarness scene;
//     ... instantiate layouts, scene.Update ();
//     const Compat::PresentedFrame& frame = display.Present(scene);
//     CompareWithGolden(frame, kGolden);   // Support/GoldenFrame.h
#pragma once

#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/GoldenFrame.h"

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

} // namespace Corvane::Testing
