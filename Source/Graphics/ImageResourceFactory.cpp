#include "Graphics/ImageResourceFactory.h"

#include "AttributeContainer.h"
#include "Framework/ResourceWrapper.h"
#include "Graphics/Image.h"
#include "Graphics/ImageFile.h"

#include <memory>

namespace Corvane
{
IResourceDescriptor* ImageResourceFactory::Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                                  IXMLReader*)
{
    auto image = std::make_unique<ResourceWrapper<Image>>(manifest, name, element);
    if (!image->LoadFromFile(element->GetStringAttribute(L"src", L"")))
        return nullptr;
    const int rotations = element->GetIntAttribute(L"rotations", 0);
    if (rotations > 1)
    {
        image->SetRotationSteps(rotations);
        image->PrecomputeRotations();
    }
    return image.release();
}

void ImageResourceFactory::GetDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring&, Label,
                                           const IAttributeContainer* element, IXMLReader*)
{
    AddImageDependencies(dependencies, element->GetStringAttribute(L"src", L""));
}
} // namespace Corvane
