// Plain shapes in the node's colour: "rectnode" (the node's rectangle) and "ellipsenode" (the
// ellipse inscribed in it), filled or as an outline. Highlights, shadows, dimmers, placeholders:
//
//   <rectnode name="dimmer" width="800" height="600" color="#00000080"/>
//   <ellipsenode width="40" height="20" filled="false" color="#FFFFFF"/>
//
// The shape's size is the node's own width and height (not scaled by its ancestors); both types
// are hit-tested as the node's rectangle. Main thread only.
#pragma once

#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

class ShapeNode : public SceneNode
{
public:
    bool IsFilled() const { return mFilled; }
    void SetFilled(bool filled) { mFilled = filled; }

protected:
    // The shape's rectangle at the world position + offset; false when the node is hidden.
    bool GetDrawRect(const Corvane::Vector2<float>& offset, Corvane::Rect<float>& rect);

private:
    bool mFilled = true;
};

class RectNode : public ShapeNode
{
public:
    // Filled, or the outline through the rectangle's outermost pixels.
    void Draw(const Corvane::Vector2<float>& offset) override;
};

class EllipseNode : public ShapeNode
{
public:
    void Draw(const Corvane::Vector2<float>& offset) override;
};

// "width" and "height" (0), "filled" (true).
class ShapeNodeDescriptor : public SceneNodeDescriptor
{
public:
    float mWidth = 0.0f;
    float mHeight = 0.0f;
    bool mFilled = true;
};
using RectNodeDescriptor = ShapeNodeDescriptor;
using EllipseNodeDescriptor = ShapeNodeDescriptor;

template <typename Node> class ShapeNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
using RectNodeFactory = ShapeNodeFactory<RectNode>;
using EllipseNodeFactory = ShapeNodeFactory<EllipseNode>;
