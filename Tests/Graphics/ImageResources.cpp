#include "ImageResources.h"

#include "Graphics/FilmStripResourceFactory.h"
#include "Graphics/FontResourceFactory.h"
#include "Graphics/ImageListResourceFactory.h"
#include "Graphics/ImageResourceFactory.h"
#include "MemoryStream.h"
#include "Support/XMLNodes.h"
#include "XMLElementReader.h"
#include "XMLReader.h"

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

std::vector<ResourceDependency> DependenciesOf(IResourceFactory& factory, const std::string& xml)
{
    MemoryStream source(L"element.xml");
    Fill(source, xml);
    XMLReader reader(source);
    const XMLElement element = *reader.Next();
    XMLElementReader children(&reader);
    children.Next();
    std::vector<ResourceDependency> dependencies;
    factory.GetDependencies(dependencies, L"Images", Label("element"), &element, &children);
    return dependencies;
}

std::vector<std::wstring> Locations(const std::vector<ResourceDependency>& dependencies)
{
    std::vector<std::wstring> locations;
    for (const ResourceDependency& dependency : dependencies)
        locations.push_back(dependency.location);
    return locations;
}
} // namespace Corvane::Testing
