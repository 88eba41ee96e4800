// The program as far as it can run before the game's own application and the renderers exist: the
// engine, the real platform with its window, message pump and input, and a small application that
// opens an 800 x 600 window. The stand-in renderer starts but never has a frame to draw, so the
// window stays black.
#include "Framework/BaseApplication.h"
#include "Framework/IGraphicsPlatform.h"
#include "Platform/Win32/GraphicsPlatformMakers.h"
#include "Platform/Win32/WinMain.h"

namespace
{
class NoFrameRenderer : public Corvane::IGraphicsPlatform
{
public:
    Corvane::Label GetName() override { return Corvane::Label::Intern("NoFrame"); }
    void AdjustDisplaySettings(Corvane::DisplaySettings&) override {}
    int GetKind() override { return Corvane::kGraphicsDirectDraw; }
    void Setup(const Corvane::DisplaySettings&) override {}
    void Cleanup() override {}
    int BeginScene() override { return 1; } // nothing can be drawn
    void EndScene() override {}
    Corvane::Graphics::ICanvas* GetCanvas() override { return nullptr; }
    Corvane::ITexture* CreateTexture(Corvane::Image&) override { return nullptr; }
};

class WindowTestApplication : public Corvane::BaseApplication
{
public:
    WindowTestApplication()
    {
        mInfo.companyName = L"Corvane Tests";
        mInfo.productName = L"Fennik Window Test";
    }
    const Corvane::DisplaySettings& GetDisplaySettings() override { return mSettings; }

private:
    Corvane::DisplaySettings mSettings{0, 1, 800, 600};
};

WindowTestApplication gApplication;
} // namespace

int main(int argc, char** argv)
{
    Corvane::Internal::GraphicsPlatformMakers& makers = Corvane::Internal::GetGraphicsPlatformMakers();
    makers.createDisplay = [] { return true; };
    makers.makeDirect3D = [] { return new NoFrameRenderer(); };
    makers.makeDirectDraw = [] { return new NoFrameRenderer(); };
    return RunWithArguments(argc, argv);
}
