#include "SceneGraph/NodePath.h"

#include "SceneGraph/SceneNode.h"

#include <gtest/gtest.h>

using namespace Corvane;

namespace
{
TEST(NodePath, StepsFindChildrenByIndexAndByNodeNameInAnyCase)
{
    SceneNode root, panel, first, second, named, objectNamed(Label("ObjectOnly"));
    panel.AttachAs(&root, Label("Panel"));
    first.SetParent(&panel);
    second.SetParent(&panel);
    named.AttachAs(&second, Label("Score"));
    objectNamed.SetParent(&panel);

    const std::string text = "score";
    const wchar_t* wide = L"SCORE";
    struct Case
    {
        NodePath path;
        SceneNode* found;
    };
    const Case cases[] = {
        {{}, &root},
        {{NodePathEnd{}}, &root},
        {{"Panel"}, &panel},
        {{Label("PANEL"), 0}, &first},
        {{"panel", 1, std::string(text)}, &named},
        {{"Panel", 1, std::wstring(wide)}, &named},
        {{"Panel", 1, wide}, &named},
        {{"Panel", 1, "Score", NodePathEnd{}, "Nowhere"}, &named},
        {{"Panel", 2}, &objectNamed},
        {{"Panel", 3}, nullptr},
        {{"Panel", -1}, nullptr},
        {{"Panel", "ObjectOnly"}, nullptr},
        {{"Missing", 0}, nullptr},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(root.FindByPath(cases[i].path), cases[i].found) << "case " << i;

    EXPECT_EQ(root.FindChild(NodePathEnd{}), nullptr);
    EXPECT_EQ(root.FindByPath(NodePath{"Panel"} + NodePath{1, "Score"}), &named);
}
} // namespace
