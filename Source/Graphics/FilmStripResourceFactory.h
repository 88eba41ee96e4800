// The "filmstrip" resource: the image named by "src" cut into "cols" x "rows" cells (each 1 when
// missing or below 1). Its files are an image's, so it depends on them as the image factory does.
// Registered by the platform at start-up:
//   ResourceManager::Instance()->RegisterFactory(L"filmstrip", new FilmStripResourceFactory);
// Users convert the resource to IImageList.
#pragma once

#include "Graphics/ImageResourceFactory.h"

namespace Corvane
{
class FilmStripResourceFactory : public ImageResourceFactory
{
public:
    // A ResourceWrapper<FilmStrip>, or null when the image cannot be loaded.
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override;
};
} // namespace Corvane
