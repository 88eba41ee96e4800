// The image resource factories over a temporary folder, for the tests of those factories.
#pragma once

#include "Framework/IResourceFactory.h"
#include "Support/ResourceFolder.h"

#include <string>
#include <vector>

namespace Corvane::Testing
{
// A resource folder whose manager has the "image", "imagelist", "filmstrip" and "font" factories.
class ImageResources : public ResourceFolder
{
public:
    ImageResources();
    // Writes a manifest holding body and loads it.
    void Load(const std::string& body);
};

// What factory names as dependencies of the one element written in xml.
std::vector<ResourceDependency> DependenciesOf(IResourceFactory& factory, const std::string& xml);
// The location prefixes of the records, in order.
std::vector<std::wstring> Locations(const std::vector<ResourceDependency>& dependencies);
} // namespace Corvane::Testing
