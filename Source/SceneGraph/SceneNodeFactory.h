// Node types as layouts know them: a descriptor (the values an element's attributes gave, read
// once when the layout is loaded) and a factory (registered under the element's name) that builds
// a node from its descriptor each time the layout is instantiated. See SceneNode.h for how to
// write a node type.
#pragma once

#include "AttributeContainer.h"
#include "Framework/ResourceManager.h"

#include <map>
#include <memory>
#include <string>
#include <typeinfo>

class SceneNode;

class SceneNodeDescriptor
{
public:
    virtual ~SceneNodeDescriptor() = default;
};

class SceneNodeFactory
{
public:
    // Element name (matched exactly, case included) to factory.
    using Registry = std::map<std::wstring, std::unique_ptr<SceneNodeFactory>>;

    virtual ~SceneNodeFactory() = default;
    // A new descriptor, owned by the caller, from the element's attributes. Runs on the resource
    // manager's loader thread. May throw (SceneLayoutException for layout errors).
    virtual SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) = 0;
    // A new node built from a descriptor that this factory created; not yet attached nor
    // registered. Main thread.
    virtual SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) = 0;

    // The process-wide registry, made on first use. Filled at start-up, read by the layout reader.
    static Registry& GetRegistry();
};

// Hands factory (owned from now on) to the registry under elementName; a factory registered
// before under that name is deleted.
void RegisterNodeFactory(const std::wstring& elementName, SceneNodeFactory* factory);
// The factory registered under elementName (exact match), or null.
SceneNodeFactory* FindNodeFactory(const std::wstring& elementName);

// descriptor as the factory's own descriptor type; std::bad_cast for another type.
template <typename Descriptor> const Descriptor& DescriptorAs(const SceneNodeDescriptor& descriptor)
{
    return dynamic_cast<const Descriptor&>(descriptor);
}

// The resource named name when it is a T (Corvane::Image, Corvane::IImageList, Corvane::Font...),
// else null: a missing or mistyped resource is no error for a node.
template <typename T> T* FindNodeResource(Corvane::Label name)
{
    if (name.IsNull())
        return nullptr;
    return Corvane::ResourceManager::Get<T>(name).Get();
}

// The attribute's text interned as a label (resource and node names); the null label when the
// attribute is absent or empty.
Corvane::Label ReadLabelAttribute(const Corvane::IAttributeContainer& attributes, const std::wstring& name);

// The plain node ("scenenode"): attributes "width" and "height".
class BasicSceneNodeDescriptor : public SceneNodeDescriptor
{
public:
    float mWidth = 0.0f;
    float mHeight = 0.0f;
};

class BasicSceneNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
