#include "Widgets/TreeObject.h"

#include "Graphics/DrawingFunctions.h"
#include "Graphics/Font.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"
#include "Widgets/WidgetFocus.h"

#include <memory>

namespace Corvane
{
using namespace Graphics;

namespace
{
// Text rows are this much taller than the font's lines.
constexpr float kRowPadding = 2.0f;

Label TreeSelectionChange()
{
    static const Label label("TreeSelectionChange");
    return label;
}
} // namespace

TreeNodeContainer::~TreeNodeContainer()
{
    ClearChildren();
}

TreeNode* TreeNodeContainer::AddChild(TreeNode* node)
{
    if (!node)
        return nullptr;
    std::unique_ptr<TreeNode> owned(node);
    mChildren.push_back(node);
    owned.release();
    SetSubtreeDepth(*node, GetChildDepth());
    return node;
}

void TreeNodeContainer::SetSubtreeDepth(TreeNode& node, int depth)
{
    node.mDepth = depth;
    for (TreeNode* child : node.mChildren)
        SetSubtreeDepth(*child, depth + 1);
}

void TreeNodeContainer::RemoveChild(unsigned index)
{
    if (index >= mChildren.size())
        return;
    TreeNode* node = mChildren[index];
    mChildren.erase(mChildren.begin() + index);
    delete node;
}

void TreeNodeContainer::ClearChildren()
{
    std::vector<TreeNode*> children;
    children.swap(mChildren);
    for (TreeNode* child : children)
        delete child;
}

TreeNode* TreeNodeContainer::GetChild(unsigned index) const
{
    return index < mChildren.size() ? mChildren[index] : nullptr;
}

unsigned TreeNodeContainer::CountDescendants() const
{
    unsigned count = 0;
    for (const TreeNode* child : mChildren)
        count += 1 + child->CountDescendants();
    return count;
}

TreeNode* TreeNodeContainer::GetNodeAt(unsigned flatIndex) const
{
    for (TreeNode* child : mChildren)
    {
        if (flatIndex == 0)
            return child;
        --flatIndex;
        const unsigned below = child->CountDescendants();
        if (flatIndex < below)
            return child->GetNodeAt(flatIndex);
        flatIndex -= below;
    }
    return nullptr;
}

bool TreeNodeContainer::VisitDescendants(const std::function<bool(TreeNode&)>& visit) const
{
    for (TreeNode* child : mChildren)
        if (!visit(*child) || !child->VisitDescendants(visit))
            return false;
    return true;
}

float TextTreeNode::GetHeight() const
{
    const Font* font = GetRenderContext().state.font;
    return font ? static_cast<float>(font->GetLineHeight()) + kRowPadding : 0.0f;
}

void TextTreeNode::Draw(const Rect<float>& row)
{
    DrawState state = GetRenderContext().state;
    if (IsSelected())
    {
        DrawState fill = state;
        fill.color = state.effectColor;
        FillRect(row, fill, GetCurrentCanvas());
    }
    state.horizontalAlignment = kAlignLeft;
    state.verticalAlignment = kAlignLeft;
    DrawText(mText.c_str(), row.x, row.y + 1.0f, state, GetCurrentCanvas());
}

void TreeObject::SetSelection(TreeNode* node)
{
    VisitDescendants([node](TreeNode& each) {
        each.SetSelected(&each == node);
        return true;
    });
    BroadcastFrom(*this, TreeSelectionChange());
}

TreeNode* TreeObject::GetSelection() const
{
    TreeNode* selected = nullptr;
    VisitDescendants([&selected](TreeNode& each) {
        if (each.IsSelected())
            selected = &each;
        return selected == nullptr;
    });
    return selected;
}

void TreeObject::VisitRows(const std::function<bool(TreeNode&, const Rect<float>&)>& visit) const
{
    RenderContext rows = GetRenderContext();
    rows.state.font = GetFont();
    rows.state.color = GetColor();
    ScopedDrawState rowState(rows);
    const Rect<float> content = GetContentArea();
    float top = content.y;
    int index = 0;
    VisitDescendants([&](TreeNode& node) {
        if (index++ < mTop)
            return true;
        const float indent = static_cast<float>(node.GetDepth()) * mIndent;
        const Rect<float> row{content.x + indent, top, content.width - indent, node.GetHeight()};
        top += row.height;
        return visit(node, row);
    });
}

void TreeObject::Draw()
{
    if (!IsVisible())
        return;
    DrawFrame();
    VisitRows([this](TreeNode& node, const Rect<float>& row) {
        RenderContext clipped = GetRenderContext();
        clipped.state.clip = Rect<int>::FromRect(row);
        if (node.IsSelected())
        {
            clipped.state.color = GetSelectedTextColor();
            clipped.state.effectColor = GetSelectedBackgroundColor();
        }
        ScopedDrawState nodeState(clipped);
        node.Draw(row);
        return true;
    });
}

bool TreeObject::MouseDown(int, int x, int y)
{
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    if (!GetContentArea().Contains(px, py))
        return false;
    TreeNode* hit = nullptr;
    VisitRows([&](TreeNode& node, const Rect<float>& row) {
        if (row.Contains(px, py))
            hit = &node;
        return hit == nullptr;
    });
    if (hit)
        SetSelection(hit);
    return hit != nullptr;
}

Object* TreeObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto tree = std::make_unique<TreeObject>(name);
    ReadItemViewAttributes(*tree, attributes);
    return tree.release();
}
} // namespace Corvane
