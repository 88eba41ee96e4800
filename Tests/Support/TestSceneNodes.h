// Node types for tests of the scene graph, registered by the scene harness:
//   "testboxnode"      attributes "width", "height": fills its world rectangle (plus the draw
//                      offset) with its world colour, alpha included, while visible in the world.
//   "testpicturenode"  attributes "src" (an image resource), "snap" (bool): draws its image with
//                      DrawNodeImage; its size is the image's unless "width"/"height" say.
#pragma once

#include "Graphics/Image.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

namespace Corvane::Testing
{
class TestBoxNode : public SceneNode
{
public:
    void Draw(const Vector2<float>& offset) override;
};

class TestPictureNode : public SceneNode
{
public:
    void Draw(const Vector2<float>& offset) override;

    IImage* mImage = nullptr;
    bool mSnap = false;
};

class TestBoxNodeFactory : public BasicSceneNodeFactory
{
public:
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};

class TestPictureNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};

// Registers both under their element names.
void RegisterTestSceneNodes();
} // namespace Corvane::Testing
