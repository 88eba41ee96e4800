#include "SceneGraph/SceneLayout.h"

#include "Framework/ValueResources.h"
#include "Framework/ValueWrapper.h"
#include "Graphics/RecordingCanvas.h"
#include "SceneGraph/RandomRange.h"
#include "SceneGraph/SceneLayoutException.h"
#include "SceneGraph/SceneText.h"
#include "Support/SceneHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// What the layout reader raised for body, or "" when it read it.
std::string LoadError(SceneHarness& scene, const std::string& body)
{
    try
    {
        scene.Load(body);
    }
    catch (const SceneLayoutException& error)
    {
        return error.what();
    }
    return "";
}

TEST(SceneLayout, CommonAttributesPlaceAndFlagEveryNode)
{
    SceneHarness scene;
    struct Case
    {
        const char* attributes;
        std::array<int, 4> align;
        unsigned buttons;
    };
    const Case alignments[] = {
        {"", {0, 0, 0, 0}, 1},
        {R"(centerOnParent="true" parentHAlign="right" selfVAlign="bottom")", {1, 1, 1, 1}, 1},
        {R"(centerHOnParent="true" parentVAlign="bottom" selfHAlign="right")", {1, 2, 1, 0}, 1},
        {R"(centerVOnParent="true" parentHAlign="center" selfVAlign="top")", {1, 1, 0, 1}, 1},
        {R"(parentHAlign="right" parentVAlign="middle" selfHAlign="center" selfVAlign="bottom")", {2, 1, 1, 2}, 1},
        {R"(parentHAlign="Right" selfVAlign="BOTTOM")", {0, 0, 0, 0}, 1},
        {R"(buttons=" left , middle ")", {0, 0, 0, 0}, 5},
        {R"(buttons="right")", {0, 0, 0, 0}, 3},
        {R"(buttons="none")", {0, 0, 0, 0}, 1},
        {R"(buttons="all")", {0, 0, 0, 0}, ~0u},
        {R"(buttons="left,thumb")", {0, 0, 0, 0}, 1},
    };
    for (const Case& c : alignments)
    {
        SceneNode* node = scene.Show(std::string("<scenenode ") + c.attributes + "/>");
        ASSERT_NE(node, nullptr) << c.attributes;
        EXPECT_EQ(node->GetAlignment(), c.align) << c.attributes;
        EXPECT_EQ(node->GetButtons(), c.buttons) << c.attributes;
    }

    SceneNode* node = scene.Show(R"(<scenenode name="Panel" nodeName="Slot" x="12.5" y="-3" scaleX="2" scaleY="0.5"
        orientation="90" visible="false" color="#FF000080" alpha="0.1" hitTest="true" width="30" height="40"
        rotateHAlign="right" rotateVAlign="middle" scaleHAlign="center" scaleVAlign="bottom"/>)");
    const NodeState& local = node->GetLocalState();
    EXPECT_EQ(node->GetName(), Label("panel"));
    EXPECT_EQ(node->GetNodeName(), Label("SLOT"));
    EXPECT_EQ(scene.Root()->FindByPath({"slot"}), node);
    EXPECT_EQ(scene.Screen().FindByName(Label("PANEL")), node);
    EXPECT_EQ(local.GetPosition(), (Vector2<float>{12.5f, -3}));
    EXPECT_EQ(local.GetScale(), (Vector2<float>{2, 0.5f}));
    EXPECT_NEAR(local.orientation, 1.5708f, 1e-4);
    EXPECT_FALSE(local.visible);
    EXPECT_EQ(local.color, (ColorF{1, 0, 0, 128 / 255.0f})) << "the alpha comes from the colour";
    EXPECT_TRUE(node->GetHitTest());
    EXPECT_EQ(local.GetSize(), (Vector2<float>{30, 40}));
    EXPECT_EQ(node->GetRotateHAlign(), 2);
    EXPECT_EQ(node->GetRotateVAlign(), 1);
    EXPECT_EQ(node->GetScaleHAlign(), 1);
    EXPECT_EQ(node->GetScaleVAlign(), 2);
    EXPECT_EQ(node->GetDirty(), unsigned(kDirtyAll));

    node = scene.Show(R"(<scenenode alpha="0.25"/>)");
    EXPECT_EQ(node->GetLocalState().color, (ColorF{1, 1, 1, 0.25f}));
    EXPECT_EQ(node->GetName(), Label());
    EXPECT_EQ(node->GetRotateHAlign(), 0) << "layouts pivot on the top-left unless told";
    node = scene.Show(R"(<scenenode color="red"/>)");
    EXPECT_EQ(node->GetLocalState().color, (ColorF{0, 0, 0, 1}));
}

TEST(SceneLayout, ReadingErrorsNameTheLayout)
{
    SceneHarness scene;
    struct Case
    {
        const char* body;
        const char* error;
    };
    const Case cases[] = {
        {R"(<scenelayout name="Twice"><scenenode/><scenenode/></scenelayout>)",
         R"(in SceneLayout "Twice": scene has more than one root node)"},
        {R"(<scenelayout name="Wordy">only words</scenelayout>)", R"(in SceneLayout "Wordy": scene has no root node)"},
        {R"(<scenelayout name="Empty"/>)", R"(in SceneLayout "Empty": scene has no root node)"},
        {R"(<scenelayout name="Cased"><SceneNode/></scenelayout>)",
         R"(in SceneLayout "Cased": unrecognized node type: "SceneNode")"},
        {R"(<scenelayout name="Deep"><scenenode><scenenode><gizmonode/></scenenode></scenenode></scenelayout>)",
         R"(in SceneLayout "Deep": unrecognized node type: "gizmonode")"},
        {R"(<scenelayout name="Dangling"><sceneref scenename="Elsewhere"/></scenelayout>)",
         R"(in SceneLayout "Dangling": sceneref: layout "Elsewhere" not found)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadError(scene, c.body), c.error);
    EXPECT_EQ(SceneLayout::Find(Label("Twice")), nullptr) << "a failed layout is not entered";

    SceneLayoutException bare("scene has no root node");
    EXPECT_STREQ(bare.what(), "scene has no root node");
    EXPECT_EQ(bare.GetLayoutName(), "");
}

TEST(SceneLayout, EachElementIsReadExactlyAndDocumentOrderIsDrawOrder)
{
    SceneHarness scene;
    RegisterValueResourceFactories();
    // Nested elements, text between them, and resources after the layout in the same manifest.
    scene.Load(R"(<scenelayout name="Boxes">
          <testboxnode nodeName="Back" width="100" height="100" color="#FF0000">
            text is ignored
            <testboxnode nodeName="Inner" x="10" y="10" width="5" height="5" color="#00FF00">
              <scenenode nodeName="Leaf"/>
            </testboxnode>
            <testboxnode nodeName="Second" x="20" width="5" height="5" color="#0000FF"/>
          </testboxnode>
        </scenelayout>
        <int name="AfterTheLayout" value="7"/>
        <scenelayout name="Next"><scenenode nodeName="Alone"/></scenelayout>)");
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("AfterTheLayout"), 0), 7);
    ASSERT_NE(SceneLayout::Find(Label("Next")), nullptr);
    EXPECT_TRUE(SceneLayout::Find(Label("Next"))->GetRoot()->mChildren.empty());

    SceneNode* back = scene.Instantiate("Boxes");
    ASSERT_NE(back, nullptr);
    EXPECT_NE(back->FindByPath({"Inner", "Leaf"}), nullptr);
    EXPECT_EQ(back->FindByPath({0}), back->FindByPath({"Inner"}));
    EXPECT_EQ(back->FindByPath({1}), back->FindByPath({"Second"}));
    // Every node is registered.
    for (const NodePath& path : {NodePath{}, NodePath{"Inner"}, NodePath{"Inner", "Leaf"}, NodePath{"Second"}})
        EXPECT_EQ(scene.Screen().Get(back->FindByPath(path)->GetID()), back->FindByPath(path));

    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    scene.Update();
    scene.Draw(&canvas);
    ASSERT_EQ(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[0].state.color, (ColorF{1, 0, 0, 1}));
    EXPECT_EQ(canvas.calls[1].state.color, (ColorF{0, 1, 0, 1}));
    EXPECT_EQ(canvas.calls[1].numbers, (std::vector<float>{10, 10, 5, 5}));
    EXPECT_EQ(canvas.calls[2].state.color, (ColorF{0, 0, 1, 1}));
}

TEST(SceneLayout, ASceneRefsAttributesReplaceThoseOfTheReferencedRoot)
{
    SceneHarness scene;
    scene.Load(R"(<scenelayout name="Card">
          <scenenode name="CardRoot" nodeName="CardSlot" x="5" y="6" visible="false" color="#00FF00" scaleX="3"
                     width="40" height="30" parentHAlign="right">
            <scenenode nodeName="Face"/>
          </scenenode>
        </scenelayout>
        <scenelayout name="Table">
          <scenenode width="200" height="100">
            <sceneref scenename="card" nodeName="Left" x="50" alpha="0.5">
              <scenenode nodeName="Sticker"/>
            </sceneref>
            <sceneref scenename="Card" name="RightCard" nodeName="Right" parentHAlign="right"/>
          </scenenode>
        </scenelayout>)");
    SceneNode* table = scene.Instantiate("Table");
    SceneNode* left = table->FindByPath({"Left"});
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->GetName(), Label()) << "an omitted name leaves the root unnamed";
    EXPECT_EQ(left->GetLocalState().GetPosition(), (Vector2<float>{50, 0}));
    EXPECT_TRUE(left->IsVisible());
    EXPECT_EQ(left->GetColor(), (ColorF{1, 1, 1, 0.5f}));
    EXPECT_EQ(left->GetScale(), (Vector2<float>{1, 1}));
    EXPECT_EQ(left->GetAlignment(), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(left->GetWidth(), 40) << "the node type's own attributes stay";
    // The referring element's children come after the root's.
    EXPECT_EQ(left->FindByPath({0}), left->FindByPath({"Face"}));
    EXPECT_EQ(left->FindByPath({1}), left->FindByPath({"Sticker"}));
    EXPECT_EQ(table->FindByPath({"CardSlot"}), nullptr);

    SceneNode* right = table->FindByPath({"Right"});
    EXPECT_EQ(scene.Screen().FindByName(Label("RightCard")), right);
    EXPECT_EQ(right->GetWorldPosition().x, 200);
    EXPECT_EQ(scene.Screen().FindByName(Label("CardRoot")), nullptr);
}

// A node type that fails on its nth instantiation.
class FailingFactory : public BasicSceneNodeFactory
{
public:
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override
    {
        if (--countdown == 0)
            throw std::runtime_error("no more nodes");
        return BasicSceneNodeFactory::CreateNode(descriptor);
    }
    int countdown = 0;
};

TEST(SceneLayout, AnInstantiationFailingHalfWayLeavesTheSceneAsItWas)
{
    SceneHarness scene;
    auto* failing = new FailingFactory;
    RegisterNodeFactory(L"failingnode", failing);
    scene.Load(R"(<scenelayout name="Fragile">
          <failingnode><failingnode/><failingnode><failingnode/></failingnode></failingnode>
        </scenelayout>)");
    const int objects = scene.Screen().GetSize();
    failing->countdown = 4;
    EXPECT_THROW(scene.Instantiate("Fragile"), std::runtime_error);
    EXPECT_TRUE(scene.Root()->GetChildren().empty());
    EXPECT_EQ(scene.Screen().GetSize(), objects);
    failing->countdown = 5;
    EXPECT_NE(scene.Instantiate("Fragile"), nullptr);
    EXPECT_EQ(scene.Instantiate("NoSuchLayout"), nullptr);
}

TEST(SceneLayout, RandomRangesKeepTheirBounds)
{
    SceneHarness scene;
    scene.Load(R"(<randomrange name="Wobble" min="-2.5" max="4"/><randomrange name="Nothing"/>)");
    const auto wobble = ResourceManager::Get<Internal::ValueWrapper<RandomRange>>("Wobble");
    ASSERT_TRUE(wobble);
    EXPECT_EQ(wobble->value.min, -2.5f);
    EXPECT_EQ(wobble->value.max, 4.0f);
    const auto nothing = ResourceManager::Get<Internal::ValueWrapper<RandomRange>>("Nothing");
    EXPECT_EQ(nothing->value.min, 0.0f);
    EXPECT_EQ(nothing->value.max, 0.0f);
}

TEST(SceneText, TrimmingSplittingAndKeywords)
{
    EXPECT_EQ(RemoveWhitespace(L" a\tb\r\nc d "), L"abcd");
    EXPECT_EQ(RemoveCharacters(L"a-b_c-", L"-_"), L"abc");
    using Pieces = std::vector<std::wstring>;
    EXPECT_EQ(Split(L"left,right", L','), (Pieces{L"left", L"right"}));
    EXPECT_EQ(Split(L",left,,right,", L','), (Pieces{L"left", L"", L"right", L""}));
    EXPECT_EQ(Split(L"", L','), Pieces{});
    EXPECT_EQ(Split(L"solo", L','), (Pieces{L"solo"}));
    EXPECT_EQ(ParseHAlign(L"center", 0), 1);
    EXPECT_EQ(ParseHAlign(L"right", 0), 2);
    EXPECT_EQ(ParseHAlign(L"Center", 7), 7);
    EXPECT_EQ(ParseVAlign(L"middle", 0), 1);
    EXPECT_EQ(ParseVAlign(L"bottom", 0), 2);
    EXPECT_EQ(ParseVAlign(L"center", 0), 0);
}
} // namespace
