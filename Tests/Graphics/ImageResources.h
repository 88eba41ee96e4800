// The image resource factories over a temporary folder, for the tests of those factories.
#pragma once

#include "Support/ResourceFolder.h"
#include "Support/XMLNodes.h"

#include <string>
#include <vector>

namespace Corvane::Testing
{
// A resource folder whose manager has the "image", "imagelist", "filmstrip" and "font" factories
// (DependenciesOf, in XMLNodes.h, reads what they need).
class ImageResources : public ResourceFolder
{
public:
    ImageResources();
    // Writes a manifest holding body and loads it.
    void Load(const std::string& body);
};
} // namespace Corvane::Testing
