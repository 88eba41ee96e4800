// The software renderer: every frame is drawn on the processor into a 32-bit ARGB frame in memory
// with the engine's software blitter, converted row by row into an off-screen surface in the
// screen's pixel format (32, 24 or 16 bits), blitted onto the display's back buffer and presented
// through the display device. It runs on any display, so it is the last renderer the engine
// falls back to, and the only one with "-software". The renderer is itself its canvas; it makes
// no textures. The frame keeps its pixels between frames, and a frame in which nothing was drawn
// is not presented again. Main thread.
#pragma once

#include "Framework/IGraphicsPlatform.h"
#include "Graphics/Blitter.h"
#include "Graphics/DrawingInterfaces.h"
#include "Graphics/ICanvas.h"
#include "Platform/Compat/DirectDraw/DirectDraw.h"
#include "Platform/Win32/FrameConversion.h"

#include <vector>

namespace Corvane
{
class DDraw7GraphicsPlatform final : public IGraphicsPlatform,
                                     public Graphics::ICanvas,
                                     public Graphics::IQuadDrawingCanvas,
                                     public Graphics::IPixelSettingCanvas,
                                     public Graphics::IEllipseDrawingCanvas
{
public:
    // Becomes the engine-wide graphics platform.
    DDraw7GraphicsPlatform();
    ~DDraw7GraphicsPlatform() override;
    static IGraphicsPlatform* Create();

    // "DDraw7", the renderer's and the canvas's name.
    Label GetName() override;
    void AdjustDisplaySettings(DisplaySettings&) override {}
    int GetKind() override { return 1; }
    // Sets the display up without 3D for the settings, makes the screen surface and the frame.
    // Throws RuntimeError or Win32::Win32Error.
    void Setup(const DisplaySettings& settings) override;
    // Releases the screen surface and the display's objects.
    void Cleanup() override;
    // 0 to draw a frame; 1 to skip it (minimised, or another program holds the screen).
    int BeginScene() override;
    // Presents the frame when something was drawn (PresentFrame).
    void EndScene() override;
    Graphics::ICanvas* GetCanvas() override { return this; }
    ITexture* CreateTexture(Image&) override { return nullptr; }

    // 0 presented or nothing to present; 1 after a lost surface or a changed display mode was
    // repaired (the frame is skipped and shown again next time); -1 after any other failure.
    // After a changed display mode the display settings are applied again, which replaces this
    // renderer: the caller must not use it afterwards.
    int PresentFrame();

    const Rect<int>& GetBounds() override { return mBounds; }
    bool QueryInterface(Label name, void** out) override;

    // Fills are written opaquely; a colour more than half transparent draws nothing.
    int FillRect(const Rect<float>& rect, const Graphics::DrawState& state) override;
    int FillRect(const Rect<int>& rect, const Graphics::DrawState& state) override;
    // Only Corvane::Image images; any other kind gives 1.
    int DrawImage(IImage* image, float x, float y, const Graphics::DrawState& state) override;
    int DrawStretchedImage(IImage* image, const Rect<int>& dst, const Graphics::DrawState& state) override;
    // From the image's rotation cache, else a rotated copy made for this draw (with a warning
    // once per process); -2 when no copy can be made.
    int DrawRotatedImage(IImage* image, float cx, float cy, float angle, const Graphics::DrawState& state) override;
    // Not supported: -2.
    int DrawRotatedImageInRect(IImage* image, const Rect<int>& rect, float angle,
                               const Graphics::DrawState& state) override;
    int DrawTexturedVertices(int kind, IImage* image, const Graphics::TexturedVertex* vertices, int count,
                             const Graphics::DrawState& state) override;

    // Outside the frame: ignored (1), read as 0.
    int SetPixel(float x, float y, PackedColor argb) override;
    PackedColor GetPixel(float x, float y) override;

    // In the state's colour, written opaquely; more than half transparent draws nothing.
    int DrawLineCircle(float cx, float cy, float radius, const Graphics::DrawState& state) override;
    int DrawFilledCircle(float cx, float cy, float radius, const Graphics::DrawState& state) override;
    int DrawLineEllipse(const Rect<float>& bounds, const Graphics::DrawState& state) override;
    int DrawFilledEllipse(const Rect<float>& bounds, const Graphics::DrawState& state) override;

    // The screen surface's colour depth and 16-bit layout.
    int GetBitDepth() const { return mBitDepth; }
    SixteenBitLayout GetSixteenBitLayout() const { return mLayout; }
    const PackedColor* GetFrame() const { return mFrame.data(); }

private:
    Graphics::BlitSurface Surface();
    // Marks the frame drawn when result is 0.
    int Drawn(int result);
    // Lock, convert, blit onto the back buffer and present; throws on failure.
    void Present();
    void ReleaseScreenSurface();

    // mFlags: something was drawn into the frame since the last BeginScene.
    static constexpr DWORD kDrawnFlag = 2;

    DWORD mFlags = 0;
    Rect<int> mBounds;
    IDirectDrawSurface7* mScreenSurface = nullptr;
    int mBitDepth = 0;
    SixteenBitLayout mLayout = SixteenBitLayout::Rgb555;
    std::vector<PackedColor> mFrame;
    // A repaired failure lost the picture on the screen: present the frame again.
    bool mPresentPending = false;
};
} // namespace Corvane
