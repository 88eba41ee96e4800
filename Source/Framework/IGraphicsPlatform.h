// The renderer interface and the display settings it is opened with.
#pragma once

#include "EngineWide.h"
#include "Label.h"
#include "RuntimeError.h"

namespace Corvane
{
class Image;
class ITexture;
namespace Graphics
{
class ICanvas;
}

struct DisplaySettings
{
    int windowMode = 1; // 1 full screen, 0 windowed
    int sizingMode = 1; // carried to the platform and the renderer unchanged
    int width = 800;
    int height = 600;

    // The second value takes part in no comparison.
    bool operator==(const DisplaySettings& o) const
    {
        return windowMode == o.windowMode && width == o.width && height == o.height;
    }
};

// Graphics flags.
constexpr int kGraphicsDirectDraw = 1;
constexpr int kGraphicsDirect3D = 2;
constexpr int kGraphicsExtraRequest = 4;

// Setup's failure on a machine that cannot run the renderer at all (no usable 3D hardware): the
// next renderer in line takes over as planned, which is no error.
class RendererUnavailable : public RuntimeError
{
public:
    using RuntimeError::RuntimeError;
};

class IGraphicsPlatform
{
public:
    // Clears the engine-wide pointer when it still points here.
    virtual ~IGraphicsPlatform() { ReleaseInstance(this); }
    // "D3D7" or "DDraw7".
    virtual Label GetName() = 0;
    // A chance to change the settings before they are applied.
    virtual void AdjustDisplaySettings(DisplaySettings& settings) = 0;
    // 2 for the Direct3D renderer, 1 for the DirectDraw renderer.
    virtual int GetKind() = 0;
    // Opens the display (full screen at 32 bits per pixel, or windowed) at the settings' size;
    // throws RuntimeError on failure (RendererUnavailable where the machine cannot run it).
    virtual void Setup(const DisplaySettings& settings) = 0;
    virtual void Cleanup() = 0;
    // 0 when a frame can be drawn.
    virtual int BeginScene() = 0;
    // Presents the frame.
    virtual void EndScene() = 0;
    // The renderer's canvas, null when there is none.
    virtual Graphics::ICanvas* GetCanvas() = 0;
    // The renderer's texture for image (reference count 1), or null.
    virtual ITexture* CreateTexture(Image& image) = 0;

    // Creates the renderer that flags select and stores it engine-wide.
    static IGraphicsPlatform* Create(int flags);

    static IGraphicsPlatform* GetInstance() { return Internal::EngineWide<IGraphicsPlatform>::Get(); }
    static void ReleaseInstance(IGraphicsPlatform* instance)
    {
        Internal::EngineWide<IGraphicsPlatform>::Release(instance);
    }

protected:
    // Implementations store themselves as the engine's graphics platform.
    IGraphicsPlatform() { Internal::EngineWide<IGraphicsPlatform>::Set(this); }
};
} // namespace Corvane
