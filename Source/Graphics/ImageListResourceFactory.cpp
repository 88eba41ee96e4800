#include "Graphics/ImageListResourceFactory.h"

#include "AttributeContainer.h"
#include "Framework/ResourceManager.h"
#include "Framework/ResourceProblems.h"
#include "Framework/ResourceWrapper.h"
#include "Graphics/Image.h"
#include "Graphics/ImageFile.h"
#include "Graphics/ImageList.h"
#include "Graphics/ImagePattern.h"
#include "XMLElement.h"
#include "XMLElementReader.h"

#include <functional>
#include <memory>

namespace Corvane
{
namespace
{
// The element's "pattern" sequence, or none without the attribute.
std::unique_ptr<ImagePattern> PatternOf(const IAttributeContainer* element)
{
    if (!element->HasAttribute(L"pattern"))
        return nullptr;
    return std::make_unique<ImagePattern>(element->GetStringAttribute(L"pattern", L""),
                                          element->GetIntAttribute(L"first", 0),
                                          element->GetIntAttribute(L"last", ImagePattern::kOpenEnd));
}

// Calls visit for each child element with children standing on its start tag; visit consumes the
// child's subtree.
void ForEachChild(IXMLReader* children, const std::function<void(const XMLElement& child)>& visit)
{
    while (children && !children->AtEnd())
    {
        const XMLElement* node = children->Next();
        if (node && node->IsStartTag())
            visit(*node);
    }
}

void SkipChild(IXMLReader* children)
{
    XMLElementReader child(children);
    child.Next();
    while (!child.AtEnd())
        child.Next();
}
} // namespace

IResourceDescriptor* ImageListResourceFactory::Create(std::wstring manifest, Label name,
                                                      const IAttributeContainer* element, IXMLReader* children)
{
    auto list = std::make_unique<ResourceWrapper<ImageList>>(manifest, name, element);
    if (const auto pattern = PatternOf(element))
    {
        pattern->Walk([&](const std::wstring& file) {
            Internal::ResourceProblemScope problems;
            Image* image = LoadImage(file);
            if (image)
                list->AddImage(image, true);
            // A missing file ends the sequence; one that is there and cannot be read is a loss.
            else if (IsImageFileAvailable(file))
                problems.PassOnAsLoss();
            return image != nullptr;
        });
    }

    bool allImages = true;
    ForEachChild(children, [&](const XMLElement& child) {
        std::unique_ptr<IResourceDescriptor> created(
            ResourceManager::Instance()->Create(manifest, name, *children, child));
        if (auto* image = dynamic_cast<IImage*>(created.get()))
        {
            created.release();
            list->AddImage(image, true);
        }
        else
        {
            allImages = false;
        }
    });
    return allImages ? list.release() : nullptr;
}

void ImageListResourceFactory::GetDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring&,
                                               Label, const IAttributeContainer* element, IXMLReader* children)
{
    const std::size_t before = dependencies.size();
    if (const auto pattern = PatternOf(element))
    {
        pattern->Walk([&](const std::wstring& file) {
            if (!IsImageFileAvailable(file))
                return false;
            AddImageDependencies(dependencies, file);
            return true;
        });
    }
    if (dependencies.size() > before)
        return;
    ForEachChild(children, [&](const XMLElement& child) {
        const std::wstring src = child.GetStringAttribute(L"src", L"");
        SkipChild(children);
        AddImageDependencies(dependencies, src);
    });
}
} // namespace Corvane
