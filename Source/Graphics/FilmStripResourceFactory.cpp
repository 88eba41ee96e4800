#include "Graphics/FilmStripResourceFactory.h"

#include "AttributeContainer.h"
#include "Framework/ResourceWrapper.h"
#include "Graphics/FilmStrip.h"
#include "Graphics/ImageFile.h"

namespace Corvane
{
IResourceDescriptor* FilmStripResourceFactory::Create(std::wstring manifest, Label name,
                                                      const IAttributeContainer* element, IXMLReader*)
{
    std::unique_ptr<Image> strip(LoadImage(element->GetStringAttribute(L"src", L"")));
    if (!strip)
        return nullptr;
    return new ResourceWrapper<FilmStrip>(manifest, name, element, std::move(strip),
                                          element->GetIntAttribute(L"cols", 0), element->GetIntAttribute(L"rows", 0));
}
} // namespace Corvane
