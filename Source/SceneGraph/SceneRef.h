// "sceneref": an element that instantiates another layout's root in its place. The referenced
// layout ("scenename") must be loaded before the referring one is read. The referring element's
// common attributes replace the root's own (an omitted one takes its default), and its child
// elements are added after the root's children.
#pragma once

#include "SceneGraph/SceneNodeFactory.h"

class SceneRefDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mSceneName;
};

class SceneRefFactory : public SceneNodeFactory
{
public:
    // Raises SceneLayoutException when no loaded layout has the name.
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
