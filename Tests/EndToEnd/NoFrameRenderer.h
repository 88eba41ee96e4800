// A renderer for the end-to-end programs that run before the game's own application and data
// exist: it starts, but never has a frame to draw, so the window stays black.
#pragma once

#include "Framework/IGraphicsPlatform.h"
#include "Platform/Win32/GraphicsPlatformMakers.h"

namespace Corvane::Testing
{
class NoFrameRenderer : public IGraphicsPlatform
{
public:
    Label GetName() override { return Label::Intern("NoFrame"); }
    void AdjustDisplaySettings(DisplaySettings&) override {}
    int GetKind() override { return kGraphicsDirectDraw; }
    void Setup(const DisplaySettings&) override {}
    void Cleanup() override {}
    int BeginScene() override { return 1; } // nothing can be drawn
    void EndScene() override {}
    Graphics::ICanvas* GetCanvas() override { return nullptr; }
    ITexture* CreateTexture(Image&) override { return nullptr; }

    // Makes it the renderer the program's start-up creates.
    static void Install()
    {
        Internal::GraphicsPlatformMakers& makers = Internal::GetGraphicsPlatformMakers();
        makers.createDisplay = [] { return true; };
        makers.makeDirect3D = [] { return new NoFrameRenderer(); };
        makers.makeDirectDraw = [] { return new NoFrameRenderer(); };
    }
};
} // namespace Corvane::Testing
