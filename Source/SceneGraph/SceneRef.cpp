#include "SceneGraph/SceneRef.h"

#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/SceneLayoutException.h"
#include "TextConversion.h"

using namespace Corvane;

SceneNodeDescriptor* SceneRefFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    std::wstring text;
    attributes.GetAttribute(text, L"scenename");
    auto descriptor = std::make_unique<SceneRefDescriptor>();
    descriptor->mSceneName = Label(text);
    if (!SceneLayout::Find(descriptor->mSceneName))
    {
        std::string name;
        Narrow::FromWide(name, text);
        throw SceneLayoutException("sceneref: layout \"" + name + "\" not found");
    }
    return descriptor.release();
}

SceneNode* SceneRefFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const SceneLayout* layout = SceneLayout::Find(DescriptorAs<SceneRefDescriptor>(descriptor).mSceneName);
    if (!layout || !layout->GetRoot())
        return nullptr;
    return layout->GetRoot()->Instantiate(nullptr);
}
