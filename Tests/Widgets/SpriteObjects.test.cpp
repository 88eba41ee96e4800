#include "Widgets/SpriteObjects.h"

#include "AttributeContainer.h"

#include "Graphics/ImageFileWriters.h"
#include "Graphics/ImageResources.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "Support/TestFont.h"
#include "Support/TestImageLists.h"
#include "Widgets/SpriteObjectFactories.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
// A 100 x 25 picture "Picture", a strip of four 10 x 10 frames under several animation settings,
// and the render context drawing on a recording canvas.
class SpriteTest : public testing::Test
{
protected:
    SpriteTest()
    {
        resources.Folder().Write("pic.png", EncodePng(100, 25, std::vector<PackedColor>(2500, 0xFF204060u)));
        resources.Folder().Write("strip.png", EncodePng(40, 10, std::vector<PackedColor>(400, 0xFF604020u)));
        resources.Load(R"(
            <image name="Picture" src="pic"/>
            <filmstrip name="Walk" src="strip" cols="4" fps="4" mode="LOOP"/>
            <filmstrip name="Blink" src="strip" cols="4" mode="sideways"/>
            <filmstrip name="Wave" src="strip" cols="4" mode="pingPong"/>)");
        GetRenderContext().target = &canvas;
    }
    ~SpriteTest() override { GetRenderContext() = RenderContext(); }

    template <typename T> std::unique_ptr<T> Make(IObjectFactory&& factory, const AttributeMap& attributes)
    {
        AttributeContainer container;
        container.GetAttributes() = attributes;
        return std::unique_ptr<T>(dynamic_cast<T*>(factory.Create(Label("sprite"), container)));
    }

    ImageResources resources;
    RecordingCanvas canvas{{"IQuadDrawingCanvas"}};
};
} // namespace

TEST_F(SpriteTest, ImageAndAnimationSpritesScaleToTheGivenSize)
{
    const struct
    {
        AttributeMap attributes;
        Vector2<float> scale;
    } images[] = {{{{L"src", L"Picture"}, {L"width", L"0"}, {L"height", L"50"}}, {1, 2}},
                  {{{L"src", L"Picture"}, {L"width", L"50"}}, {0.5f, 1}},
                  {{{L"src", L"Picture"}}, {1, 1}},
                  {{{L"src", L"Nothing"}, {L"width", L"50"}}, {1, 1}}};
    for (const auto& c : images)
    {
        const auto sprite = Make<ImageSpriteObject>(ImageSpriteObjectFactory(), c.attributes);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->GetScale(), c.scale) << c.attributes.size();
    }
    EXPECT_EQ(Make<ImageSpriteObject>(ImageSpriteObjectFactory(), {{L"src", L"Walk"}})->GetImage(), nullptr)
        << "an image list is no image";

    const auto walker =
        Make<AnimationSpriteObject>(AnimationSpriteObjectFactory(), {{L"src", L"Walk"}, {L"height", L"25"}});
    EXPECT_EQ(walker->GetScale(), Vector2<float>(1, 2.5f)) << "by the first frame's size";
}

TEST_F(SpriteTest, AnimationsTakeTheirListsOwnRateAndModeInAnyCase)
{
    const ImageListAnimation walk = ImageListAnimation::Load(Label("Walk"), kAnimationOnce, 10.0f);
    EXPECT_NE(walk.list, nullptr);
    EXPECT_EQ(walk.mode, kAnimationLoop);
    EXPECT_EQ(walk.fps, 4.0f);
    const ImageListAnimation blink = ImageListAnimation::Load(Label("Blink"), kAnimationBounce, 10.0f);
    EXPECT_EQ(blink.mode, kAnimationBounce) << "an unknown mode keeps the default";
    EXPECT_EQ(blink.fps, 10.0f);
    EXPECT_EQ(ImageListAnimation::Load(Label("Wave"), kAnimationOnce, 10.0f).mode, kAnimationPingPong);
    const ImageListAnimation none = ImageListAnimation::Load(Label("Nothing"), kAnimationLoop, 10.0f);
    EXPECT_EQ(none.list, nullptr);
    EXPECT_EQ(none.mode, kAnimationOnce);
    EXPECT_EQ(none.fps, 1.0f);
    EXPECT_EQ(ImageListAnimation::Load(Label("Picture"), kAnimationOnce, 10.0f).list, nullptr);
}

TEST(ImageListAnimation, FramesOfTheFourModes)
{
    const auto list = MakeImageList(4, {8, 8});
    const struct
    {
        float time;
        int once, bounce, loop, pingPong;
    } cases[] = {{0.0f, 0, 0, 0, 0}, {0.35f, 3, 3, 3, 3}, {0.45f, 3, 3, 0, 3}, {0.55f, 3, 2, 1, 2},
                 {0.7f, 3, 0, 3, 0}, {0.85f, 3, 0, 0, 0}, {1.05f, 3, 0, 2, 2}};
    for (const auto& c : cases)
    {
        EXPECT_EQ((ImageListAnimation{list.get(), kAnimationOnce, 10.0f}.GetFrame(c.time)), c.once) << c.time;
        EXPECT_EQ((ImageListAnimation{list.get(), kAnimationBounce, 10.0f}.GetFrame(c.time)), c.bounce) << c.time;
        EXPECT_EQ((ImageListAnimation{list.get(), kAnimationLoop, 10.0f}.GetFrame(c.time)), c.loop) << c.time;
        EXPECT_EQ((ImageListAnimation{list.get(), kAnimationPingPong, 10.0f}.GetFrame(c.time)), c.pingPong) << c.time;
    }
}

TEST_F(SpriteTest, AnAnimationOverAnEmptyListShowsNoFrame)
{
    const auto empty = MakeImageList(0, {8, 8});
    AnimationSpriteObject sprite(Label("empty"));
    sprite.SetAnimation({empty.get(), kAnimationLoop, 10.0f});
    sprite.OnUpdate(1.0f);
    EXPECT_EQ(sprite.GetAnimation().GetFrame(1.0f), ImageListAnimation::kNoFrame);
    sprite.Draw();
    sprite.SetScale(2.0f);
    sprite.Draw();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(SpriteTest, TextSpriteFactoryReadsItsEffectsAndWrapWidth)
{
    const struct
    {
        const wchar_t* dropOffset;
        Vector2<int> offset;
    } offsets[] = {{L"5", {5, 5}}, {L"3,-1", {3, -1}}, {L" 4 , 6", {4, 4}}, {L"x", {2, 2}}, {L"", {2, 2}}};
    for (const auto& c : offsets)
        EXPECT_EQ(Make<TextSpriteObject>(TextSpriteObjectFactory(), {{L"dropOffset", c.dropOffset}})->GetEffectOffset(),
                  c.offset)
            << std::wstring(c.dropOffset).size();

    const auto text = Make<TextSpriteObject>(
        TextSpriteObjectFactory(), {{L"width", L"120"}, {L"bgcolor", L"#FF000080"}, {L"textFormat", L"%1% pts"}});
    EXPECT_EQ(text->GetWrapWidth(), 120.0f);
    EXPECT_EQ(text->GetEffectColor(), ParseColor(L"#FF000080"));
    EXPECT_EQ(text->GetTextFormat(), L"%1% pts");
}

TEST_F(SpriteTest, SpritesDrawWithTheirTintAlignmentAndFlipInTheDrawState)
{
    const auto sprite = Make<ImageSpriteObject>(ImageSpriteObjectFactory(), {{L"src", L"Picture"}});
    sprite->SetLocation({10.5f, 20});
    sprite->SetColor({1, 0.5f, 0.25f, 0.75f});
    sprite->SetFlipState(3);
    sprite->SetHorizontalAlignment(kAlignRight);
    sprite->SetVerticalAlignment(kAlignCenter);
    GetRenderContext().state.flags |= kDrawMirrorY; // the sprite's flip replaces the state's
    sprite->SetFlipState(1);
    sprite->SetSourceRect(Rect<int>{0, 0, 40, 25});
    sprite->Draw();
    ASSERT_EQ(canvas.calls.size(), 1u);
    const CanvasCall& call = canvas.calls[0];
    EXPECT_EQ(call.operation, "DrawImage");
    EXPECT_EQ(call.numbers, (std::vector<float>{-29.5f, 8.0f})) << "aligned by the source rectangle's size";
    EXPECT_EQ(call.state.tint, ColorF(1, 0.5f, 0.25f, 0.75f));
    EXPECT_EQ(call.state.flags & (kDrawMirrorX | kDrawMirrorY), kDrawMirrorX);
    EXPECT_TRUE(call.state.HasSourceRect());
    EXPECT_EQ(call.state.horizontalAlignment, kAlignRight);

    canvas.calls.clear();
    sprite->SetSourceRect(std::nullopt);
    sprite->SetHorizontalAlignment(kAlignLeft);
    sprite->SetVerticalAlignment(kAlignLeft);
    sprite->SetScale(1.5f, 0.5f);
    sprite->Draw();
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].operation, "DrawStretchedImage");
    EXPECT_EQ(canvas.calls[0].numbers, (std::vector<float>{10, 20, 150, 12})) << "truncated";

    canvas.calls.clear();
    sprite->SetVisible(false);
    sprite->Draw();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(SpriteTest, TextSpritesDrawTheirTextWithTheirEffects)
{
    const auto font = MakeTestFont();
    TextSpriteObject text(Label("score"));
    text.SetFont(font.get());
    text.SetText(L"ab");
    text.SetTextMode(kTextDropShadow);
    text.SetColor({0, 1, 0, 1});
    text.SetEffectColor({0, 0, 1, 0.5f});
    text.SetEffectOffset({3, -1});
    text.SetLocation({10, 20});
    text.Draw();
    // Each glyph's shadow, then the glyphs.
    ASSERT_EQ(canvas.calls.size(), 4u);
    EXPECT_EQ(canvas.calls[0].numbers, (std::vector<float>{13, 19}));
    EXPECT_EQ(canvas.calls[0].state.tint, ColorF(0, 0, 1, 0.5f));
    EXPECT_EQ(canvas.calls[2].numbers, (std::vector<float>{10, 20}));
    EXPECT_EQ(canvas.calls[2].state.tint, ColorF(0, 1, 0, 1));

    canvas.calls.clear();
    text.SetTextMode(kTextPlain);
    text.SetText(L"ab ab");
    text.SetWrapWidth(12);
    text.Draw();
    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_EQ(canvas.calls.front().numbers[1], 20.0f);
    EXPECT_EQ(canvas.calls.back().numbers[1], 20.0f + float(font->GetLineHeight())) << "wrapped onto a second line";
}
