#include "SceneGraph/SceneNodeFactory.h"

#include "SceneGraph/SceneNode.h"

using namespace Corvane;

SceneNodeFactory::Registry& SceneNodeFactory::GetRegistry()
{
    static Registry registry;
    return registry;
}

void RegisterNodeFactory(const std::wstring& elementName, SceneNodeFactory* factory)
{
    SceneNodeFactory::Registry& registry = SceneNodeFactory::GetRegistry();
    registry.erase(elementName);
    registry.emplace(elementName, std::unique_ptr<SceneNodeFactory>(factory));
}

SceneNodeFactory* FindNodeFactory(const std::wstring& elementName)
{
    const SceneNodeFactory::Registry& registry = SceneNodeFactory::GetRegistry();
    const auto found = registry.find(elementName);
    return found == registry.end() ? nullptr : found->second.get();
}

Label ReadLabelAttribute(const IAttributeContainer& attributes, const std::wstring& name)
{
    std::wstring text;
    attributes.GetAttribute(text, name);
    return text.empty() ? Label() : Label(text);
}

SceneNodeDescriptor* BasicSceneNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<BasicSceneNodeDescriptor>();
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    descriptor->mHeight = attributes.GetFloatAttribute(L"height", 0.0f);
    return descriptor.release();
}

SceneNode* BasicSceneNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& basic = DescriptorAs<BasicSceneNodeDescriptor>(descriptor);
    auto* node = new SceneNode();
    node->SetSize(basic.mWidth, basic.mHeight);
    return node;
}
