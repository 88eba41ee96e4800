// Scene layouts: XML resources that each describe one tree of nodes.
//
//     <scenelayout name="PauseLayout">
//         <scenenode name="Panel" centerOnParent="true" width="400" height="300">
//             <textspritenode nodeName="Title" x="20" y="10" .../>
//             <sceneref scenename="CommonButtons" nodeName="Buttons" y="200"/>
//         </scenenode>
//     </scenelayout>
//
// The element names select node factories in the registry (SceneNodeFactory.h). Each element is
// read once, on the loader thread, into a LayoutDescriptor: the factory's own descriptor plus the
// attributes common to every node (name, nodeName, x, y, scaleX, scaleY, orientation in degrees,
// visible, color or alpha, hitTest, buttons, the alignments and pivots). Instantiating builds new
// nodes on the main thread, children in document order (which is draw order), and registers the
// tree in a database. A "sceneref" element instantiates the root of another layout, loaded
// before, with the referring element's common attributes in place of the root's own.
//
// Errors raise SceneLayoutException: "scene has more than one root node", "scene has no root
// node", "unrecognized node type: "<element>"", "sceneref: layout "<name>" not found", each
// preceded by "in SceneLayout "<layout>": ".
#pragma once

#include "Framework/IResourceFactory.h"
#include "Graphics/ColorF.h"
#include "Label.h"
#include "SceneGraph/SceneNodeFactory.h"

#include <memory>
#include <vector>

namespace Corvane
{
class IXMLReader;
class ObjectDatabase;
class XMLElement;
} // namespace Corvane

class SceneNode;

class SceneLayout
{
public:
    // One node element of a layout.
    class LayoutDescriptor
    {
    public:
        LayoutDescriptor() = default;
        LayoutDescriptor(const LayoutDescriptor&) = delete;
        LayoutDescriptor& operator=(const LayoutDescriptor&) = delete;

        // Reads the element's common attributes (the factory's descriptor comes first).
        void ReadCommonAttributes(const Corvane::IAttributeContainer& attributes);
        // Builds this node (and its children) and attaches it under parent (may be null). Not
        // registered. Null when the factory built nothing.
        SceneNode* Instantiate(SceneNode* parent) const;
        // Gives node this element's common attributes (name, placement, flags, alignment when it
        // has a parent) and builds the children under it.
        void Apply(SceneNode& node, SceneNode* parent) const;

        SceneNodeFactory* mFactory = nullptr;
        std::unique_ptr<SceneNodeDescriptor> mNodeDescriptor;
        std::vector<std::unique_ptr<LayoutDescriptor>> mChildren;
        int mParentHAlign = 0;
        int mParentVAlign = 0;
        int mSelfHAlign = 0;
        int mSelfVAlign = 0;
        Corvane::Label mName;
        Corvane::Label mNodeName;
        float mX = 0.0f;
        float mY = 0.0f;
        float mScaleX = 1.0f;
        float mScaleY = 1.0f;
        float mOrientation = 0.0f; // radians
        bool mVisible = true;
        Corvane::ColorF mColor{1.0f, 1.0f, 1.0f, 1.0f};
        bool mHitTest = false;
        unsigned mButtons = 1;
        int mRotateHAlign = 0;
        int mRotateVAlign = 0;
        int mScaleHAlign = 0;
        int mScaleVAlign = 0;
    };

    SceneLayout() = default;
    SceneLayout(const SceneLayout&) = delete;
    SceneLayout& operator=(const SceneLayout&) = delete;

    // Null until the layout has been read.
    const LayoutDescriptor* GetRoot() const { return mRoot.get(); }
    void SetRoot(std::unique_ptr<LayoutDescriptor> root) { mRoot = std::move(root); }

    // Builds the tree under parent (may be null), registers it in database (children before
    // parents) and returns its root; null for an empty layout. Main thread.
    SceneNode* Instantiate(SceneNode* parent, Corvane::ObjectDatabase* database) const;

    // Reads the content of a "scenelayout" element: reader has passed the element's start tag and
    // ends with its end tag. Raises SceneLayoutException (without the layout prefix).
    void Read(Corvane::IXMLReader& reader);

    // The loaded layout of that name, or null.
    static SceneLayout* Find(Corvane::Label name);
    // The tree of the loaded layout of that name, unregistered; without the layout (or for an
    // empty one) a bare node named fallbackRoot, so an object still has a node to work on.
    static SceneNode* InstantiateOrBare(Corvane::Label name, Corvane::Label fallbackRoot);

private:
    std::unique_ptr<LayoutDescriptor> mRoot;
};

// Deletes a tree that was built but never registered in a database (an instantiation that failed
// half-way, or one built only to be looked at).
void DeleteUnregisteredTree(SceneNode* node);

// Reads one node element, on whose start tag reader stands, with its children; consumes exactly
// the element. Raises SceneLayoutException for an element name nobody registered.
std::unique_ptr<SceneLayout::LayoutDescriptor> ReadLayoutNode(Corvane::IXMLReader& reader,
                                                              const Corvane::XMLElement& element);

// The "scenelayout" resource element.
class SceneLayoutResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* Create(std::wstring manifest, Corvane::Label name,
                                         const Corvane::IAttributeContainer* element,
                                         Corvane::IXMLReader* children) override;
};
