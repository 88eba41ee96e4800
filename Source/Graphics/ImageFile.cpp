#include "Graphics/ImageFile.h"

#include "Framework/ResourceProblems.h"
#include "Graphics/Image.h"
#include "Graphics/ImageFileDecoding.h"

#include <atomic>
#include <initializer_list>

namespace Corvane
{
namespace
{
// The order in which the files are looked for; the dependency records list them in another.
constexpr std::initializer_list<const wchar_t*> kImageSearch = {L".gif", L".jpg", L".png"};
constexpr std::initializer_list<const wchar_t*> kMaskSearch = {L".gif", L".png", L".jpg"};
constexpr const wchar_t* kMaskSuffix = L"_mask";

std::atomic<Internal::ImageFileDecoder> gDecoder{nullptr};

ResourceStream OpenFirst(const std::wstring& name, std::initializer_list<const wchar_t*> extensions,
                         FileLocation& location)
{
    for (const wchar_t* extension : extensions)
    {
        FileLocation candidate;
        if (!MakeResourceLocation(name, extension, candidate))
            return nullptr;
        if (ResourceStream stream{OpenResourceStream(candidate)})
        {
            location = candidate;
            return stream;
        }
    }
    return nullptr;
}
} // namespace

ResourceStream FindImageFile(const std::wstring& name, FileLocation& location)
{
    ResourceStream stream = OpenFirst(name, kImageSearch, location);
    if (!stream)
        ReportResourceProblem("Image %ls was not found.\n", name.c_str());
    return stream;
}

ResourceStream FindImageMaskFile(const std::wstring& name, FileLocation& location)
{
    return OpenFirst(name + kMaskSuffix, kMaskSearch, location);
}

bool IsImageFileAvailable(const std::wstring& name)
{
    FileLocation location;
    return OpenFirst(name, kImageSearch, location) != nullptr;
}

ResourceDependency ImageFileDependency(const std::wstring& name)
{
    return {name, {L".jpg", L".gif", L".png"}};
}

ResourceDependency ImageMaskFileDependency(const std::wstring& name)
{
    return {name + kMaskSuffix, {kMaskSearch.begin(), kMaskSearch.end()}};
}

void AddImageDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring& name)
{
    dependencies.push_back(ImageFileDependency(name));
    dependencies.push_back(ImageMaskFileDependency(name));
}

Image* LoadImage(const std::wstring& name)
{
    auto image = std::make_unique<Image>();
    return image->LoadFromFile(name) ? image.release() : nullptr;
}

namespace Internal
{
DecodedImage LoadImageFile(const std::wstring& name)
{
    FileLocation location;
    const ResourceStream image = FindImageFile(name, location);
    if (!image)
        return {};
    FileLocation maskLocation;
    const ResourceStream mask = FindImageMaskFile(name, maskLocation);
    const ImageFileDecoder decoder = gDecoder.load();
    return (decoder ? decoder : &DecodeImageFile)(name, *image, location.GetExtension(), mask.get(),
                                                  maskLocation.GetExtension());
}

void SetImageFileDecoder(ImageFileDecoder decoder)
{
    gDecoder = decoder;
}
} // namespace Internal
} // namespace Corvane
