#include "Graphics/ScreenCanvasProxy.h"
#include "Framework/IGraphicsPlatform.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using Corvane::Testing::RecordingCanvas;

namespace
{
class FakeRenderer : public IGraphicsPlatform
{
public:
    explicit FakeRenderer(ICanvas* canvas) : mCanvas(canvas) {}
    Label GetName() override { return Label("Fake"); }
    void AdjustDisplaySettings(DisplaySettings&) override {}
    int GetKind() override { return 1; }
    void Setup(const DisplaySettings&) override {}
    void Cleanup() override {}
    int BeginScene() override { return 0; }
    void EndScene() override {}
    ICanvas* GetCanvas() override { return mCanvas; }
    ITexture* CreateTexture(Image&) override { return nullptr; }

private:
    ICanvas* mCanvas;
};
} // namespace

TEST(ScreenCanvasProxy, ForwardsToTheRendererOfTheMoment)
{
    ICanvas* proxy = GetScreenCanvasProxy();
    ASSERT_EQ(IGraphicsPlatform::GetInstance(), nullptr);
    EXPECT_EQ(proxy->GetBounds(), Rect<int>());
    void* out = nullptr;
    EXPECT_FALSE(proxy->QueryInterface(Label("ICanvas"), &out));

    RecordingCanvas small({"IQuadDrawingCanvas"}, {0, 0, 640, 480});
    RecordingCanvas large({}, {0, 0, 1024, 768});
    {
        FakeRenderer first(&small);
        EXPECT_EQ(proxy->GetName(), Label("RecordingCanvas"));
        EXPECT_EQ(proxy->GetBounds(), Rect<int>(0, 0, 640, 480));
        EXPECT_EQ(QueryCanvas<IQuadDrawingCanvas>(proxy), static_cast<IQuadDrawingCanvas*>(&small));
    }
    FakeRenderer second(&large);
    EXPECT_EQ(proxy->GetBounds(), Rect<int>(0, 0, 1024, 768));
    EXPECT_EQ(QueryCanvas<IQuadDrawingCanvas>(proxy), nullptr);
    EXPECT_EQ(QueryCanvas<ICanvas>(proxy), static_cast<ICanvas*>(&large));
}
