#include "Graphics/FontResourceFactory.h"

#include "AttributeContainer.h"
#include "Framework/ResourceWrapper.h"
#include "Graphics/ImageFile.h"
#include "Graphics/ImageFont.h"

namespace Corvane
{
IResourceDescriptor* FontResourceFactory::Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                                 IXMLReader*)
{
    std::unique_ptr<ImageFont> font = ImageFont::Load(element->GetStringAttribute(L"src", L""));
    if (!font)
        return nullptr;
    return new ResourceWrapper<ImageFont>(manifest, name, element, std::move(*font));
}

void FontResourceFactory::GetDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring&, Label,
                                          const IAttributeContainer* element, IXMLReader*)
{
    const std::wstring source = element->GetStringAttribute(L"src", L"");
    dependencies.push_back({source, {L".txt"}});
    AddImageDependencies(dependencies, source);
}
} // namespace Corvane
