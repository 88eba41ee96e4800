// The "imagelist" resource: images from a numbered "pattern" ("first" and "last" bound it), then
// one image for each child element, which is built as a resource of its own (typically an
// "image"). A child that is not an image makes the whole list no resource. Registered by the
// platform at start-up:
//   ResourceManager::Instance()->RegisterFactory(L"imagelist", new ImageListResourceFactory);
// Users convert the resource to IImageList.
#pragma once

#include "Framework/IResourceFactory.h"

namespace Corvane
{
class ImageListResourceFactory : public IResourceFactory
{
public:
    // A ResourceWrapper<ImageList> owning every image, or null.
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override;
    // The files of the pattern's images up to its first gap; without any, the "src" files of the
    // child elements.
    void GetDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring& manifest, Label name,
                         const IAttributeContainer* element, IXMLReader* children) override;
};
} // namespace Corvane
