#include "SceneGraph/SceneLayout.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceWrapper.h"
#include "SceneGraph/SceneLayoutException.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneText.h"
#include "TextConversion.h"
#include "XMLElement.h"
#include "XMLElementReader.h"

#include <numbers>

using namespace Corvane;

namespace
{
constexpr float kRadiansPerDegree = std::numbers::pi_v<float> / 180.0f;

std::wstring ReadText(const IAttributeContainer& attributes, const wchar_t* name, const wchar_t* fallback)
{
    return attributes.GetStringAttribute(name, fallback);
}

// "all", "none", or a comma-separated list of "left", "right" and "middle"; left is always in.
unsigned ParseButtons(const std::wstring& text)
{
    const std::wstring names = RemoveWhitespace(text);
    if (names == L"all")
        return ~0u;
    if (names == L"none")
        return 0;
    unsigned mask = 1;
    for (const std::wstring& name : Split(names, L','))
    {
        if (name == L"left")
            mask |= 1;
        else if (name == L"right")
            mask |= 2;
        else if (name == L"middle")
            mask |= 4;
    }
    return mask;
}
} // namespace

void DeleteUnregisteredTree(SceneNode* node)
{
    if (!node)
        return;
    for (SceneNode* child : node->GetChildren())
        DeleteUnregisteredTree(child);
    delete node;
}

void SceneLayout::LayoutDescriptor::ReadCommonAttributes(const IAttributeContainer& attributes)
{
    if (attributes.GetBoolAttribute(L"centerOnParent", false))
    {
        mParentHAlign = mParentVAlign = mSelfHAlign = mSelfVAlign = 1;
    }
    else
    {
        if (attributes.GetBoolAttribute(L"centerHOnParent", false))
        {
            mParentHAlign = mSelfHAlign = 1;
        }
        else
        {
            mParentHAlign = ParseHAlign(ReadText(attributes, L"parentHAlign", L"left"), 0);
            mSelfHAlign = ParseHAlign(ReadText(attributes, L"selfHAlign", L"left"), 0);
        }
        if (attributes.GetBoolAttribute(L"centerVOnParent", false))
        {
            mParentVAlign = mSelfVAlign = 1;
        }
        else
        {
            mParentVAlign = ParseVAlign(ReadText(attributes, L"parentVAlign", L"top"), 0);
            mSelfVAlign = ParseVAlign(ReadText(attributes, L"selfVAlign", L"top"), 0);
        }
    }
    if (attributes.HasAttribute(L"nodeName"))
        mNodeName = Label(ReadText(attributes, L"nodeName", L""));
    if (attributes.HasAttribute(L"name"))
        mName = Label(ReadText(attributes, L"name", L""));
    mX = attributes.GetFloatAttribute(L"x", 0.0f);
    mY = attributes.GetFloatAttribute(L"y", 0.0f);
    mScaleX = attributes.GetFloatAttribute(L"scaleX", 1.0f);
    mScaleY = attributes.GetFloatAttribute(L"scaleY", 1.0f);
    mOrientation = attributes.GetFloatAttribute(L"orientation", 0.0f) * kRadiansPerDegree;
    mVisible = attributes.GetBoolAttribute(L"visible", true);
    mColor = {1.0f, 1.0f, 1.0f, 1.0f};
    if (attributes.HasAttribute(L"color"))
        mColor = ParseColor(ReadText(attributes, L"color", L""));
    else
        mColor.alpha = attributes.GetFloatAttribute(L"alpha", 1.0f);
    mHitTest = attributes.GetBoolAttribute(L"hitTest", false);
    mButtons = ParseButtons(ReadText(attributes, L"buttons", L"left"));
    mRotateHAlign = ParseHAlign(ReadText(attributes, L"rotateHAlign", L"left"), 0);
    mRotateVAlign = ParseVAlign(ReadText(attributes, L"rotateVAlign", L"top"), 0);
    mScaleHAlign = ParseHAlign(ReadText(attributes, L"scaleHAlign", L"left"), 0);
    mScaleVAlign = ParseVAlign(ReadText(attributes, L"scaleVAlign", L"top"), 0);
}

SceneNode* SceneLayout::LayoutDescriptor::Instantiate(SceneNode* parent) const
{
    SceneNode* node = mFactory && mNodeDescriptor ? mFactory->CreateNode(*mNodeDescriptor) : nullptr;
    if (!node)
        return nullptr;
    try
    {
        Apply(*node, parent);
    }
    catch (...)
    {
        // Nothing of the half-built tree is registered yet: it is still ours to delete.
        if (node->GetParent() == nullptr)
            DeleteUnregisteredTree(node);
        throw;
    }
    return node;
}

void SceneLayout::LayoutDescriptor::Apply(SceneNode& node, SceneNode* parent) const
{
    node.SetName(mName);
    node.SetNodeName(mNodeName);
    NodeState local = node.GetLocalState();
    local.x = mX;
    local.y = mY;
    local.scaleX = mScaleX;
    local.scaleY = mScaleY;
    local.orientation = mOrientation;
    local.visible = mVisible;
    local.color = mColor;
    node.SetLocalState(local);
    if (!node.GetHitTest())
        node.SetHitTest(mHitTest);
    node.SetButtons(node.GetButtons() | mButtons);
    node.SetRotateAlign(mRotateHAlign, mRotateVAlign);
    node.SetScaleAlign(mScaleHAlign, mScaleVAlign);
    if (parent)
    {
        node.SetParent(parent);
        node.SetAlignment(mParentHAlign, mParentVAlign, mSelfHAlign, mSelfVAlign);
    }
    // Each child attaches itself to node, in document order.
    for (const auto& child : mChildren)
        child->Instantiate(&node);
}

SceneNode* SceneLayout::Instantiate(SceneNode* parent, ObjectDatabase* database) const
{
    if (!mRoot)
        return nullptr;
    // Built apart and attached whole, so that a failure half-way leaves parent untouched.
    SceneNode* root = mRoot->Instantiate(nullptr);
    if (!root)
        return nullptr;
    if (parent)
    {
        root->SetParent(parent);
        root->SetAlignment(mRoot->mParentHAlign, mRoot->mParentVAlign, mRoot->mSelfHAlign, mRoot->mSelfVAlign);
    }
    root->RegisterTree(database);
    return root;
}

SceneLayout* SceneLayout::Find(Label name)
{
    return FindNodeResource<SceneLayout>(name);
}

SceneNode* SceneLayout::InstantiateOrBare(Label name, Label fallbackRoot)
{
    const SceneLayout* layout = Find(name);
    SceneNode* root = layout ? layout->Instantiate(nullptr, nullptr) : nullptr;
    return root ? root : new SceneNode(fallbackRoot);
}

// ---- Reading ----

std::unique_ptr<SceneLayout::LayoutDescriptor> ReadLayoutNode(IXMLReader& reader, const XMLElement& element)
{
    auto descriptor = std::make_unique<SceneLayout::LayoutDescriptor>();
    SceneNodeFactory* factory = FindNodeFactory(element.GetName());
    if (!factory)
    {
        std::string name;
        Narrow::FromWide(name, element.GetName());
        throw SceneLayoutException("unrecognized node type: \"" + name + "\"");
    }
    descriptor->mFactory = factory;
    descriptor->mNodeDescriptor.reset(factory->CreateDescriptor(element));
    descriptor->ReadCommonAttributes(element);

    // From here on element may be overwritten by the reader: everything was taken from it.
    XMLElementReader content(&reader);
    content.Next(); // the element's own start tag
    while (!content.AtEnd())
    {
        const XMLElement* node = content.Next();
        if (!node)
            break;
        if (node->IsStartTag())
            descriptor->mChildren.push_back(ReadLayoutNode(content, *node));
    }
    return descriptor;
}

void SceneLayout::Read(IXMLReader& reader)
{
    while (!reader.AtEnd())
    {
        const XMLElement* node = reader.Next();
        if (!node)
            break;
        if (!node->IsStartTag())
            continue;
        if (mRoot)
            throw SceneLayoutException("scene has more than one root node");
        mRoot = ReadLayoutNode(reader, *node);
    }
    if (!mRoot)
        throw SceneLayoutException("scene has no root node");
}

IResourceDescriptor* SceneLayoutResourceFactory::Create(std::wstring manifest, Label name,
                                                        const IAttributeContainer* element, IXMLReader* children)
{
    auto layout = std::make_unique<ResourceWrapper<SceneLayout>>(manifest, name, element);
    try
    {
        if (!children)
            throw SceneLayoutException("scene has no root node");
        layout->Read(*children);
    }
    catch (SceneLayoutException& error)
    {
        error.SetLayoutName(name ? name.c_str() : "");
        throw;
    }
    return layout.release();
}
