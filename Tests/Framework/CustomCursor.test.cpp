#include "Framework/CustomCursor.h"

#include "Framework/Looper.h"
#include "Graphics/Image.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "Support/FakePlatform.h"
#include "Support/LoggingMode.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
class CustomCursorTest : public testing::Test
{
protected:
    CustomCursorTest() : mPrevious(Looper::SetInstance(&looper))
    {
        looper.QueueRequest(new LoggingMode(log, "mode"), kModePush);
        looper.ApplyRequests();
        target.target = &canvas;
    }
    ~CustomCursorTest() override
    {
        SetCustomCursor(nullptr, {0, 0});
        SetCustomCursorEnabled(false);
        looper.Shutdown();
        Looper::SetInstance(mPrevious);
    }
    void Mouse(int type, int x = 0, int y = 0)
    {
        InputEvent event;
        event.type = type;
        event.x = x;
        event.y = y;
        looper.OnInputEvent(event);
    }
    // The positions drawn at, as "x y".
    std::vector<std::string> Draws() const
    {
        std::vector<std::string> draws;
        for (const CanvasCall& call : canvas.calls)
            if (call.operation == "DrawImage" && call.image == &image)
                draws.push_back(std::to_string(int(call.numbers[0])) + " " + std::to_string(int(call.numbers[1])));
        return draws;
    }

    std::vector<std::string> log;
    Looper looper;
    FakePlatform platform;
    Image image{4, 4};
    RecordingCanvas canvas{{"IQuadDrawingCanvas"}};
    Graphics::RenderContext target;

private:
    Looper* mPrevious;
};
} // namespace

TEST_F(CustomCursorTest, IsDrawnAtTheMouseLessItsHotSpotOnlyWhileEnabledAndTheMouseIsInside)
{
    Graphics::ScopedDrawState drawing(target);
    SetCustomCursor(&image, {3, 4});
    SetCustomCursorEnabled(true);
    EXPECT_FALSE(platform.cursorVisible);
    DrawCustomCursor(); // the mouse has not come in yet
    Mouse(InputEvent::kMouseMove, 10, 20);
    DrawCustomCursor();
    EXPECT_EQ(Draws(), std::vector<std::string>{"7 16"});

    SetCustomCursorEnabled(false);
    EXPECT_TRUE(platform.cursorVisible);
    DrawCustomCursor();
    SetCustomCursorEnabled(true);
    Mouse(InputEvent::kMouseLeave);
    DrawCustomCursor();
    EXPECT_EQ(Draws().size(), 1u);
}
