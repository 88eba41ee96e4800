#include "SceneGraph/StaticSpriteNode.h"

#include "Graphics/RecordingCanvas.h"
#include "Support/ControlScene.h"
#include "Support/TestImageLists.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
Vector2<float> Size(const SceneNode& node)
{
    return {node.GetWidth(), node.GetHeight()};
}
} // namespace

TEST(StaticSpriteNode, TheNodeTakesItsImagesSizeAndNoImageGivesNothing)
{
    ControlScene scene;
    scene.AddSolidImage("Logo", 30, 20, 0xFF102030u);
    scene.Load(R"(<testimagelist name="Pics" sizes="10x20,30x40"/>)");
    auto* node = dynamic_cast<StaticSpriteNode*>(
        scene.Show(R"(<staticspritenode src="Logo" x="5" y="6" alphaSensitivity="7" noBlur="true"/>)"));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(Size(*node), (Vector2<float>{30, 20}));
    EXPECT_EQ(node->GetAlphaSensitivity(), 7);
    EXPECT_TRUE(node->GetNoBlur());

    auto* list = ResourceManager::Get<ImageList>(Label("Pics")).Get();
    ASSERT_NE(list, nullptr);
    const struct
    {
        int index;
        Vector2<float> size;
    } cases[] = {{1, {30, 40}}, {0, {10, 20}}, {2, {0, 0}}, {-1, {0, 0}}};
    for (const auto& c : cases)
    {
        node->SetImageFromList(list, c.index);
        EXPECT_EQ(Size(*node), c.size) << c.index;
        EXPECT_EQ(node->GetImage() != nullptr, c.size.x > 0) << c.index;
    }
    node->SetImageFromList(nullptr, 0);
    EXPECT_EQ(node->GetImage(), nullptr);

    // A name that is no image resource is no error: the node shows nothing and is never hit.
    for (const char* element : {R"(<staticspritenode src="Nowhere"/>)", R"(<staticspritenode src="Pics"/>)"})
    {
        auto* empty = dynamic_cast<StaticSpriteNode*>(scene.Show(element));
        ASSERT_NE(empty, nullptr) << element;
        EXPECT_EQ(empty->GetImage(), nullptr) << element;
        EXPECT_EQ(Size(*empty), (Vector2<float>{0, 0}));
        EXPECT_FALSE(empty->HitTest({0, 0}));
        RecordingCanvas canvas({"IQuadDrawingCanvas"});
        scene.Draw(&canvas);
    }

    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    node->SetImage(ResourceManager::Get<Image>(Label("Logo")).Get());
    node->SetPosition(5.4f, 6.6f);
    scene.Update();
    scene.Draw(&canvas);
    ASSERT_EQ(canvas.calls.size(), 1u) << "only the node with an image draws";
    EXPECT_EQ(canvas.calls[0].numbers, (std::vector<float>{5, 7})) << "snapped to whole pixels";
}

TEST(StaticSpriteNode, HitsCountInsideTheRectangleWhereTheAlphaIsAboveTheSensitivity)
{
    // Each pixel's alpha is its column.
    auto list = MakeImageList({{200, 4}});
    auto* image = static_cast<Image*>(list->GetImage(0));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 200; ++x)
            image->SetPixel(x, y, PackedColor(x) << 24);
    StaticSpriteNode node(image);
    node.SetPosition(10.5f, 20.0f);
    const struct
    {
        float x, y;
        int sensitivity;
        bool hit;
    } cases[] = {
        {10.5f, 20.0f, 0, true},     {210.4f, 20.0f, 0, true},   {210.5f, 20.0f, 0, false},  // right edge outside
        {10.4f, 20.0f, 0, false},    {50.0f, 24.0f, 0, false},   {50.0f, 23.9f, 0, true},    // bottom edge outside
        {138.0f, 21.0f, 128, false}, {139.0f, 21.0f, 128, true}, {139.9f, 21.0f, 128, true}, // column 129
        {10.5f, 21.0f, 1, false},
    };
    for (const auto& c : cases)
    {
        node.SetAlphaSensitivity(c.sensitivity);
        EXPECT_EQ(node.HitTest({c.x, c.y}), c.hit) << c.x << "," << c.y << " sensitivity " << c.sensitivity;
    }
}
