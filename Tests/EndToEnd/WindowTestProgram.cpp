// The program as far as it can run before the game's own application and the renderers exist: the
// engine, the real platform with its window, message pump and input, and a small application that
// opens an 800 x 600 window. The stand-in renderer starts but never has a frame to draw, so the
// window stays black.
#include "Framework/BaseApplication.h"
#include "NoFrameRenderer.h"
#include "Platform/Win32/WinMain.h"

namespace
{
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
    Corvane::Testing::NoFrameRenderer::Install();
    return RunWithArguments(argc, argv);
}
