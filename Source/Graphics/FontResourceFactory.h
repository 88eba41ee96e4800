// The "font" resource: the bitmap font of the strip image and metrics file named by "src"
// (ImageFont::Load). Registered by the platform at start-up:
//   ResourceManager::Instance()->RegisterFactory(L"font", new FontResourceFactory);
// Users convert the resource to Font.
#pragma once

#include "Framework/IResourceFactory.h"

namespace Corvane
{
class FontResourceFactory : public IResourceFactory
{
public:
    // A ResourceWrapper<ImageFont>, or null when a file is missing or the font fits no texture.
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override;
    // "src" + ".txt", then the strip image and its mask.
    void GetDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring& manifest, Label name,
                         const IAttributeContainer* element, IXMLReader* children) override;
};
} // namespace Corvane
