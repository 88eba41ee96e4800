#include "Graphics/RenderContext.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/ScreenCanvasProxy.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
// Each test leaves the calling thread's stack as it found it.
class RenderContextTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(GetDrawStateDepth(), 0); }
    void TearDown() override
    {
        while (GetDrawStateDepth() > 0)
            PopDrawState();
        GetRenderContext() = {GetScreenCanvasProxy(), GetDefaultDrawState()};
    }
};
} // namespace

TEST_F(RenderContextTest, StartsOnTheScreenProxyWithTheDefaults)
{
    EXPECT_EQ(GetRenderContext().target, GetScreenCanvasProxy());
    EXPECT_EQ(GetRenderContext().state, GetDefaultDrawState());
    const DrawState& d = GetDefaultDrawState();
    EXPECT_EQ(d.font, nullptr);
    EXPECT_EQ(d.color, ColorF(1, 1, 1, 1));
    EXPECT_EQ(d.effectColor, ColorF(0, 0, 0, 1));
    EXPECT_EQ(d.effectOffsetX, 2);
    EXPECT_EQ(d.clip, Rect<int>(-1073741824, -1073741824, 2147483647, 2147483647));
    EXPECT_EQ(d.flags, kDrawBlend);
    EXPECT_EQ(GetCurrentCanvas(), GetScreenCanvasProxy());
    GetRenderContext().target = nullptr;
    EXPECT_EQ(GetCurrentCanvas(), GetScreenCanvasProxy());
}

TEST_F(RenderContextTest, PopRestoresWhatThePushSaved)
{
    Image image(4, 4);
    cImageCanvas canvas(image);
    const RenderContext before = GetRenderContext();

    RenderContext next = before;
    next.state.color = {1, 0, 0, 1};
    EXPECT_TRUE(PushDrawState(next));
    EXPECT_EQ(GetRenderContext(), next);
    GetRenderContext().target = &canvas; // changed after the push
    GetRenderContext().state.flags = 0;
    PopDrawState();
    EXPECT_EQ(GetRenderContext(), before);

    PopDrawState(); // empty stack: nothing
    EXPECT_EQ(GetRenderContext(), before);

    // Saving only: push the current context itself.
    EXPECT_TRUE(PushDrawState(GetRenderContext()));
    EXPECT_EQ(GetRenderContext(), before);
    EXPECT_EQ(GetDrawStateDepth(), 1);
}

TEST_F(RenderContextTest, SixtyFivePushesRefuseTheLastAndUnwindInOrder)
{
    Testing::DebugCapture capture;
    const RenderContext before = GetRenderContext();
    for (int i = 1; i <= kRenderContextStackSize; ++i)
    {
        RenderContext next = GetRenderContext();
        next.state.effectOffsetX = i;
        ASSERT_TRUE(PushDrawState(next));
    }
    RenderContext extra = GetRenderContext();
    extra.state.effectOffsetX = 1000;
    EXPECT_FALSE(PushDrawState(extra));
    EXPECT_EQ(GetRenderContext().state.effectOffsetX, 64); // unchanged
    EXPECT_NE(capture.Text().find("more than 64 nested pushes"), std::string::npos);

    PopDrawState(); // the refused push's pop
    EXPECT_EQ(GetRenderContext().state.effectOffsetX, 64);
    for (int i = kRenderContextStackSize - 1; i >= 0; --i)
    {
        PopDrawState();
        EXPECT_EQ(GetRenderContext().state.effectOffsetX, i == 0 ? before.state.effectOffsetX : i);
    }
    EXPECT_EQ(GetRenderContext(), before);
}

TEST_F(RenderContextTest, AnotherThreadDrawsThroughItsOwnContext)
{
    // The loader thread pushes an image canvas and a colour while the main thread keeps drawing:
    // neither sees the other's context.
    std::mutex lock;
    std::condition_variable changed;
    int stage = 0;
    Image glyphs(8, 8);
    RenderContext seenByLoader;

    std::thread loader([&] {
        ICanvas* canvas = CreateImageCanvas(glyphs);
        RenderContext next = GetRenderContext();
        seenByLoader = next;
        next.target = canvas;
        next.state.color = {0, 1, 0, 1};
        PushDrawState(next);
        {
            std::unique_lock<std::mutex> guard(lock);
            stage = 1;
            changed.notify_all();
            changed.wait(guard, [&] { return stage == 2; });
        }
        EXPECT_EQ(GetRenderContext().target, canvas); // the main thread's push did not reach here
        PopDrawState();
        DestroyImageCanvas(canvas);
    });

    {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [&] { return stage == 1; });
    }
    EXPECT_EQ(GetRenderContext().target, GetScreenCanvasProxy());
    EXPECT_EQ(GetRenderContext().state, GetDefaultDrawState());
    RenderContext mine = GetRenderContext();
    mine.state.color = {0, 0, 1, 1};
    PushDrawState(mine);
    {
        std::lock_guard<std::mutex> guard(lock);
        stage = 2;
        changed.notify_all();
    }
    loader.join();
    EXPECT_EQ(GetRenderContext().state.color, ColorF(0, 0, 1, 1));
    EXPECT_EQ(seenByLoader.target, GetScreenCanvasProxy());
}
