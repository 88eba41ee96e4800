#include "Widgets/Layout.h"

#include "Framework/ResourceWrapper.h"
#include "IXMLReader.h"

#include <memory>

namespace Corvane
{
IResourceDescriptor* LayoutResourceFactory::Create(std::wstring manifest, Label name,
                                                   const IAttributeContainer* element, IXMLReader* children)
{
    auto resource = std::make_unique<ResourceWrapper<Layout>>(manifest, name, element);
    Layout& layout = *resource;
    layout.mName = name;
    if (element)
    {
        layout.GetAttributes() = element->GetAttributes();
        layout.mScreenWidth = element->GetFloatAttribute(L"screenWidth", 800.0f);
        layout.mScreenHeight = element->GetFloatAttribute(L"screenHeight", 600.0f);
        layout.mX = element->GetFloatAttribute(L"x", 0.0f);
        layout.mY = element->GetFloatAttribute(L"y", 0.0f);
    }
    // The reader stands past the layout's own start tag: what it gives are the children (and
    // their end tags and the text between them), then the layout's end tag.
    while (children && !children->AtEnd())
    {
        const XMLElement* node = children->Next();
        if (!node || !node->IsStartTag())
            continue;
        layout.mChildNames.push_back(node->GetName());
        AttributeContainer attributes;
        attributes.GetAttributes() = node->GetAttributes();
        layout.mChildAttributes.push_back(std::move(attributes));
    }
    return resource.release();
}
} // namespace Corvane
