// The "image" resource: a picture loaded from the files named by "src", with an optional cache of
// "rotations" pre-rotated copies (2 or more), all computed at load so that drawing only blits.
// Registered by the platform at start-up:
//   ResourceManager::Instance()->RegisterFactory(L"image", new ImageResourceFactory);
#pragma once

#include "Framework/IResourceFactory.h"

namespace Corvane
{
class ImageResourceFactory : public IResourceFactory
{
public:
    // A ResourceWrapper<Image>, or null when the files give no pixels.
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override;
    // The "src" image and its mask.
    void GetDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring& manifest, Label name,
                         const IAttributeContainer* element, IXMLReader* children) override;
};
} // namespace Corvane
