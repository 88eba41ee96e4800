#include "Framework/SoundListResourceFactory.h"

#include "Framework/ISound.h"
#include "Framework/ResourceManager.h"
#include "Framework/ResourceWrapper.h"
#include "Framework/SoundList.h"
#include "XMLChildElements.h"
#include "XMLElement.h"

namespace Corvane
{
IResourceDescriptor* SoundListResourceFactory::Create(std::wstring manifest, Label name,
                                                      const IAttributeContainer* element, IXMLReader* children)
{
    auto* list = new ResourceWrapper<SoundList>(manifest, name, element);
    ForEachChildElement(children, [list](const XMLElement& node) {
        if (node.GetName() != L"sound")
            return;
        std::wstring event, source;
        node.GetAttribute(event, L"event");
        node.GetAttribute(source, L"src");
        list->Set(Label(event), ResourceManager::Get<ISound>(Label(source)).Get());
    });
    return list;
}
} // namespace Corvane
