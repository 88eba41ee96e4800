// The node that lays its children out like words in a paragraph: along a row (or a column) until
// the next child would pass the maximum extent, then on a new row (column). It draws nothing
// itself and takes the arrangement's size as its own. Layouts create it from "nodegridnode":
//
//   <nodegridnode maxWidth="200" hSpacing="4" vSpacing="4">
//     <staticspritenode src="Star"/> ...
//   </nodegridnode>
//
// The children are laid out again whenever one is attached or unlinked, and once more when the
// grid is registered, because a layout attaches each child before building the child's own
// children and a composite child only then has its full extent. Other changes (a child growing,
// new spacing) wait for the next of these or for Arrange. Main thread only.
#pragma once

#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

#include <string>

class NodeGridNode : public SceneNode
{
public:
    enum GrowBehavior
    {
        kHorizontalFirst = 0, // fill rows, wrap at the maximum width
        kVerticalFirst = 1,   // fill columns, wrap at the maximum height
    };

    // A negative maximum means no limit: one unbroken row (column). Unnamed, 0 x 0.
    NodeGridNode(float hSpacing, float vSpacing, float maxWidth, float maxHeight, int growBehavior);

    void ChildAdded(SceneNode* child) override;
    void ChildRemoved(SceneNode* child) override;
    // "Add" (the grid registered after its whole subtree) lays the children out again.
    void OnMessage(const Corvane::ObjectMessage& message) override;

    // Places every child by its tree extent, in child-list order, and takes the arrangement's size.
    void Arrange();

    float GetHSpacing() const { return mHSpacing; }
    float GetVSpacing() const { return mVSpacing; }
    float GetMaxWidth() const { return mMaxWidth; }
    float GetMaxHeight() const { return mMaxHeight; }
    int GetGrowBehavior() const { return mGrowBehavior; }

private:
    // Rows along x wrapping at the maximum width, or (columns) along y wrapping at the maximum
    // height: one walk with the axes exchanged.
    void ArrangeLines(bool columns);

    float mHSpacing;
    float mVSpacing;
    float mMaxWidth;
    float mMaxHeight;
    int mGrowBehavior;
};

// "gridGrowBehavior": "verticalFirst" gives kVerticalFirst, any other text kHorizontalFirst.
int ParseGridGrowBehavior(const std::wstring& text);

class NodeGridNodeDescriptor : public SceneNodeDescriptor
{
public:
    float mHSpacing = 0.0f;
    float mVSpacing = 0.0f;
    float mMaxWidth = -1.0f;
    float mMaxHeight = -1.0f;
    int mGrowBehavior = NodeGridNode::kHorizontalFirst;
};

class NodeGridNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
