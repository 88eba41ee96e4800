#include "SceneGraph/TiledSpriteNode.h"

#include "Graphics/Image.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "Support/SceneHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
// Each image drawn: "x,y", then " from sx,sy wxh" when only part of the image was drawn.
std::vector<std::string> Pieces(const RecordingCanvas& canvas)
{
    std::vector<std::string> pieces;
    for (const CanvasCall& call : canvas.calls)
    {
        std::string piece = std::to_string(int(call.numbers.at(0))) + "," + std::to_string(int(call.numbers.at(1)));
        if (call.state.HasSourceRect())
        {
            const Rect<int>& r = call.state.sourceRect;
            piece += " from " + std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
                     std::to_string(r.height);
        }
        pieces.push_back(piece);
    }
    return pieces;
}

using Strings = std::vector<std::string>;

TEST(TiledSpriteNode, RepeatsItsImageOverItsRectangleFromTheSourceOffset)
{
    SceneHarness scene;
    scene.AddSolidImage("Tile", 32, 32, 0xFF804020u);
    struct Case
    {
        const char* attributes;
        Strings pieces;
    };
    const Case cases[] = {
        {R"(src="Tile" width="100" height="40")",
         {"5,6", "37,6", "69,6", "101,6 from 0,0 4x32", "5,38 from 0,0 32x8", "37,38 from 0,0 32x8",
          "69,38 from 0,0 32x8", "101,38 from 0,0 4x8"}},
        // Offsets outside the image wrap into it: 40 acts as 8, -8 as 24.
        {R"(src="Tile" width="40" height="32" srcOffsetX="40")", {"5,6 from 8,0 24x32", "29,6 from 0,0 16x32"}},
        {R"(src="Tile" width="40" height="32" srcOffsetX="-8")", {"5,6 from 24,0 8x32", "13,6"}},
        {R"(src="Tile" width="32" height="40" srcOffsetY="-8")", {"5,6 from 0,24 32x8", "5,14"}},
        {R"(src="Tile" width="40" height="40" srcOffsetX="32" srcOffsetY="8")",
         {"5,6 from 0,8 32x24", "37,6 from 0,8 8x24", "5,30 from 0,0 32x16", "37,30 from 0,0 8x16"}},
        // Sizes are cut to whole pixels.
        {R"(src="Tile" width="40.9" height="32.5")", {"5,6", "37,6 from 0,0 8x32"}},
        {R"(src="Tile" width="0" height="40")", {}},
        {R"(src="Tile" width="40")", {}},
        {R"(src="Tile" width="-40" height="40")", {}},
        {R"(src="Nowhere" width="40" height="40")", {}},
        {R"(width="40" height="40")", {}},
    };
    for (const Case& c : cases)
    {
        const std::string element = std::string(R"(<tiledspritenode x="5" y="6" )") + c.attributes + "/>";
        SceneNode* node = scene.Show(element);
        ASSERT_NE(dynamic_cast<TiledSpriteNode*>(node), nullptr) << element;
        scene.Update();
        RecordingCanvas canvas({"IQuadDrawingCanvas"});
        scene.Draw(&canvas);
        EXPECT_EQ(Pieces(canvas), c.pieces) << element;
        node->SetVisible(false);
    }
}

TEST(TiledSpriteNode, DrawsInItsWorldColourThroughItsClipRectangleAtTheOffsetGiven)
{
    SceneHarness scene;
    scene.AddSolidImage("Tile", 32, 32, 0xFFFFFFFFu);
    SceneNode* group = scene.Show(R"(<scenenode x="10" y="20" color="#00FF0080"><tiledspritenode x="1" y="2"
                      src="Tile" width="40" height="10" color="#FF8000"/></scenenode>)");
    auto* node = dynamic_cast<TiledSpriteNode*>(group->GetChildren().front());
    ASSERT_NE(node, nullptr);
    scene.Update();

    RecordingCanvas plain({"IQuadDrawingCanvas"});
    scene.Draw(&plain);
    ASSERT_EQ(Pieces(plain), (Strings{"11,22 from 0,0 32x10", "43,22 from 0,0 8x10"}));
    for (const CanvasCall& call : plain.calls)
    {
        // The node's own colour, the group's alpha.
        EXPECT_EQ(call.state.tint, (ColorF{1.0f, 128 / 255.0f, 0.0f, 128 / 255.0f}));
        EXPECT_EQ(call.state.clip, GetRenderContext().state.clip);
    }

    node->SetClipRect({12, 20, 30, 5});
    RecordingCanvas clipped({"IQuadDrawingCanvas"});
    scene.Draw(&clipped);
    ASSERT_EQ(clipped.calls.size(), 2u);
    for (const CanvasCall& call : clipped.calls)
        EXPECT_EQ(call.state.clip, (Rect<int>{12, 20, 30, 5}));

    RecordingCanvas moved({"IQuadDrawingCanvas"});
    {
        RenderContext context = GetRenderContext();
        context.target = &moved;
        ScopedDrawState target(context);
        node->Draw({100, 200});
    }
    EXPECT_EQ(Pieces(moved), (Strings{"111,222 from 0,0 32x10", "143,222 from 0,0 8x10"}));

    group->SetVisible(false);
    RecordingCanvas hidden({"IQuadDrawingCanvas"});
    scene.Draw(&hidden);
    EXPECT_TRUE(hidden.calls.empty());
}

TEST(TiledSpriteNode, HitsInsideTheHalfOpenRectangleWhereTheRepeatedAlphaIsAboveTheSensitivity)
{
    // Columns of alpha 0, 128, 129 and 255, repeated from column 1 (or -7, the same).
    Image image(4, 1);
    const PackedColor alphas[] = {0x00FFFFFFu, 0x80FFFFFFu, 0x81FFFFFFu, 0xFFFFFFFFu};
    for (int x = 0; x < 4; ++x)
        image.SetPixel(x, 0, alphas[x]);
    TiledSpriteNode node(&image, 10, 3);
    node.SetPosition(10.5f, 20.0f);
    struct Case
    {
        float x, y;
        int offset, sensitivity;
        bool hit;
    };
    const Case cases[] = {
        // The whole rectangle at sensitivity 0, left and top edges in, right and bottom out.
        {10.5f, 20.0f, 1, 0, true},
        {20.4f, 22.9f, 1, 0, true},
        {20.5f, 21.0f, 1, 0, false},
        {10.4f, 21.0f, 1, 0, false},
        {15.0f, 23.0f, 1, 0, false},
        {15.0f, 19.9f, 1, 0, false},
        // Pixels counted from the truncated position: x 10.5 is column 0 of the area.
        {10.5f, 21.0f, 1, 128, false}, // image column 1, alpha 128
        {11.0f, 21.0f, 1, 128, true},  // column 2, 129
        {12.9f, 22.0f, 1, 128, true},  // column 3, 255
        {13.5f, 21.0f, 1, 128, false}, // column 0, 0
        {15.5f, 21.0f, 1, 128, true},  // the second repeat's column 2
        {15.5f, 21.0f, -7, 128, true},
        {16.5f, 21.0f, -7, 128, true},
        {17.5f, 21.0f, -7, 128, false},
        {12.5f, 21.0f, 1, 254, true},
        {12.5f, 21.0f, 1, 255, false},
        {12.5f, 21.0f, 1, 1000, false},
    };
    for (const Case& c : cases)
    {
        node.SetSourceOffset(c.offset, 0);
        node.SetAlphaSensitivity(c.sensitivity);
        EXPECT_EQ(node.HitTest({c.x, c.y}), c.hit)
            << c.x << "," << c.y << " offset " << c.offset << " sensitivity " << c.sensitivity;
    }

    // Nothing to hit: no width, no image, an image without pixels.
    node.SetAlphaSensitivity(0);
    node.SetSize(0, 3);
    EXPECT_FALSE(node.HitTest({10.5f, 20.0f}));
    node.SetSize(10, 3);
    Image empty(0, 1);
    for (IImage* none : {static_cast<IImage*>(nullptr), static_cast<IImage*>(&empty)})
    {
        node.SetImage(none);
        EXPECT_FALSE(node.HitTest({11.0f, 21.0f}));
        RecordingCanvas canvas({"IQuadDrawingCanvas"});
        RenderContext context = GetRenderContext();
        context.target = &canvas;
        ScopedDrawState target(context);
        node.Draw({0, 0});
        EXPECT_TRUE(canvas.calls.empty());
    }
}
} // namespace
