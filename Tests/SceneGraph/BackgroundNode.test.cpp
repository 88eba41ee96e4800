#include "SceneGraph/BackgroundNode.h"

#include "Graphics/RecordingCanvas.h"
#include "SceneGraph/ButtonNode.h"
#include "Support/ControlScene.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

TEST(BackgroundNode, SetHeightGrowsToWholeMiddleRows)
{
    ControlScene scene;
    // Top row 10 high, middle 8, bottom 12; a middle row without height; too short a list.
    scene.Load(R"(
        <testimagelist name="Frame" sizes="4x10,4x10,4x10,4x8,4x8,4x8,4x12,4x12,4x12"/>
        <testimagelist name="Flat" sizes="4x10,4x10,4x10,4x0,4x0,4x0,4x12,4x12,4x12"/>
        <testimagelist name="Short" sizes="4x10,4x10,4x10"/>)");
    const struct
    {
        const char* images;
        int requested, height;
    } cases[] = {
        {"Frame", 30, 38}, {"Frame", 31, 38}, {"Frame", 22, 22}, {"Frame", 23, 30},   {"Frame", 0, 0},
        {"Frame", -5, -5}, {"Flat", 50, 50},  {"Short", 50, 50}, {"Nowhere", 31, 31},
    };
    for (const auto& c : cases)
    {
        auto* node = dynamic_cast<BackgroundNode*>(
            scene.Show(std::string(R"(<backgroundnode width="33.5" height="17.5" images=")") + c.images + "\"/>"));
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->GetHeight(), 17.5f) << "the layout's height is taken as it is";
        EXPECT_EQ(node->GetWidth(), 33.5f);
        node->SetHeight(c.requested);
        EXPECT_EQ(node->GetHeight(), float(c.height)) << c.images << " " << c.requested;
        EXPECT_EQ(node->GetWidth(), 33.5f) << "the width is never snapped";
    }
}

TEST(BackgroundNode, DrawsTheNinePiecesInItsAlphaAndTakesNoFocus)
{
    ControlScene scene;
    scene.Load(R"(
        <testimagelist name="Frame" sizes="4x10,6x10,4x10,4x8,6x8,4x8,4x12,6x12,4x12"/>
        <testimagelist name="Eight" sizes="4x10,6x10,4x10,4x8,6x8,4x8,4x12,6x12"/>)");
    auto* node = dynamic_cast<BackgroundNode*>(
        scene.Show(R"(<backgroundnode images="Frame" x="3" y="4" width="20" height="30" color="#FF000080"/>)"));
    ASSERT_NE(node, nullptr);
    auto* eight = scene.Show(R"(<backgroundnode images="Eight" width="20" height="30"/>)");
    scene.Update();

    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    scene.Draw(&canvas);
    // Top row: corner, 12 of edge (two copies), corner; bottom row likewise; one middle row of 8.
    ASSERT_EQ(canvas.calls.size(), 12u) << "the frame of 9 draws, the list of 8 draws nothing";
    EXPECT_EQ(canvas.calls[0].numbers, (std::vector<float>{3, 4}));
    for (const CanvasCall& call : canvas.calls)
    {
        EXPECT_EQ(call.state.tint, (ColorF{1, 1, 1, 128 / 255.0f})) << "the world alpha only, not the colour";
        EXPECT_LT(call.numbers[1], 34.0f);
    }

    EXPECT_FALSE(node->CanTakeFocus());
    EXPECT_FALSE(eight->CanTakeFocus());
    ButtonNode button({1, 1, 1, 1}, L"", Label(), nullptr, 0.0f, nullptr);
    EXPECT_TRUE(button.CanTakeFocus());
}
