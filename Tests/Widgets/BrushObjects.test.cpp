#include "Widgets/BrushObjects.h"

#include "Graphics/BrushDrawing.h"
#include "Graphics/ImageFileWriters.h"
#include "Graphics/ImageResources.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "Support/FakePlatform.h"
#include "Support/FrameworkObjects.h"
#include "Support/TestImageLists.h"
#include "Support/WidgetScreen.h"
#include "Widgets/BackgroundObject.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
// Drawing on a recording canvas, with a reference canvas for what the brush functions draw.
class BrushObjectTest : public testing::Test
{
protected:
    BrushObjectTest() { GetRenderContext().target = &canvas; }
    ~BrushObjectTest() override { GetRenderContext() = RenderContext(); }

    // The calls, as operation, numbers and tint, for comparing two recordings.
    static std::vector<std::pair<std::vector<float>, ColorF>> Drawn(const RecordingCanvas& recording)
    {
        std::vector<std::pair<std::vector<float>, ColorF>> drawn;
        for (const CanvasCall& call : recording.calls)
            drawn.push_back({call.numbers, call.state.tint});
        return drawn;
    }

    RecordingCanvas canvas{{"IQuadDrawingCanvas"}};
    RecordingCanvas reference{{"IQuadDrawingCanvas"}};
    std::unique_ptr<ImageList> nine = MakeImageList(9, {6, 6});
    std::unique_ptr<ImageList> three = MakeImageList(3, {6, 6});
};
} // namespace

TEST_F(BrushObjectTest, BrushesDrawThroughTheBrushFunctionsWithTheirAlphaOrColour)
{
    NineBrushObject frame(Label("frame"));
    frame.SetImages(nine.get());
    frame.SetBounds({10.5f, 20, 40, 30});
    frame.SetAlpha(0.5f);
    GetRenderContext().state.tint = {0, 1, 0, 1};
    frame.Draw();
    DrawState expected = GetRenderContext().state;
    expected.tint.alpha = 0.5f;
    DrawNineBrush(nine.get(), 0, 10.5f, 20, 40, 30, expected, &reference);
    EXPECT_EQ(Drawn(canvas), Drawn(reference));
    EXPECT_FALSE(canvas.calls.empty());

    ThreeBrushObject rule(Label("rule"));
    rule.SetImages(three.get());
    rule.SetBounds({5, 6, 50, 99});
    rule.SetColor({1, 0, 0, 0.25f});
    canvas.calls.clear();
    reference.calls.clear();
    rule.Draw();
    expected.tint = {1, 0, 0, 0.25f};
    DrawThreeBrushHorizontal(three.get(), 0, 5, 6, 50, expected, &reference);
    EXPECT_EQ(Drawn(canvas), Drawn(reference));

    // Nothing when hidden, transparent or without images.
    canvas.calls.clear();
    frame.SetAlpha(0.0f);
    rule.SetVisible(false);
    frame.Draw();
    rule.Draw();
    ThreeBrushObject bare(Label("bare"));
    bare.SetBounds({0, 0, 50, 10});
    bare.Draw();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(BrushObjectTest, ABackgroundDrawsWithTheDrawStateAsItIs)
{
    BackgroundObject background(Label("panel"));
    background.SetImages(nine.get());
    background.SetBounds({0, 0, 100, 80});
    background.SetColor({1, 0, 0, 0}); // not used for drawing
    GetRenderContext().state.tint = {0, 0, 1, 0.75f};
    background.Draw();
    DrawNineBrush(nine.get(), 0, 0, 0, 100, 80, GetRenderContext().state, &reference);
    EXPECT_EQ(Drawn(canvas), Drawn(reference));

    canvas.calls.clear();
    background.SetVisible(false);
    background.Draw();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(BackgroundObject, TakesTheMouseOnlyOverItselfAndLetsKeysPass)
{
    FakePlatform platform;
    Log log;
    WidgetScreen screen(Label(), nullptr, log);
    Internal::SetTopApplicationMode(&screen);
    // A control under the background that takes whatever reaches it.
    auto* under = new LoggingControl(log, "under", -1.0f, {0, 0, 800, 600});
    auto* background = new BackgroundObject(Label("panel"));
    background->SetBounds({100, 100, 200, 100});
    screen.Add(under);
    screen.Add(background);
    screen.Update(0);
    log.clear();

    EXPECT_TRUE(screen.OnMouseDown(0, 150, 150));
    EXPECT_TRUE(screen.OnMouseMove(299, 199));
    EXPECT_TRUE(screen.OnMouseDown(0, 300, 150)) << "right of the background: the control beneath";
    EXPECT_TRUE(screen.OnKeyDown(65));
    screen.OnMouseMove(20, 20);
    // The control beneath hears the broadcasts too ("under Control...").
    EXPECT_EQ(log,
              (Log{"ControlEnter panel", "under ControlEnter", "under down 0", "under key 65", "ControlLeave panel",
                   "under ControlLeave", "ControlEnter -", "under ControlEnter", "under move 20,20"}));
    EXPECT_FALSE(background->CanTakeFocus());
    Internal::SetTopApplicationMode(nullptr);
}

TEST(BrushFactories, ReadTheirImageListsByName)
{
    ImageResources resources;
    resources.Folder().Write("frame.png", EncodePng(18, 18, std::vector<PackedColor>(324, 0xFF000000u)));
    resources.Load(R"(<filmstrip name="Frame" src="frame" cols="3" rows="3"/>)");
    IImageList* frame = ResourceManager::Get<IImageList>(Label("Frame")).Get();
    ASSERT_NE(frame, nullptr);
    AttributeContainer named;
    named.SetAttribute(L"images", L"Frame");
    AttributeContainer missing;
    missing.SetAttribute(L"images", L"Nothing");

    const auto nineBrush = std::unique_ptr<Object>(NineBrushObjectFactory().Create(Label("n"), named));
    EXPECT_EQ(static_cast<NineBrushObject*>(nineBrush.get())->GetImages(), frame);
    const auto threeBrush = std::unique_ptr<Object>(ThreeBrushObjectFactory().Create(Label("t"), missing));
    EXPECT_EQ(static_cast<ThreeBrushObject*>(threeBrush.get())->GetImages(), nullptr);
    const auto background = std::unique_ptr<Object>(BackgroundObjectFactory().Create(Label("b"), named));
    EXPECT_EQ(static_cast<BackgroundObject*>(background.get())->GetImages(), frame);
    EXPECT_EQ(background->GetName(), Label("b"));
}
