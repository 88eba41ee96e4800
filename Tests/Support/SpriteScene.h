// A screen made current with a fresh resource manager that knows sprite types, animation lists and
// test image lists, for the tests of animated sprites and node tasks.
//
//   <testimagelist name="Pics" sizes="10x20,30x40"/>
//
// gives an image list of one image per size, each pixel's alpha its column (capped at 255), so
// that hit tests can pick transparent and opaque points.
#pragma once

#include "Framework/ApplicationMode.h"
#include "Framework/IResourceFactory.h"
#include "Framework/ResourceWrapper.h"
#include "Graphics/Image.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/SceneGraphRegistration.h"
#include "Support/ResourceFolder.h"

#include <algorithm>
#include <cwchar>
#include <sstream>

namespace Corvane::Testing
{
class TestImageListFactory : public IResourceFactory
{
public:
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader*) override
    {
        auto* list = new ResourceWrapper<ImageList>(manifest, name, element);
        std::wstring sizes;
        element->GetAttribute(sizes, L"sizes");
        std::wstringstream stream(sizes);
        std::wstring size;
        while (std::getline(stream, size, L','))
        {
            int width = 0, height = 0;
            std::swscanf(size.c_str(), L"%dx%d", &width, &height);
            auto* image = new Image(width, height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    image->SetPixel(x, y, static_cast<PackedColor>(std::min(x, 255)) << 24 | 0xFFFFFFu);
            list->AddImage(image, true);
        }
        return list;
    }
};

class SpriteScene
{
public:
    SpriteScene()
    {
        RegisterSceneResourceFactories();
        resources.Manager().RegisterFactory(L"testimagelist", new TestImageListFactory);
    }
    // Writes the manifest name holding body and loads it (errors pass out).
    void Load(const std::string& name, const std::string& body)
    {
        resources.WriteManifest(name, body);
        resources.Manager().LoadAndWait(std::wstring(name.begin(), name.end()), false, nullptr);
    }

    ResourceFolder resources;
    ApplicationMode mode;

private:
    Internal::CurrentApplicationModeScope mCurrent{&mode};
};
} // namespace Corvane::Testing
