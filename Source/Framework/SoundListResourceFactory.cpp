#include "Framework/SoundListResourceFactory.h"

#include "Framework/ISound.h"
#include "Framework/ResourceManager.h"
#include "Framework/ResourceWrapper.h"
#include "Framework/SoundList.h"
#include "IXMLReader.h"

namespace Corvane
{
IResourceDescriptor* SoundListResourceFactory::Create(std::wstring manifest, Label name,
                                                      const IAttributeContainer* element, IXMLReader* children)
{
    auto* list = new ResourceWrapper<SoundList>(manifest, name, element);
    int depth = 0; // of the node just read, below the list's element
    while (children && !children->AtEnd())
    {
        const XMLElement* node = children->Next();
        if (!node || node->IsText())
            continue;
        if (node->IsEndTag())
        {
            --depth;
            continue;
        }
        if (++depth != 1 || node->GetName() != L"sound")
            continue;
        std::wstring event, source;
        node->GetAttribute(event, L"event");
        node->GetAttribute(source, L"src");
        list->Set(Label(event), ResourceManager::Get<ISound>(Label(source)).Get());
    }
    return list;
}
} // namespace Corvane
