#include "ImageResources.h"

#include "Graphics/FilmStripResourceFactory.h"
#include "Graphics/FontResourceFactory.h"
#include "Graphics/ImageListResourceFactory.h"
#include "Graphics/ImageResourceFactory.h"

namespace Corvane::Testing
{
ImageResources::ImageResources()
{
    Manager().RegisterFactory(L"image", new ImageResourceFactory);
    Manager().RegisterFactory(L"imagelist", new ImageListResourceFactory);
    Manager().RegisterFactory(L"filmstrip", new FilmStripResourceFactory);
    Manager().RegisterFactory(L"font", new FontResourceFactory);
}

void ImageResources::Load(const std::string& body)
{
    WriteManifest("Images", body);
    Manager().LoadAndWait(L"Images", true, nullptr);
}
} // namespace Corvane::Testing
