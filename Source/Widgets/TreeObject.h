// A tree of nodes shown as indented rows in a nine-piece frame: every node in pre-order (a node,
// then its children's subtrees), each row indented by its depth times the indent (10) and as tall
// as its node says. A press on a row selects that node and reports "TreeSelectionChange", also
// when it was selected already; the tree takes neither focus nor capture. What a row shows is the
// node's: the tree sets the font, the text colour and, for the selected node, the selected text
// colour and (as the effect colour) the selected background colour, and clips to the row.
//
// Nodes belong to the container that holds them; a node's depth follows its nesting (0 directly
// under the tree). Its factory, "tree", reads the list's attributes: "images", "textColor",
// "selectedTextColor" and "selectedBackgroundColor".
#pragma once

#include "Widgets/ItemViewObject.h"
#include "Widgets/ObjectFactory.h"

#include <functional>
#include <string>
#include <vector>

namespace Corvane
{
class TreeNode;

// Holds and owns an ordered list of child nodes.
class TreeNodeContainer
{
public:
    TreeNodeContainer() = default;
    // Deletes the children in order.
    virtual ~TreeNodeContainer();
    TreeNodeContainer(const TreeNodeContainer&) = delete;
    TreeNodeContainer& operator=(const TreeNodeContainer&) = delete;

    // Appends node (owned from now on; null is ignored) and sets its depth, and its descendants',
    // from its place. Returns node.
    TreeNode* AddChild(TreeNode* node);
    // Deletes the index-th child with its subtree; nothing for an index out of range.
    void RemoveChild(unsigned index);
    // Deletes every child.
    void ClearChildren();
    // The index-th child, null when index is not below the child count.
    TreeNode* GetChild(unsigned index) const;
    unsigned GetChildCount() const { return static_cast<unsigned>(mChildren.size()); }
    // Children, their children and so on.
    unsigned CountDescendants() const;
    // The node at flatIndex in the pre-order of the descendants; null past the end.
    TreeNode* GetNodeAt(unsigned flatIndex) const;
    // Calls visit on every descendant in pre-order until it returns false; false when it did.
    bool VisitDescendants(const std::function<bool(TreeNode&)>& visit) const;

protected:
    // The depth of this container's children.
    virtual int GetChildDepth() const { return 0; }

private:
    // Gives node the depth and its descendants the depths that follow from it.
    static void SetSubtreeDepth(TreeNode& node, int depth);

    std::vector<TreeNode*> mChildren;
};

// A node of the tree: it says how tall its row is and draws itself into it.
class TreeNode : public TreeNodeContainer
{
public:
    int GetDepth() const { return mDepth; }
    bool IsSelected() const { return mSelected; }
    void SetSelected(bool selected) { mSelected = selected; }

    // The height of the node's row, with the draw state the tree has set.
    virtual float GetHeight() const = 0;
    // Draws the node in row with the current draw state.
    virtual void Draw(const Rect<float>& row) = 0;

protected:
    int GetChildDepth() const override { return mDepth + 1; }

private:
    friend class TreeNodeContainer;

    int mDepth = 0;
    bool mSelected = false;
};

// A node showing one line of text: a row of the font's line height plus 2, filled with the effect
// colour when selected, the text 1 pixel below the row's top.
class TextTreeNode : public TreeNode
{
public:
    explicit TextTreeNode(std::wstring text) : mText(std::move(text)) {}

    const std::wstring& GetText() const { return mText; }
    // 0 without a font in the current draw state.
    float GetHeight() const override;
    void Draw(const Rect<float>& row) override;

private:
    std::wstring mText;
};

class TreeObject : public ItemViewObject, public TreeNodeContainer
{
public:
    using ItemViewObject::ItemViewObject;

    // Sets each node's selected flag to whether it is node (null clears them all), then
    // broadcasts "TreeSelectionChange".
    void SetSelection(TreeNode* node);
    // The first selected node in pre-order, or null.
    TreeNode* GetSelection() const;

    // The position in pre-order of the first row drawn; negative values count as 0.
    void SetTopIndex(int index) { mTop = index < 0 ? 0 : index; }
    int GetTopIndex() const { return mTop; }
    void SetIndent(float indent) { mIndent = indent; }
    float GetIndent() const { return mIndent; }

    void Draw() override;
    bool MouseDown(int button, int x, int y) override;

private:
    Rect<float> GetContentArea() const { return ItemViewObject::GetContentArea(1); }
    // Makes the current draw state the one rows are measured and drawn with (the tree's font and
    // colour), then calls visit with each row's node and rectangle from the top index on until it
    // returns false; the draw state is restored after.
    void VisitRows(const std::function<bool(TreeNode&, const Rect<float>&)>& visit) const;

    int mTop = 0;
    float mIndent = 10.0f;
};

class TreeObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
