// The program as far as it can run before the game's own application exists: the engine's real
// start-up through the entry function, the real platform with its window, message pump, input and
// single-instance guard, the real renderers in their fallback order, and a small application that
// opens an 800 x 600 window (keeping its aspect when sized) and draws a test pattern every frame.
// It says which renderer draws, once, on its standard output: "renderer: <name>".
#include "Framework/ApplicationMode.h"
#include "Framework/BaseApplication.h"
#include "Framework/IGraphicsPlatform.h"
#include "Framework/Looper.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/RenderContext.h"
#include "Platform/Win32/WinMain.h"

#include <cstdio>

namespace
{
using namespace Corvane;
using namespace Corvane::Graphics;

// Four coloured quarters and a white disc in the middle, so a captured frame shows whether the
// renderer drew and where.
class TestPattern : public ApplicationMode
{
public:
    void Draw() override
    {
        if (!mNamed)
        {
            mNamed = true;
            std::printf("renderer: %s\n", IGraphicsPlatform::GetInstance()->GetName().GetText());
            std::fflush(stdout);
        }
        const struct
        {
            Rect<float> area;
            ColorF color;
        } quarters[] = {{{0, 0, 400, 300}, {1, 0, 0, 1}},
                        {{400, 0, 400, 300}, {0, 1, 0, 1}},
                        {{0, 300, 400, 300}, {0, 0, 1, 1}},
                        {{400, 300, 400, 300}, {1, 1, 0, 1}}};
        DrawState state = GetRenderContext().state;
        for (const auto& quarter : quarters)
        {
            state.color = quarter.color;
            FillRect(quarter.area, state, GetCurrentCanvas());
        }
        state.color = {1, 1, 1, 1};
        FillEllipse({350, 250, 100, 100}, state, GetCurrentCanvas());
    }

private:
    bool mNamed = false;
};

class WindowTestApplication : public BaseApplication
{
public:
    WindowTestApplication()
    {
        mInfo.companyName = L"Corvane Tests";
        mInfo.productName = L"Fennik Window Test";
    }
    const DisplaySettings& GetDisplaySettings() override { return mSettings; }
    void Start() override { PushApplicationMode(new TestPattern); }

private:
    DisplaySettings mSettings{0, 1, 800, 600}; // windowed, keeping its aspect when sized
};

WindowTestApplication gApplication;
} // namespace

int main(int argc, char** argv)
{
    return RunWithArguments(argc, argv);
}
