// A windowed Direct3D display on a test platform's window (headless under SDL's dummy video
// driver), set up as the hardware renderer leaves it and in a scene, with every primitive its
// device is asked to draw recorded. stage changes the default machine before the set-up.
#pragma once

#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Support/DebugCapture.h"
#include "Support/DisplayTestPlatform.h"

#include <functional>
#include <vector>

namespace Corvane::Testing
{
class Direct3DTestDisplay
{
public:
    explicit Direct3DTestDisplay(int width = 256, int height = 128,
                                 const std::function<void(Compat::DisplayMachine&)>& stage = {})
        : mPlatform(width, height)
    {
        if (stage)
        {
            Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
            stage(machine);
            Compat::SetDisplayMachine(machine);
        }
        SetUp(width, height);
    }
    ~Direct3DTestDisplay()
    {
        if (Device())
            Compat::ObservePrimitives(Device(), {});
    }

    // A new set-up, as on a renderer switch: the display releases its objects and makes new ones.
    void SetUp(int width, int height)
    {
        CDisplay& display = Display();
        display.CreateWindowedDisplay(mPlatform.GetWindowHandle(), width, height);
        display.ApplyDefaultStates();
        display.BeginScene();
        Compat::ObservePrimitives(Device(), [this](const Compat::DrawnPrimitive& p) { primitives.push_back(p); });
    }

    CDisplay& Display() { return mPlatform.Display(); }
    IDirect3DDevice7* Device() { return Display().GetDevice(); }
    HWND Window() const { return mPlatform.GetWindowHandle(); }

    std::vector<Compat::DrawnPrimitive> primitives;
    DebugCapture debug;

private:
    DisplayTestPlatform mPlatform;
};
} // namespace Corvane::Testing
