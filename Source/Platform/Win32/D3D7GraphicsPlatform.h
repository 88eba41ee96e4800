// The hardware renderer: sets the display device up for Direct3D, brackets each frame with the
// device's scene (cleared to opaque blue first), draws through its screen canvas and makes
// Direct3D textures for images. First in the engine's fallback order; its set-up fails on a
// machine without a usable hardware device (or once a 3D start has failed), and the engine then
// falls back to the software renderer. A lost device skips frames until the display has restored
// its surfaces; a changed display mode sets the display up again. Main thread.
#pragma once

#include "Framework/IGraphicsPlatform.h"
#include "Platform/Win32/ScreenCanvasD3D.h"

namespace Corvane
{
class D3D7GraphicsPlatform final : public IGraphicsPlatform
{
public:
    // Becomes the engine-wide graphics platform.
    D3D7GraphicsPlatform() = default;
    static IGraphicsPlatform* Create();

    // "D3D7".
    Label GetName() override;
    void AdjustDisplaySettings(DisplaySettings&) override {}
    int GetKind() override { return 2; }
    // Sets the display up with Direct3D for the settings (full screen at 32 bits, or windowed).
    // Throws RuntimeError or Win32::Win32Error; RendererUnavailable, "Could not initialize D3D7",
    // when the display ended up without 3D.
    void Setup(const DisplaySettings& settings) override;
    // Releases the display's objects.
    void Cleanup() override;
    // 0 to draw a frame; 1 to skip it (minimised, another program holds the screen, a lost
    // device that the display has restored, or a changed display mode, after which this
    // renderer has been replaced and must not be used). Throws Win32::Win32Error otherwise.
    int BeginScene() override;
    // Ends the scene and presents it; a frame lost with the device is dropped. Throws
    // Win32::Win32Error on any other failure.
    void EndScene() override;
    Graphics::ICanvas* GetCanvas() override { return &mCanvas; }
    Graphics::cScreenCanvasD3D& GetScreenCanvas() { return mCanvas; }
    // A new D3DTexture for image (one reference), null when it cannot be made.
    ITexture* CreateTexture(Image& image) override;

private:
    Graphics::cScreenCanvasD3D mCanvas;
};
} // namespace Corvane
