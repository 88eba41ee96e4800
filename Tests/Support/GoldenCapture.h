// Golden captures of scene-graph screens: the screen drawn by the main loop through a renderer
// (the software one for goldens) into a window, the presented frame compared pixel for pixel with
// a PNG kept in Tests/Data.
//
//     SoftwareScreen display(320, 240);      // before the scene harness
//     SceneHarness scene;
//     ... instantiate layouts, scene.Update ();
//     const Compat::PresentedFrame& frame = display.Present(scene);
//     CompareWithGolden(frame, kGolden);   // Support/GoldenFrame.h
#pragma once

#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/D3D7GraphicsPlatform.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/GoldenFrame.h"

#include <filesystem>
#include <string>

namespace Corvane::Testing
{
class SceneHarness;

// The loop's settings for a window of width x height.
DisplaySettings WindowedSettings(int width, int height);
// One frame of the scene's loop drawn and presented on the current renderer; the frame (valid
// until the next one).
const Compat::PresentedFrame& PresentLoopFrame(SceneHarness& scene);

// A window of width x height with a renderer set up on it, windowed: the software renderer
// (SoftwareScreen) or the hardware one (HardwareScreen, which dims below popups).
template <typename Renderer> class RendererScreen
{
public:
    RendererScreen(int width, int height) : mPlatform(width, height) { mRenderer.Setup(WindowedSettings(width, height)); }

    // One frame of the scene's loop, presented; the frame (valid until the next one).
    const Compat::PresentedFrame& Present(SceneHarness& scene) { return PresentLoopFrame(scene); }

private:
    DisplayTestPlatform mPlatform;
    Renderer mRenderer;
};
using SoftwareScreen = RendererScreen<DDraw7GraphicsPlatform>;
using HardwareScreen = RendererScreen<D3D7GraphicsPlatform>;

} // namespace Corvane::Testing
