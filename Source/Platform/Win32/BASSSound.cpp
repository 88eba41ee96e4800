#include "Platform/Win32/BASSSound.h"

#include "AttributeContainer.h"
#include "Framework/ResourceWrapper.h"
#include "XMLChildElements.h"
#include "XMLElement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Corvane
{
namespace
{
Label CategoryOf(const std::wstring& type)
{
    if (type == L"effect" || type == L"sfx" || type.empty())
        return Label::Intern("Effect");
    if (type == L"music")
        return Label::Intern("Music");
    if (type == L"ambient")
        return Label::Intern("Ambient");
    return Label(type);
}

float ReadLimited(const IAttributeContainer& element, const wchar_t* name, float fallback, float lo, float hi)
{
    const float value = element.GetFloatAttribute(name, fallback);
    return std::isnan(value) ? fallback : std::clamp(value, lo, hi);
}

// The "src" of the element itself, or of each "sound" child, in document order.
std::vector<std::wstring> SourcesOf(const IAttributeContainer& element, IXMLReader* children, bool random)
{
    std::vector<std::wstring> sources;
    if (!random)
    {
        sources.emplace_back(element.GetStringAttribute(L"src", L""));
        return sources;
    }
    ForEachChildElement(children, [&sources](const XMLElement& child) {
        if (child.GetName() == L"sound")
            sources.emplace_back(child.GetStringAttribute(L"src", L""));
    });
    return sources;
}

IResourceDescriptor* CreateSound(const std::wstring& manifest, Label name, const IAttributeContainer& element,
                                 IXMLReader* children, bool random)
{
    auto* sound = new ResourceWrapper<BASSSound>(manifest, name, &element);
    sound->ReadAttributes(element);
    for (const std::wstring& source : SourcesOf(element, children, random))
        if (std::shared_ptr<BASSSoundFile> file = LoadBASSSoundFile(source))
            sound->Data().Add(std::move(file));
    return sound;
}

void AddDependencies(std::vector<ResourceDependency>& dependencies, const IAttributeContainer& element,
                     IXMLReader* children, bool random)
{
    for (const std::wstring& source : SourcesOf(element, children, random))
        dependencies.push_back({source, {std::begin(kBASSSoundExtensions), std::end(kBASSSoundExtensions)}});
}
} // namespace

BASSSound::BASSSound() : mCategory(Label::Intern("Effect")), mData(RefPtr<BASSSoundData>::Adopt(new BASSSoundData)) {}

IReferenced* BASSSound::GetData()
{
    return RefPtr<BASSSoundData>(mData).Detach();
}

void BASSSound::ReadAttributes(const IAttributeContainer& element)
{
    mCategory = CategoryOf(element.GetStringAttribute(L"type", L"effect"));
    mVolume = ReadLimited(element, L"volume", 1.0f, 0.0f, 1.0f);
    mPan = ReadLimited(element, L"pan", 0.0f, -1.0f, 1.0f);
    mRate = ReadLimited(element, L"rate", 1.0f, std::numeric_limits<float>::min(), std::numeric_limits<float>::max());
    if (std::wstring(element.GetStringAttribute(L"loop", L"")) == L"forever")
        mLoopCount = 0;
    else
        mLoopCount = std::max(element.GetIntAttribute(L"loop", 1), 0);
}

IResourceDescriptor* BASSSoundResourceFactory::Create(std::wstring manifest, Label name,
                                                      const IAttributeContainer* element, IXMLReader* children)
{
    return CreateSound(manifest, name, *element, children, false);
}

void BASSSoundResourceFactory::GetDependencies(std::vector<ResourceDependency>& dependencies, const std::wstring&,
                                               Label, const IAttributeContainer* element, IXMLReader* children)
{
    AddDependencies(dependencies, *element, children, false);
}

IResourceDescriptor* BASSRandomSoundResourceFactory::Create(std::wstring manifest, Label name,
                                                            const IAttributeContainer* element, IXMLReader* children)
{
    return CreateSound(manifest, name, *element, children, true);
}

void BASSRandomSoundResourceFactory::GetDependencies(std::vector<ResourceDependency>& dependencies,
                                                     const std::wstring&, Label, const IAttributeContainer* element,
                                                     IXMLReader* children)
{
    AddDependencies(dependencies, *element, children, true);
}
} // namespace Corvane
